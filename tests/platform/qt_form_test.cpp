// The Qt window's driver of the window scenarios, and the program's start.
#include "app/program.h"
#include "platform/abstract_form.h"
#include "platform/qt/form.h"
#include "platform/qt/start_watch.h"
#include "tests/ui/scenarios.h"
#include "ui/Form1.h"

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QIcon>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(const scenarios::Scenario*)

class QtFormTest : public QObject, public scenarios::Driver {
    Q_OBJECT

    std::unique_ptr<QWidget> form;

    QWidget* control(const std::string& name)
    {
        return name.empty() ? form.get() : form->findChild<QWidget*>(QString::fromStdString(name));
    }
    // The form active as the window system reports it: Qt 6's
    // qWaitForWindowActive does not wait on Wayland, where only the compositor
    // activates a window.
    bool Activated() { return QTest::qWaitFor([this] { return QApplication::activeWindow() == form.get(); }); }
    // A warning box is modal: it is answered from the event loop it runs.
    void AnswerWarning()
    {
        QTimer::singleShot(0, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Warn(box->windowTitle().toStdString(), box->text().toStdString(),
                     box->buttons().size() == 1 ? box->buttons().first()->text().toStdString() : "(buttons)");
                box->buttons().first()->click();
            }
        });
    }

    void Type(const std::string& box, const std::string& text) override
    {
        QTest::mouseClick(control(box), Qt::LeftButton);
        QTest::keyClick(control(box), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(control(box), Qt::Key_Delete);
        QTest::keyClicks(control(box), QString::fromStdString(text));
    }
    void Commit(const std::string& box, const std::string& text) override
    {
        control(box)->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromStdString(text));
        QApplication::sendEvent(control(box), &commit);
    }
    void Paste(const std::string& box, const std::string& text) override
    {
        QApplication::clipboard()->setText(QString::fromStdString(text));
        control(box)->setFocus();
        QTest::keyClick(control(box), Qt::Key_V, Qt::ControlModifier);
    }
    void Click() override
    {
        AnswerWarning();
        QTest::mouseClick(control("Command1"), Qt::LeftButton);
    }
    void Focus(const std::string& name) override { control(name)->setFocus(); }
    void Press(const std::string& key) override
    {
        AnswerWarning();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromStdString(key)));
    }
    std::string Text(const std::string& name) override
    {
        return control(name)->property("text").toString().toStdString();
    }
    bool ShownWhole(const std::string& name) override
    {
        auto* label = qobject_cast<QLabel*>(control(name));
        return !label || (label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width()
                          && form->rect().contains(label->geometry()));
    }
    std::string Selected(const std::string& name) override
    {
        QTest::mouseDClick(control(name), Qt::LeftButton, {}, QPoint(5, 5));
        return qobject_cast<QLabel*>(control(name))->selectedText().toStdString();
    }
    std::optional<std::string> Name(const std::string& name) override
    {
        return QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Name).toStdString();
    }
    // The control the form gives the focus to while it is active (the
    // offscreen platform does not make it active again after a warning).
    bool HasFocus(const std::string& name) override { return form->focusWidget() == control(name); }
    std::string Face(const std::string& name) override { return QFontInfo(control(name)->font()).family().toStdString(); }
    std::string Place(const std::string& name) override
    {
        const QRect r = name.empty() ? form->rect() : control(name)->geometry();
        return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
    }

private slots:
    void init()
    {
        warnings.clear();
        form = platform::qt::CreateForm(Form1);
        form->show();
        QVERIFY(Activated());
    }
    void cleanup() { form.reset(); }

    void scenario_data()
    {
        QTest::addColumn<const scenarios::Scenario*>("scenario");
        for (const scenarios::Scenario& scenario : scenarios::kAll)
            QTest::newRow(scenario.name) << &scenario;
    }
    void scenario()
    {
        QFETCH(const scenarios::Scenario*, scenario);
        for (const scenarios::Step& step : scenario->steps)
            QCOMPARE(QString::fromStdString(Play(step)), QString());
    }

    // A name the form does not have reads as "" and shows nothing.
    void unknownNames()
    {
        auto& services = dynamic_cast<platform::Form&>(*form);
        QCOMPARE(services.Text("Text8"), std::string());
        services.SetCaption("Label10", "1");
    }

    // Minimizing the warning answers it (on Wayland Qt's own title bar
    // offers to, and a desktop may keep no way back to the box).
    void minimizedWarning()
    {
        QTimer::singleShot(0, this, [] { // once it shows, as a user sees it
            if (QWidget* box = QApplication::activeModalWidget(); QTest::qWaitForWindowExposed(box))
                box->showMinimized();
        });
        QTimer stuck; // closes a box that stays, once
        stuck.callOnTimeout([&stuck] { stuck.stop(); QApplication::activeModalWidget()->close(); });
        stuck.start(5000);
        dynamic_cast<platform::AbstractForm&>(*form).ShowWarning("Form1", "");
        QVERIFY(stuck.isActive());
    }

    // The program as main starts it, short of the event loop: the form shown,
    // the application named after the desktop entry that the build makes, its
    // icon, Qt's texts in Chinese (scripts/packages installs Qt's
    // translations).
    void programStart()
    {
        form = platform::qt::Start(Program());
        QVERIFY(Activated());
        QVERIFY(QFile::exists(DESKTOP_ENTRIES "/" + QGuiApplication::desktopFileName() + ".desktop"));
        QCOMPARE(form->windowIcon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {48, 48}}));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QString("撤消(&U)"));
    }

    // While the start is watched, Qt's messages still reach the handler
    // installed before, which is back once the watch ends.
    void startWatchPassesMessagesOn()
    {
        const QtMessageHandler before = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(before);
        {
            const platform::qt::StartWatch watch("discharge", "discharge");
            QTest::ignoreMessage(QtWarningMsg, "passed on");
            qWarning("passed on");
        }
        QVERIFY(qInstallMessageHandler(before) == before);
    }
};

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
