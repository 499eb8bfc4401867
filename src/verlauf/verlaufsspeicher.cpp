#include "verlauf/verlaufsspeicher.h"

#include "platform/privatedatei.h"
#include "text/textfunktionen.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <utility>

namespace {
// Long enough for another program's write to end; a busy disk may take seconds.
constexpr int wartezeitMs = 30000;

QString zeitText(const QDateTime& zeit)
{
    return zeit.isValid() ? zeit.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime zeitAus(const QVariant& wert)
{
    if (wert.isNull())
        return {};
    // Written with "Z", so it reads back as UTC.
    return QDateTime::fromString(wert.toString(), Qt::ISODateWithMs);
}

// SQLITE_CORRUPT and SQLITE_NOTADB: the file is there, but not a database SQLite can read.
bool istBeschaedigt(const QSqlError& fehler)
{
    const QString code = fehler.nativeErrorCode();
    return code == u"11" || code == u"26";
}

// SQLITE_BUSY and SQLITE_LOCKED.
bool istBesetzt(const QSqlError& fehler)
{
    const QString code = fehler.nativeErrorCode();
    return code == u"5" || code == u"6";
}

bool ausfuehren(QSqlQuery& abfrage, const QString& text, QString& fehler, bool* beschaedigt = nullptr)
{
    if (abfrage.exec(text))
        return true;
    fehler = abfrage.lastError().databaseText();
    if (beschaedigt)
        *beschaedigt = istBeschaedigt(abfrage.lastError());
    return false;
}

// Setting up a new file takes locks SQLite hands out without waiting: two
// programs creating it at once would have one of them fail. It tries again
// until the other is done.
bool einrichten(QSqlQuery& abfrage, const QString& text, QString& fehler, bool& beschaedigt)
{
    const QDeadlineTimer frist(wartezeitMs);
    while (!ausfuehren(abfrage, text, fehler, &beschaedigt)) {
        if (!istBesetzt(abfrage.lastError()) || frist.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

// Qt binds a null QString as SQL NULL; the text columns hold "" instead.
QString text(const QString& wert)
{
    return wert.isNull() ? QStringLiteral("") : wert;
}

QString ortsfehler(const QString& datei, const QString& grund)
{
    return QStringLiteral("Der Verlauf „%1“ ist nicht nutzbar: %2")
        .arg(QDir::toNativeSeparators(datei), alsSatz(grund));
}
} // namespace

QString verlaufsdatei()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/MorvaFotoschicker/verlauf.sqlite");
}

Verlaufsspeicher::Verlaufsspeicher(QString datei)
    : m_datei(std::move(datei))
{
    static std::atomic<int> zaehler{ 0 };
    m_verbindung = QStringLiteral("verlauf-") + QString::number(++zaehler);
}

Verlaufsspeicher::~Verlaufsspeicher()
{
    trennen();
}

QSqlDatabase Verlaufsspeicher::datenbank() const
{
    return QSqlDatabase::database(m_verbindung, false);
}

void Verlaufsspeicher::trennen()
{
    if (!QSqlDatabase::contains(m_verbindung))
        return;
    datenbank().close();
    QSqlDatabase::removeDatabase(m_verbindung);
    m_offen = false;
}

bool Verlaufsspeicher::oeffnen(QString& fehler)
{
    if (m_offen)
        return true;
    QString grund;
    // Created private before SQLite writes anything into it.
    if (!privateDateiAnlegen(m_datei, grund)) {
        fehler = ortsfehler(m_datei, grund);
        return false;
    }
    bool beschaedigt = false;
    if (verbinden(grund, beschaedigt)) {
        m_offen = true;
        return true;
    }
    trennen();
    if (!beschaedigt) {
        fehler = ortsfehler(m_datei, grund);
        return false;
    }
    if (!beiseiteLegen(fehler) || !privateDateiAnlegen(m_datei, grund)) {
        if (fehler.isEmpty())
            fehler = ortsfehler(m_datei, grund);
        return false;
    }
    if (!verbinden(grund, beschaedigt)) {
        trennen();
        fehler = ortsfehler(m_datei, grund);
        return false;
    }
    m_offen = true;
    return true;
}

bool Verlaufsspeicher::verbinden(QString& fehler, bool& beschaedigt)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_verbindung);
    db.setDatabaseName(m_datei);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(wartezeitMs));
    if (!db.open()) {
        fehler = db.lastError().databaseText();
        beschaedigt = istBeschaedigt(db.lastError());
        return false;
    }
    QSqlQuery abfrage(db);
    // WAL lets a reader and a writer work at once, and a program that dies mid-write leaves the file whole.
    return einrichten(abfrage, QStringLiteral("PRAGMA journal_mode=WAL"), fehler, beschaedigt)
        // With WAL, NORMAL never damages the file either; only a power cut may take the newest row,
        // where FULL would make every upload wait for the disk.
        && einrichten(abfrage, QStringLiteral("PRAGMA synchronous=NORMAL"), fehler, beschaedigt)
        && einrichten(abfrage,
            QStringLiteral("CREATE TABLE IF NOT EXISTS uploads (id INTEGER PRIMARY KEY, zeit TEXT NOT NULL,"
                           " datei TEXT NOT NULL, link TEXT NOT NULL, modus TEXT NOT NULL, server TEXT NOT NULL,"
                           " benutzer TEXT NOT NULL, entfernter_pfad TEXT NOT NULL, groesse INTEGER NOT NULL,"
                           " vorschau BLOB, loeschschluessel TEXT NOT NULL, geloescht TEXT)"),
            fehler, beschaedigt)
        && einrichten(
            abfrage, QStringLiteral("CREATE INDEX IF NOT EXISTS uploads_zeit ON uploads (zeit)"), fehler, beschaedigt)
        // A file whose first pages read well may still be damaged further on.
        && einrichten(abfrage, QStringLiteral("SELECT count(*) FROM uploads"), fehler, beschaedigt);
}

bool Verlaufsspeicher::beiseiteLegen(QString& fehler)
{
    const QString ziel
        = m_datei + QStringLiteral(".beschaedigt-") + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss");
    if (QFile::exists(ziel) || !QFile::rename(m_datei, ziel)) {
        fehler = QStringLiteral(
            "Der Verlauf „%1“ ist beschädigt und ließ sich nicht beiseitelegen. Er bleibt, wie er ist.")
                     .arg(QDir::toNativeSeparators(m_datei));
        return false;
    }
    // The journal belongs to the damaged file: next to a new one it would be read as its own.
    for (const QString& endung : { QStringLiteral("-wal"), QStringLiteral("-shm") })
        if (QFile::exists(m_datei + endung))
            QFile::rename(m_datei + endung, ziel + endung);
    m_hinweis = QStringLiteral("Der Verlauf „%1“ war beschädigt. Er wurde nach „%2“ verschoben, ein neuer Verlauf ist "
                               "angelegt.")
                    .arg(QDir::toNativeSeparators(m_datei), QDir::toNativeSeparators(ziel));
    return true;
}

QString Verlaufsspeicher::eintragen(const Verlaufseintrag& eintrag)
{
    QString fehler;
    if (!oeffnen(fehler))
        return fehler;
    QSqlQuery abfrage(datenbank());
    abfrage.prepare(QStringLiteral(
        "INSERT INTO uploads (zeit, datei, link, modus, server, benutzer, entfernter_pfad, groesse, vorschau,"
        " loeschschluessel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    abfrage.addBindValue(zeitText(eintrag.zeit));
    abfrage.addBindValue(text(eintrag.datei));
    abfrage.addBindValue(text(eintrag.link));
    abfrage.addBindValue(text(eintrag.modus));
    abfrage.addBindValue(text(eintrag.server));
    abfrage.addBindValue(text(eintrag.benutzer));
    abfrage.addBindValue(text(eintrag.entfernterPfad));
    abfrage.addBindValue(eintrag.groesse);
    abfrage.addBindValue(eintrag.vorschau);
    abfrage.addBindValue(text(eintrag.loeschschluessel));
    if (!abfrage.exec())
        return QStringLiteral("Der Upload konnte nicht in den Verlauf „%1“ eingetragen werden: %2")
            .arg(QDir::toNativeSeparators(m_datei), alsSatz(abfrage.lastError().databaseText()));
    // Told once: the next picture of the same run has nothing new to say.
    return std::exchange(m_hinweis, QString());
}

std::optional<QList<Verlaufseintrag>> Verlaufsspeicher::eintraege(QString& fehler)
{
    if (!oeffnen(fehler))
        return std::nullopt;
    QSqlQuery abfrage(datenbank());
    abfrage.setForwardOnly(true);
    if (!ausfuehren(abfrage,
            QStringLiteral("SELECT id, zeit, datei, link, modus, server, benutzer, entfernter_pfad, groesse,"
                           " loeschschluessel, geloescht FROM uploads ORDER BY zeit DESC, id DESC"),
            fehler)) {
        fehler = ortsfehler(m_datei, fehler);
        return std::nullopt;
    }
    QList<Verlaufseintrag> liste;
    while (abfrage.next()) {
        Verlaufseintrag e;
        e.id = abfrage.value(0).toLongLong();
        e.zeit = zeitAus(abfrage.value(1));
        e.datei = abfrage.value(2).toString();
        e.link = abfrage.value(3).toString();
        e.modus = abfrage.value(4).toString();
        e.server = abfrage.value(5).toString();
        e.benutzer = abfrage.value(6).toString();
        e.entfernterPfad = abfrage.value(7).toString();
        e.groesse = abfrage.value(8).toLongLong();
        e.loeschschluessel = abfrage.value(9).toString();
        e.geloescht = zeitAus(abfrage.value(10));
        liste.append(std::move(e));
    }
    return liste;
}

QByteArray Verlaufsspeicher::vorschau(qint64 id)
{
    QString fehler;
    if (!oeffnen(fehler))
        return {};
    QSqlQuery abfrage(datenbank());
    abfrage.prepare(QStringLiteral("SELECT vorschau FROM uploads WHERE id = ?"));
    abfrage.addBindValue(id);
    if (!abfrage.exec() || !abfrage.next())
        return {};
    return abfrage.value(0).toByteArray();
}

bool Verlaufsspeicher::entfernen(qint64 id, QString& fehler)
{
    if (!oeffnen(fehler))
        return false;
    QSqlQuery abfrage(datenbank());
    abfrage.prepare(QStringLiteral("DELETE FROM uploads WHERE id = ?"));
    abfrage.addBindValue(id);
    if (abfrage.exec())
        return true;
    fehler = ortsfehler(m_datei, abfrage.lastError().databaseText());
    return false;
}

bool Verlaufsspeicher::geloeschtVermerken(qint64 id, const QDateTime& zeit, QString& fehler)
{
    if (!oeffnen(fehler))
        return false;
    QSqlQuery abfrage(datenbank());
    abfrage.prepare(QStringLiteral("UPDATE uploads SET geloescht = ? WHERE id = ?"));
    abfrage.addBindValue(zeitText(zeit));
    abfrage.addBindValue(id);
    if (abfrage.exec())
        return true;
    fehler = ortsfehler(m_datei, abfrage.lastError().databaseText());
    return false;
}
