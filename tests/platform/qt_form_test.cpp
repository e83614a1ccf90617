// The Qt window's driver of the window scenarios, and what only a window can
// show: places and sizes, the caption font, a pasted megabyte, the warning box.
#include "platform/qt/form.h"
#include "tests/ui/scenarios.h"
#include "ui/Form1.h"

#include <QAccessible>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(const scenarios::Scenario*)

class QtFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> form;
    QStringList reports;
    platform::ErrorReporter shown;

    QWidget* control(const char* name) { return form->findChild<QWidget*>(name); }
    void click() { QTest::mouseClick(control("Command1"), Qt::LeftButton); }

    void play(const scenarios::Step& step)
    {
        using scenarios::Do;
        QWidget* target = control(step.control);
        const QString text = QString::fromUtf8(step.text);
        switch (step.what) {
        case Do::Type:
            QTest::mouseClick(target, Qt::LeftButton);
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_Delete);
            QTest::keyClicks(target, text);
            break;
        case Do::Commit: {
            target->setFocus();
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(target, &commit);
            break;
        }
        case Do::Click:
            click();
            break;
        case Do::Focus:
            target->setFocus();
            break;
        case Do::Press: {
            const QKeyCombination key = QKeySequence(text)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            break;
        }
        case Do::Shows:
            QCOMPARE(target->property("text").toString(), text);
            if (qobject_cast<QLabel*>(target)) { // a box scrolls its text; a label must fit it
                QVERIFY(target->fontMetrics().horizontalAdvance(text) <= target->contentsRect().width());
                QVERIFY(form->rect().contains(target->geometry()));
            }
            break;
        case Do::Named:
            QCOMPARE(QAccessible::queryAccessibleInterface(target)->text(QAccessible::Name), text);
            break;
        case Do::HasFocus:
            QCOMPARE(QApplication::focusWidget(), target);
            break;
        case Do::Reported:
            QCOMPARE(reports.join('\n'), text);
            break;
        }
    }

private slots:
    void init()
    {
        reports.clear();
        shown = platform::SetErrorReporter(
            [this](platform::Form&, const std::string& title, const std::string& text) {
                reports.append(QString::fromStdString(title + '|' + text));
            });
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
            play(step);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Every control where the description puts it, at 15 twips a pixel, and
    // there still when the window grows; captions in the program's own face.
    void placesSizesAndCaptionFont()
    {
        QCOMPARE(form->size(), QSize(506, 352));
        QCOMPARE(form->windowTitle(), QString("Form1"));
        for (const platform::ControlDescription& described : Form1.controls) {
            QWidget* widget = control(described.name);
            QCOMPARE(widget->geometry(), QRect(described.left / 15, described.top / 15,
                                               described.width / 15, described.height / 15));
            QCOMPARE(QFontInfo(widget->font()).family(), QString("Discharge Captions"));
        }
        const QRect before = control("Text6")->geometry();
        form->resize(800, 600);
        QTRY_COMPARE(form->size(), QSize(800, 600));
        QCOMPARE(control("Text6")->geometry(), before);
    }

    // A megabyte pasted into a box is kept whole and read like a short text;
    // the result can then be selected with the mouse.
    void pastedMegabyte()
    {
        auto* box = form->findChild<QLineEdit*>("Text6");
        QApplication::clipboard()->setText("10000" + QString((1 << 20) - 5, u' '));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text().size(), 1 << 20);
        click();
        auto* result = form->findChild<QLabel*>("Label7");
        QTest::mouseDClick(result, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(result->selectedText(), QString("547500"));
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
        form->findChild<QLineEdit*>("Text1")->setText("1e999");
        click();
        QCOMPARE(seen, QString("Form1|溢出：计算结果超出数值范围。|确定|1|owned|warning"));
        QVERIFY(form->isVisible());
    }
};

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
