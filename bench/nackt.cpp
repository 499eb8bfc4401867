// The yardstick of bench/zwischenablage.sh: the least a Qt Widgets program
// does to show a window and put a text in the clipboard. It shows one label,
// sets the clipboard and ends once the label is on the screen.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("http://bilder.example/bild.jpg"));
    label.setWindowTitle(QStringLiteral("nackt"));
    label.show();
    QApplication::clipboard()->setText(label.text());
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
