// How long the history window takes to open on a long history: from opening
// the store to the first painted window, with ROWS uploads in it (each with a
// 128 px thumbnail), RUNS times over. Offscreen unless QT_QPA_PLATFORM says otherwise.
//   build/bench/bench_verlauf [ROWS] [RUNS]
#include "gui/qtdialoge.h"
#include "gui/verlaufsfenster.h"
#include "links/qtzwischenablage.h"
#include "settings/einstellungsspeicher.h"
#include "settings/qtschluesselbund.h"
#include "verlauf/uploadeintrag.h"
#include "verlauf/verlaufsspeicher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
QByteArray vorschauMitRauschen(const QString& ordner)
{
    QImage bild(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, QRandomGenerator::global()->generate());
    const QString pfad = ordner + QStringLiteral("/rauschen.jpg");
    bild.save(pfad, "JPEG", 90);
    return vorschaubild(pfad);
}

// Straight into the table in one transaction: row by row through the store,
// each commit would wait for the disk, and filling is not what is measured.
bool fuellen(const QString& datei, int zeilen, const QByteArray& vorschau)
{
    QString fehler;
    if (!Verlaufsspeicher(datei).oeffnen(fehler))
        return false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuellen"));
    db.setDatabaseName(datei);
    if (!db.open() || !db.transaction())
        return false;
    QSqlQuery abfrage(db);
    abfrage.prepare(QStringLiteral(
        "INSERT INTO uploads (zeit, datei, link, modus, server, benutzer, entfernter_pfad, groesse, vorschau,"
        " loeschschluessel) VALUES (?, ?, ?, 'Bildhost', 'bilder.example.org', '', ?, 200000, ?, ?)"));
    for (int i = 0; i < zeilen; ++i) {
        const QString name = QStringLiteral("%1.jpg").arg(i, 32, 16, QLatin1Char('0'));
        abfrage.addBindValue(QDateTime::currentDateTimeUtc().addSecs(-i * 60).toString(Qt::ISODateWithMs));
        abfrage.addBindValue(QStringLiteral("/home/anna/Bilder/Urlaub/Bild %1.jpg").arg(i));
        abfrage.addBindValue(QString(QStringLiteral("http://bilder.example.org/") + name));
        abfrage.addBindValue(name);
        abfrage.addBindValue(vorschau);
        abfrage.addBindValue(QStringLiteral("0123456789abcdef0123456789abcdef"));
        if (!abfrage.exec())
            return false;
    }
    return db.commit();
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int zeilen = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int laeufe = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("verlauf.sqlite"));
    const QByteArray vorschau = vorschauMitRauschen(ordner.path());
    if (!fuellen(datei, zeilen, vorschau)) {
        std::fputs("could not fill the history\n", stderr);
        return 1;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fuellen"));

    QtDialoge dialoge;
    QtZwischenablage zwischenablage;
    Einstellungsspeicher einstellungen;
    QtSchluesselbund schluesselbund;
    QList<qint64> zeiten;
    for (int lauf = 0; lauf < laeufe; ++lauf) {
        QElapsedTimer uhr;
        uhr.start();
        Verlaufsspeicher speicher(datei);
        Verlaufsfenster fenster(speicher, einstellungen, schluesselbund, dialoge, zwischenablage);
        QString fehler;
        if (!fenster.laden(fehler)) {
            std::fprintf(stderr, "%s\n", qPrintable(fehler));
            return 1;
        }
        fenster.show();
        // grab() paints the window as it would appear, thumbnails of the visible rows included.
        const QPixmap bild = fenster.grab();
        zeiten.append(uhr.elapsed());
        if (bild.isNull())
            return 1;
    }
    std::sort(zeiten.begin(), zeiten.end());
    std::printf("%d rows, thumbnails of %lld bytes, file %lld bytes: open to first paint min %lld ms, median %lld ms, "
                "max %lld ms over %d runs\n",
        zeilen, static_cast<long long>(vorschau.size()), static_cast<long long>(QFileInfo(datei).size()),
        zeiten.first(), zeiten.at(zeiten.size() / 2), zeiten.last(), laeufe);
    return 0;
}
