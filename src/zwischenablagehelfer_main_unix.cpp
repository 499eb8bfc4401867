// fotoschicker-zwischenablage: keeps a text in the X11 clipboard after the
// program that set it has ended. It reads the text from standard input, owns
// the clipboard until another program takes it, then ends. It closes its
// standard output once it owns the clipboard. It shows no window, takes no
// lock and writes nothing anywhere.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Whatever else the caller left open (a pipe a script reads to its end) is not ours to keep.
    closefrom(3);
    QFile eingabe;
    if (!eingabe.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(eingabe.readAll());
    eingabe.close();
    // Let go of the caller's input at once; we may live for hours.
    if (!std::freopen("/dev/null", "r", stdin))
        return 1;

    QGuiApplication app(argc, argv);
    if (QGuiApplication::platformName() != u"xcb")
        return 0;
    QClipboard* ablage = QGuiApplication::clipboard();
    ablage->setText(text, QClipboard::Clipboard);
    if (!ablage->ownsClipboard())
        return 1;
    // Our caller waits for our output to close: the text is in the clipboard now.
    if (!std::freopen("/dev/null", "w", stdout))
        return 1;
    // Our own change is reported too; only a new owner ends the service.
    QObject::connect(ablage, &QClipboard::dataChanged, &app, [ablage] {
        if (!ablage->ownsClipboard())
            QCoreApplication::quit();
    });
    return app.exec();
}
