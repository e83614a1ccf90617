#include "platform/qt/form.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class ErrorsTest : public QObject {
    Q_OBJECT

private slots:
    // What the user sees by default: a warning box with the form's title,
    // the error's text and one button, after which the program goes on.
    void defaultReportIsAWarningBox()
    {
        const std::unique_ptr<QWidget> form = platform::qt::CreateForm(Form1);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        QString title, text;
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            box->buttons().first()->click();
        });
        platform::ReportRuntimeError(dynamic_cast<platform::Form&>(*form),
                                     platform::RuntimeError::Overflow);

        QCOMPARE(title, QString("Form1"));
        QCOMPARE(text, QString("溢出：计算结果超出数值范围。"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QStringList{"确定"});
        QVERIFY(form->isVisible());
    }
};

QTEST_MAIN(ErrorsTest)
#include "qt_errors_test.moc"
