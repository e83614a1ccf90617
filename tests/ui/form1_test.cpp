#include "platform/errors.h"
#include "ui/Form1.h"

#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>

#include <unistd.h>

using Edits = QList<QPair<QString, QString>>; // box name, text typed into it

long ResidentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    QStringList reports; // "title|text" of each error report
    platform::ErrorReporter previousReporter;

    QLineEdit* box(const QString& name) { return form->findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) { return form->findChild<QLabel*>(name); }
    QPushButton* button() { return form->findChild<QPushButton*>("Command1"); }
    QString result() { return label("Label7")->text(); }

    // Replaces a box's text the way a user does: select all, then type.
    void type(const QString& name, const QString& text)
    {
        QLineEdit* edit = box(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }
    void type(const Edits& edits)
    {
        for (const auto& [name, text] : edits)
            type(name, text);
    }
    void click() { QTest::mouseClick(button(), Qt::LeftButton); }
    QStringList boxTexts()
    {
        QStringList texts;
        for (int i = 1; i <= 7; ++i)
            texts << box(QString("Text%1").arg(i))->text();
        return texts;
    }

private slots:
    void init()
    {
        reports.clear();
        previousReporter = platform::SetErrorReporter(
            [this](QWidget*, const QString& title, const QString& text) {
                reports.append(title + '|' + text);
            });
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        form.reset();
        platform::SetErrorReporter(previousReporter);
    }

    // Kinds, initial texts and captions; a screen reader announces each box
    // by its caption.
    void startState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("accessibleName");
        const char* rows[][4] = {
            {"Text1", "QLineEdit", "200", "城镇人均用水量/天"},
            {"Text2", "QLineEdit", "100", "农村人均用水量/天"},
            {"Text3", "QLineEdit", "365", "全年天数"},
            {"Text4", "QLineEdit", "0.25", "城市耗水率"},
            {"Text5", "QLineEdit", "0.8", "农村耗水率"},
            {"Text6", "QLineEdit", "", "城镇人口"},
            {"Text7", "QLineEdit", "", "农村人口"},
            {"Label1", "QLabel", "城镇人均用水量/天", "城镇人均用水量/天"},
            {"Label2", "QLabel", "农村人均用水量/天", "农村人均用水量/天"},
            {"Label3", "QLabel", "全年天数", "全年天数"},
            {"Label4", "QLabel", "城市耗水率", "城市耗水率"},
            {"Label5", "QLabel", "农村耗水率", "农村耗水率"},
            {"Label6", "QLabel", "计算公式", "计算公式"},
            {"Label7", "QLabel", "", ""},
            {"Label8", "QLabel", "城镇人口", "城镇人口"},
            {"Label9", "QLabel", "农村人口", "农村人口"},
            {"Command1", "QPushButton", "计算", "计算"},
        };
        for (const auto& [name, kind, text, accessibleName] : rows)
            QTest::newRow(name) << QString(name) << QString(kind) << QString::fromUtf8(text)
                                << QString::fromUtf8(accessibleName);
    }
    void startState()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, accessibleName);
        QWidget* widget = form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->metaObject()->className(), kind);
        QCOMPARE(widget->property("text").toString(), text);
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
                 accessibleName);
        QCOMPARE(form->windowTitle(), QString("Form1"));
    }

    void tabCycle()
    {
        QCOMPARE(QApplication::focusWidget(), box("Text1"));
        QStringList visited;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"Text2", "Text3", "Text4", "Text5", "Command1", "Text6",
                                       "Text7", "Text1"}));
    }

    void geometry()
    {
        QCOMPARE(form->size(), QSize(506, 352));
        const QList<QWidget*> controls = form->findChildren<QWidget*>();
        QCOMPARE(controls.size(), 17);
        for (QWidget* control : controls)
            QVERIFY2(form->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (QLineEdit* edit : form->findChildren<QLineEdit*>())
            QCOMPARE(edit->width(), edit->objectName() == "Text1" ? 1335 / 15 : 1215 / 15);
        // Resizing the window leaves every control where it was.
        const QRect before = box("Text6")->geometry();
        form->resize(800, 600);
        QTRY_COMPARE(form->size(), QSize(800, 600));
        QCOMPARE(box("Text6")->geometry(), before);
    }

    // Each caption is drawn in a font that has its characters, fits its
    // label, and runs into no text box.
    void captions()
    {
        for (QLabel* caption : form->findChildren<QLabel*>()) {
            const QString name = caption->objectName();
            QCOMPARE(QFontInfo(caption->font()).family(), QString("Discharge Captions"));
            const QFontMetrics metrics(caption->font());
            for (const char32_t c : caption->text().toUcs4())
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(name));
            QRect drawn = metrics.boundingRect(caption->contentsRect(),
                                               int(caption->alignment()) | Qt::TextWordWrap,
                                               caption->text());
            QVERIFY2(caption->contentsRect().contains(drawn), qPrintable(name));
            drawn.translate(caption->pos());
            for (QLineEdit* edit : form->findChildren<QLineEdit*>())
                QVERIFY2(!drawn.intersects(edit->geometry()),
                         qPrintable(name + " runs into " + edit->objectName()));
            // Static text starts at the top of its box.
            QVERIFY(caption->alignment() & Qt::AlignTop);
        }
    }

    void compute_data()
    {
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty populations") << Edits{} << "0";
        QTest::newRow("10000 urban, 5000 rural")
            << Edits{{"Text6", "10000"}, {"Text7", "5000"}} << "584000";
        QTest::newRow("one urban resident") << Edits{{"Text6", "1"}} << "54.75";
        QTest::newRow("one rural resident: 15 digits")
            << Edits{{"Text6", "0"}, {"Text7", "1"}} << "7.3";
        QTest::newRow("comma ends the rate")
            << Edits{{"Text4", "0,25"}, {"Text6", "1"}} << "73";
        QTest::newRow("blank inside a number") << Edits{{"Text6", "1 000"}} << "54750";
    }
    void compute()
    {
        QFETCH(Edits, edits);
        QFETCH(QString, shown);
        type(edits);
        click();
        QCOMPARE(result(), shown);
        QVERIFY(reports.isEmpty());
    }

    // Full-width digits as a Chinese input method commits them.
    void inputMethodDigits()
    {
        for (const auto& [name, text] : {std::pair{"Text6", "１００００"}, {"Text7", "５０００"}}) {
            box(name)->setFocus();
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8(text));
            QApplication::sendEvent(box(name), &commit);
            QCOMPARE(box(name)->text(), QString::fromUtf8(text));
        }
        click();
        QCOMPARE(result(), QString("584000"));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Space on the button") << "Command1" << int(Qt::Key_Space) << "584000";
        QTest::newRow("Return on the button") << "Command1" << int(Qt::Key_Return) << "584000";
        QTest::newRow("Enter on the button") << "Command1" << int(Qt::Key_Enter) << "584000";
        QTest::newRow("Return in a box") << "Text7" << int(Qt::Key_Return) << "";
        QTest::newRow("Enter in a box") << "Text7" << int(Qt::Key_Enter) << "";
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, shown);
        type({{"Text6", "10000"}, {"Text7", "5000"}});
        QWidget* target = form->findChild<QWidget*>(focus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(result(), shown);
    }

    void resultStaysUntilNextClick()
    {
        type({{"Text6", "10000"}, {"Text7", "5000"}});
        click();
        click();
        QCOMPARE(result(), QString("584000"));
        type("Text6", "1");
        type("Text7", "");
        QCOMPARE(result(), QString("584000"));
        click();
        QCOMPARE(result(), QString("54.75"));
    }

    void overflow_data()
    {
        QTest::addColumn<Edits>("edits");
        for (int i = 1; i <= 7; ++i)
            QTest::addRow("Text%d beyond range", i) << Edits{{QString("Text%1").arg(i), "-1e309"}};
        QTest::newRow("product beyond range") << Edits{{"Text1", "1e300"}, {"Text6", "1e300"}};
        QTest::newRow("infinite parts cancel")
            << Edits{{"Text1", "1e300"}, {"Text6", "1e300"}, {"Text2", "1e300"},
                     {"Text5", "2"}, {"Text7", "1e300"}};
    }
    void overflow()
    {
        QFETCH(Edits, edits);
        type({{"Text6", "10000"}, {"Text7", "5000"}});
        click();
        type(edits);
        const QStringList texts = boxTexts();
        click();
        QCOMPARE(reports, QStringList{"Form1|溢出：计算结果超出数值范围。"});
        QCOMPARE(result(), QString("584000"));
        QCOMPARE(boxTexts(), texts);

        // Still responding: mend the figures and compute again.
        type({{"Text1", "200"}, {"Text2", "100"}, {"Text3", "365"}, {"Text4", "0.25"}, {"Text5", "0.8"},
              {"Text6", "1"}, {"Text7", "0"}});
        click();
        QCOMPARE(result(), QString("54.75"));
        QCOMPARE(reports.size(), 1);
    }

    // A 1 MiB text pasted into a box is kept whole and read like a short one.
    void pasteMegabyte_data()
    {
        QTest::addColumn<QString>("name");
        for (int i = 1; i <= 7; ++i)
            QTest::newRow(qPrintable(QString("Text%1").arg(i))) << QString("Text%1").arg(i);
    }
    void pasteMegabyte()
    {
        QFETCH(QString, name);
        type({{"Text6", "10000"}, {"Text7", "5000"}, {name, "7"}});
        click();
        const QString expected = result();

        const QString huge = QString(1 << 20, u' ').replace(0, 1, u'7');
        QApplication::clipboard()->setText(huge);
        type(name, "");
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(box(name), Qt::Key_V, Qt::ControlModifier);
        label("Label7")->clear();
        click();
        // A guard against a freeze, far above the few milliseconds this takes.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(box(name)->text().size(), huge.size());
        QCOMPARE(result(), expected);
    }

    // Many clicks in a row give the same result and keep memory flat.
    void manyClicks()
    {
        type({{"Text6", "10000"}, {"Text7", "5000"}});
        for (int i = 0; i < 1000; ++i)
            button()->click();
        [[maybe_unused]] const long before = ResidentBytes();
        for (int i = 0; i < 10000; ++i)
            button()->click();
        QCOMPARE(result(), QString("584000"));
#ifndef __SANITIZE_ADDRESS__ // the sanitizer holds freed memory back on purpose
        QVERIFY2(ResidentBytes() - before < 1 << 20,
                 qPrintable(QString("grew by %1 bytes").arg(ResidentBytes() - before)));
#endif
    }

    // The result can be selected with the mouse, and a screen reader reads it.
    void resultCanBeSelectedAndRead()
    {
        type({{"Text6", "10000"}, {"Text7", "5000"}});
        click();
        QTest::mouseDClick(label("Label7"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(label("Label7")->selectedText(), QString("584000"));
        QCOMPARE(QAccessible::queryAccessibleInterface(label("Label7"))->text(QAccessible::Name),
                 QString("584000"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
