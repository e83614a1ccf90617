// One activation of the calculate button on the offscreen platform, with the
// worked example's figures: "Click" is the handler (seven reads, the formula,
// the label's new text); "ClickAndRepaint" adds the events that follow,
// among them the label's repaint. The label is emptied between clicks
// (untimed) so that every click really changes it, by a new text as the
// program changes it: QLabel::clear would also delete the selectable
// label's text document, which each click would then build anew.
#include "platform/qt/form.h"
#include "ui/Form1.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* form = nullptr;

void Measure(benchmark::State& state, bool repaint)
{
    auto* button = form->findChild<QPushButton*>("Command1");
    auto* result = form->findChild<QLabel*>("Label7");
    for (auto _ : state) {
        state.PauseTiming();
        result->setText(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        button->click();
        if (repaint)
            QCoreApplication::processEvents();
    }
    if (result->text() != "584000")
        state.SkipWithError("wrong result");
}

void Click(benchmark::State& state) { Measure(state, false); }
void ClickAndRepaint(benchmark::State& state) { Measure(state, true); }

} // namespace

BENCHMARK(Click)->Unit(benchmark::kMicrosecond);
BENCHMARK(ClickAndRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::unique_ptr<QWidget> window = platform::qt::CreateForm(Form1);
    window->findChild<QLineEdit*>("Text6")->setText("10000");
    window->findChild<QLineEdit*>("Text7")->setText("5000");
    window->show();
    form = window.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
