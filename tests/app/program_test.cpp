#include "app/program.h"
#include "platform/qt/form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QTest>

// The program as main starts it, short of the event loop.
class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void startShowsTheFormAsDescribed()
    {
        const std::unique_ptr<QWidget> form = platform::qt::Start(Program());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->windowTitle(), QString("Form1"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1"));

        QCOMPARE(QApplication::applicationVersion(), QString("1.0.0.0"));
        QCOMPARE(QGuiApplication::desktopFileName(), QString(DISCHARGE_APP_ID));
        QCOMPARE(form->windowIcon().availableSizes(),
                 QList<QSize>({{16, 16}, {32, 32}, {48, 48}}));
        // Qt's own texts in Chinese (scripts/packages installs the translations).
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QString("撤消(&U)"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
