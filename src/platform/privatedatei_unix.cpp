#include "platform/privatedatei.h"

#include <QFile>
#include <QFileInfo>

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
} // namespace

bool privateDateiAnlegen(const QString& pfad, QString& grund)
{
    const QByteArray ordner = QFile::encodeName(QFileInfo(pfad).absolutePath());
    if (!ordnerAnlegen(ordner, grund))
        return false;
    const QByteArray name = QFile::encodeName(pfad);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
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

QString lesefehler(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    struct stat info { };
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? QString() : systemGrund(errno);
    if (S_ISDIR(info.st_mode))
        return systemGrund(EISDIR);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return systemGrund(errno);
    ::close(fd);
    return QString();
}
