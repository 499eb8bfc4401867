#include "app/lockdatei.h"

#include <QDir>
#include <QStandardPaths>

Lockdatei::Lockdatei(const QString& pfad)
    : m_lock(pfad)
{
    // Never stale by age: a long upload must keep its lock. A dead holder is
    // still detected by its process id.
    m_lock.setStaleLockTime(0);
}

bool Lockdatei::andereInstanzLaeuft()
{
    // "OK" in the settings window runs the start again; our own lock is no other instance.
    if (m_lock.isLocked())
        return false;
    if (m_lock.tryLock(0))
        return false;
    // Only a lock held by someone else means another instance; a lock file that
    // cannot be made at all (no such folder, no rights) must not lock the user out
    // with "läuft bereits".
    return m_lock.error() == QLockFile::LockFailedError;
}

QString Lockdatei::standardPfad()
{
    QString ordner = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (ordner.isEmpty())
        ordner = QDir::tempPath();
    return ordner + QStringLiteral("/MorvaFotoschicker.lock");
}
