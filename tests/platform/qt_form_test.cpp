// The Qt window's driver of the window scenarios, and what only a window can
// show: the caption font, a pasted megabyte, the warning box.
#include "app/program.h"
#include "platform/qt/form.h"
#include "tests/ui/scenarios.h"

#include <QAccessible>
#include <QClipboard>
#include <QFontInfo>
#include <QIcon>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(const scenarios::Scenario*)

class QtFormTest : public QObject, public scenarios::Driver {
    Q_OBJECT

    std::unique_ptr<QWidget> form;
    platform::ErrorReporter shown;

    QWidget* control(const char* name) { return *name ? form->findChild<QWidget*>(name) : form.get(); }

    void Type(const char* box, const char* text) override
    {
        QTest::mouseClick(control(box), Qt::LeftButton);
        QTest::keyClick(control(box), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(control(box), Qt::Key_Delete);
        QTest::keyClicks(control(box), QString::fromUtf8(text));
    }
    void Commit(const char* box, const char* text) override
    {
        control(box)->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(control(box), &commit);
    }
    void Paste(const char* box, const std::string& text) override
    {
        QApplication::clipboard()->setText(QString::fromStdString(text));
        control(box)->setFocus();
        QTest::keyClick(control(box), Qt::Key_V, Qt::ControlModifier);
    }
    void Click() override { QTest::mouseClick(control("Command1"), Qt::LeftButton); }
    void Grow() override
    {
        form->resize(800, 600);
        QTRY_COMPARE(form->size(), QSize(800, 600));
    }
    void Focus(const char* name) override { control(name)->setFocus(); }
    void Press(std::string_view key) override
    {
        const QKeyCombination combination = QKeySequence(QString::fromUtf8(key.data(), key.size()))[0];
        QTest::keyClick(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
    }
    std::string Text(const char* name) override
    {
        return control(name)->property("text").toString().toStdString();
    }
    bool ShownWhole(const char* name) override
    {
        auto* label = qobject_cast<QLabel*>(control(name));
        return !label || (label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width()
                          && form->rect().contains(label->geometry()));
    }
    std::optional<std::string> Name(const char* name) override
    {
        return QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Name).toStdString();
    }
    bool HasFocus(const char* name) override { return QApplication::focusWidget() == control(name); }
    std::string Face(const char* name) override { return QFontInfo(control(name)->font()).family().toStdString(); }
    Place PlaceOf(const char* name) override
    {
        const QRect r = *name ? control(name)->geometry() : form->rect();
        return {r.x(), r.y(), r.width(), r.height()};
    }

private slots:
    void init()
    {
        reports.clear();
        shown = platform::SetErrorReporter([this](platform::Form&, const std::string& title,
                                                  const std::string& text) { Record(title, text); });
        form = platform::qt::CreateForm(Form1);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        form.reset();
        platform::SetErrorReporter(shown);
    }

    void scenario_data()
    {
        QTest::addColumn<const scenarios::Scenario*>("scenario");
        for (const scenarios::Scenario& scenario : scenarios::kAll)
            QTest::newRow(scenario.name) << &scenario;
    }
    void scenario()
    {
        QFETCH(const scenarios::Scenario*, scenario);
        for (const scenarios::Step& step : scenario->steps) {
            const std::string wrong = Play(step);
            QVERIFY2(wrong.empty(), wrong.c_str());
        }
    }

    // The result can be selected with the mouse.
    void resultSelectable()
    {
        Type("Text6", "10000");
        Click();
        QTest::mouseDClick(control("Label7"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form->findChild<QLabel*>("Label7")->selectedText(), QString("547500"));
    }

    // By default an overflow shows a warning box owned by the form, titled like
    // it, with the error's text and one button "确定"; the program runs on.
    void overflowShowsWarningBox()
    {
        platform::SetErrorReporter(shown);
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = QStringList{box->windowTitle(), box->text(), box->buttons().first()->text(),
                               QString::number(box->buttons().size()),
                               box->parent() == form.get() ? "owned" : "not owned",
                               box->icon() == QMessageBox::Warning ? "warning" : "no warning"}
                       .join('|');
            box->buttons().first()->click();
        });
        Type("Text1", "1e999");
        Click();
        QCOMPARE(seen, QString("Form1|溢出：计算结果超出数值范围。|确定|1|owned|warning"));
        QVERIFY(form->isVisible());
    }

    // The program as main starts it, short of the event loop: the form shown
    // with the focus in Text1, the application named, its icon, Qt's texts in
    // Chinese (scripts/packages installs Qt's translations).
    void programStart()
    {
        form = platform::qt::Start(Program());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(HasFocus("Text1"));
        QCOMPARE(QApplication::applicationVersion(), QString("1.0.0.0"));
        QCOMPARE(QGuiApplication::desktopFileName(), QString(DISCHARGE_APP_ID));
        QCOMPARE(form->windowIcon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {48, 48}}));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QString("撤消(&U)"));
    }
};

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
