// Start-up to the first paint, for GNU time to measure: "program" starts the
// program as main does (the application set up, Form1 built and shown);
// "empty" shows one empty window of the same size, the floor; "latin" and
// "chinese" show that window with one label, to tell what drawing any text,
// and Chinese text, costs by itself. Each quits once its window has painted.
#include "app/program.h"
#include "platform/qt/form.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <memory>

namespace {

class QuitAfterPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    const QString mode = argc > 1 ? QString(argv[1]) : QString("program");
    QApplication app(argc, argv);
    QuitAfterPaint quitter;
    std::unique_ptr<QWidget> window;
    if (mode == "program") {
        // Painting waits for the event loop, so the filter is in time.
        window = platform::qt::Start(Program());
        window->installEventFilter(&quitter);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(506, 352);
        if (mode == "latin")
            new QLabel("Urban daily use per resident", window.get());
        else if (mode == "chinese")
            new QLabel("城镇人均用水量/天", window.get());
        window->installEventFilter(&quitter);
        window->show();
    }
    return QApplication::exec();
}
