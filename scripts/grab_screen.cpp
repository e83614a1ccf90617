// Saves a rectangle of the screen as an image: grab_screen X Y WIDTH HEIGHT FILE.
// Used to take the README's screenshot of the real window, frame included.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 6) {
        std::fputs("usage: grab_screen X Y WIDTH HEIGHT FILE\n", stderr);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, args[1].toInt(), args[2].toInt(), args[3].toInt(), args[4].toInt());
    return shot.save(args[5]) ? 0 : 1;
}
