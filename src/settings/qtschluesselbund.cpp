#include "settings/qtschluesselbund.h"

#include "platform/sitzungsbus.h"

#include <QEventLoop>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <functional>

namespace {
const QString dienst = QStringLiteral("Morva Fotoschicker");

template <typename JobArt> JobArt* neuerJob(const QString& konto)
{
    // The job deletes itself when it ends, also after a wait that ran out:
    // it may still be answered, and must not be deleted under the keyring's feet.
    auto* job = new JobArt(dienst);
    job->setAutoDelete(true);
    // Without a keyring QtKeychain could keep the password in a plain file of its own.
    job->setInsecureFallback(false);
    job->setKey(konto);
    return job;
}

// Runs the job and waits for it, at most frist. ende sees the finished job.
Schluesselbund::Antwort abwarten(QKeychain::Job* job, std::chrono::milliseconds frist,
    const std::function<Schluesselbund::Antwort(QKeychain::Job*)>& ende)
{
    QEventLoop schleife;
    Schluesselbund::Antwort antwort = Schluesselbund::Antwort::Zeitueberschreitung;
    // The loop is the connections' context: a job that ends after the wait reaches nothing.
    QObject::connect(job, &QKeychain::Job::finished, &schleife, [&](QKeychain::Job* fertig) {
        antwort = ende(fertig);
        schleife.quit();
    });
    QTimer wecker;
    wecker.setSingleShot(true);
    QObject::connect(&wecker, &QTimer::timeout, &schleife, &QEventLoop::quit);
    wecker.start(frist);
    job->start();
    schleife.exec();
    return antwort;
}

Schluesselbund::Antwort fehlerAntwort(const QKeychain::Job* job)
{
    switch (job->error()) {
    case QKeychain::NoError:
        return Schluesselbund::Antwort::Erledigt;
    case QKeychain::EntryNotFound:
        return Schluesselbund::Antwort::NichtGefunden;
    default:
        return Schluesselbund::Antwort::Fehlt;
    }
}
} // namespace

QtSchluesselbund::QtSchluesselbund(std::chrono::milliseconds frist)
    : m_frist(frist)
{
}

Schluesselbund::Antwort QtSchluesselbund::lesen(const QString& konto, QString& passwort)
{
    if (!sitzungsbusDa())
        return Antwort::Fehlt;
    auto* job = neuerJob<QKeychain::ReadPasswordJob>(konto);
    return abwarten(job, m_frist, [&passwort](QKeychain::Job* fertig) {
        const Antwort antwort = fehlerAntwort(fertig);
        if (antwort == Antwort::Erledigt)
            passwort = static_cast<QKeychain::ReadPasswordJob*>(fertig)->textData();
        return antwort;
    });
}

Schluesselbund::Antwort QtSchluesselbund::schreiben(const QString& konto, const QString& passwort)
{
    if (!sitzungsbusDa())
        return Antwort::Fehlt;
    auto* job = neuerJob<QKeychain::WritePasswordJob>(konto);
    job->setTextData(passwort);
    return abwarten(job, m_frist, fehlerAntwort);
}

Schluesselbund::Antwort QtSchluesselbund::loeschen(const QString& konto)
{
    if (!sitzungsbusDa())
        return Antwort::Fehlt;
    return abwarten(neuerJob<QKeychain::DeletePasswordJob>(konto), m_frist, fehlerAntwort);
}
