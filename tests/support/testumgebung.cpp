#include "testumgebung.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSettings>

Testumgebung::Testumgebung()
{
    QDir(m_ordner.path()).mkpath(QStringLiteral("config"));
    QDir(m_ordner.path()).mkpath(QStringLiteral("runtime"));
    QDir(m_ordner.path()).mkpath(QStringLiteral("dateien"));
    QFile::setPermissions(m_ordner.filePath(QStringLiteral("runtime")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_ordner.filePath(QStringLiteral("config"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_ordner.filePath(QStringLiteral("runtime"))));
}

QString Testumgebung::konfigurationsordner() const
{
    return m_ordner.filePath(QStringLiteral("config"));
}

QString Testumgebung::speicherDatei() const
{
    return konfigurationsordner() + QStringLiteral("/MorvaFotoschicker/MorvaFotoschicker.conf");
}

void Testumgebung::speicherLeeren()
{
    QFile::remove(speicherDatei());
}

void Testumgebung::speicherSetzen(const QString& schluessel, const QString& wert)
{
    QSettings speicher(speicherDatei(), QSettings::IniFormat);
    speicher.setValue(QStringLiteral("Optionen/") + schluessel, wert);
}

QMap<QString, QString> Testumgebung::speicherInhalt() const
{
    QSettings speicher(speicherDatei(), QSettings::IniFormat);
    speicher.beginGroup(QStringLiteral("Optionen"));
    QMap<QString, QString> inhalt;
    for (const QString& schluessel : speicher.childKeys())
        inhalt.insert(schluessel, speicher.value(schluessel).toString());
    return inhalt;
}

QString Testumgebung::datei(const QString& name, qint64 groesse)
{
    const QString pfad = m_ordner.filePath(QStringLiteral("dateien/") + name);
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly))
        datei.resize(groesse);
    return pfad;
}
