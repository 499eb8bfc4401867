#include "platform/privatedatei.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemGrund(int fehler)
{
    return QString::fromLocal8Bit(std::strerror(fehler));
}

// The folder and every missing one above it, each private to its owner like the file.
bool ordnerAnlegen(const QByteArray& ordner, QString& grund)
{
    struct stat info { };
    if (::stat(ordner.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        grund = systemGrund(ENOTDIR);
        return false;
    }
    const qsizetype trenner = ordner.lastIndexOf('/');
    if (trenner > 0 && !ordnerAnlegen(ordner.left(trenner), grund))
        return false;
    if (::mkdir(ordner.constData(), S_IRWXU) != 0 && errno != EEXIST) {
        grund = systemGrund(errno);
        return false;
    }
    return true;
}

// The store writes a new file beside the old one and renames it over it, so
// the folder must take a new file even when the file itself is writable.
bool ordnerNimmtNeueDatei(const QByteArray& ordner, QString& grund)
{
    QByteArray muster = ordner + "/.fotoschicker-probe-XXXXXX";
    const int fd = ::mkstemp(muster.data());
    if (fd < 0) {
        grund = systemGrund(errno);
        return false;
    }
    ::close(fd);
    ::unlink(muster.constData());
    return true;
}

// QSettings replaces the file a link points to, through a temporary file in
// that file's folder, so the link stays a link; followed the same way here.
QFileInfo ziel(const QString& pfad)
{
    QFileInfo info(pfad);
    for (int tiefe = 0; tiefe < 128 && info.isSymLink(); ++tiefe)
        info.setFile(info.symLinkTarget());
    return info;
}

QString keineDatei(const QString& pfad, mode_t art)
{
    const QString was = S_ISFIFO(art)  ? QStringLiteral("eine benannte Pipe (FIFO)")
        : S_ISCHR(art) || S_ISBLK(art) ? QStringLiteral("ein Gerät")
        : S_ISSOCK(art)                ? QStringLiteral("ein Socket")
                                       : QStringLiteral("etwas anderes");
    const QFileInfo info(pfad);
    if (!info.isSymLink())
        return QStringLiteral("Sie ist keine gewöhnliche Datei, sondern ") + was + u'.';
    return QStringLiteral("Sie verweist auf „") + ziel(pfad).absoluteFilePath()
        + QStringLiteral("“, und das ist keine gewöhnliche Datei, sondern ") + was + u'.';
}
} // namespace

QString speicherort(const QString& anwendung)
{
    // The user path QSettings takes for NativeFormat and UserScope.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + anwendung + u'/' + anwendung
        + QStringLiteral(".conf");
}

bool privateDateiAnlegen(const QString& pfad, QString& grund)
{
    const QFileInfo datei = ziel(pfad);
    const QByteArray ordner = QFile::encodeName(datei.absolutePath());
    if (!ordnerAnlegen(ordner, grund))
        return false;
    const QByteArray name = QFile::encodeName(datei.absoluteFilePath());
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        grund = systemGrund(errno);
        return false;
    }
    const bool privat = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    if (!privat)
        grund = systemGrund(errno);
    ::close(fd);
    return privat && ordnerNimmtNeueDatei(ordner, grund);
}

bool istPrivat(const QString& pfad)
{
    struct stat info { };
    return ::stat(QFile::encodeName(pfad).constData(), &info) == 0 && S_ISREG(info.st_mode)
        && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

QString lesefehler(const QString& pfad, QByteArray& inhalt)
{
    inhalt.clear();
    const QByteArray name = QFile::encodeName(pfad);
    struct stat info { };
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? QString() : systemGrund(errno);
    if (S_ISDIR(info.st_mode))
        return systemGrund(EISDIR);
    // Opening a FIFO waits for a writer, and opening a device may do
    // something: neither is opened at all.
    if (!S_ISREG(info.st_mode))
        return keineDatei(pfad, info.st_mode);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return systemGrund(errno);
    QString grund;
    if (::fstat(fd, &info) != 0) {
        grund = systemGrund(errno);
    } else if (!S_ISREG(info.st_mode)) {
        grund = keineDatei(pfad, info.st_mode);
    } else {
        char puffer[4096];
        for (;;) {
            const ssize_t gelesen = ::read(fd, puffer, sizeof puffer);
            if (gelesen > 0) {
                inhalt.append(puffer, gelesen);
                continue;
            }
            if (gelesen < 0 && errno == EINTR)
                continue;
            if (gelesen < 0)
                grund = systemGrund(errno);
            break;
        }
    }
    ::close(fd);
    return grund;
}
