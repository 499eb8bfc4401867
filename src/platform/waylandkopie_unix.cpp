#include "platform/waylandkopie.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

bool waylandKopieren(const QString& text, const QDeadlineTimer& frist)
{
    const QString programm = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
    if (programm.isEmpty())
        return false;
    QProcess kopie;
    kopie.setProgram(programm);
    // Without a type wl-copy guesses one from the content and offers an HTML snippet as HTML.
    kopie.setArguments({ QStringLiteral("--type"), QStringLiteral("text/plain") });
    // Its copy in the background lives on: it must not hold a caller's pipe or the picture's folder.
    kopie.setStandardOutputFile(QProcess::nullDevice());
    kopie.setStandardErrorFile(QProcess::nullDevice());
    kopie.setWorkingDirectory(QDir::rootPath());
    kopie.setChildProcessModifier([] { static_cast<void>(close_range(3, ~0U, CLOSE_RANGE_CLOEXEC)); });
    // Through a pipe, never the command line, which every user can read.
    kopie.start(QIODevice::WriteOnly);
    if (!kopie.waitForStarted(static_cast<int>(frist.remainingTime())))
        return false;
    kopie.write(text.toUtf8());
    kopie.closeWriteChannel();
    // wl-copy's first process ends once the compositor has confirmed the
    // selection, leaving a copy of itself in the background to serve it.
    if (!kopie.waitForFinished(static_cast<int>(frist.remainingTime()))) {
        // Waiting for an input focus it may never get (a compositor without the
        // data-control protocol): leave nothing behind.
        kopie.kill();
        kopie.waitForFinished();
        return false;
    }
    return kopie.exitStatus() == QProcess::NormalExit && kopie.exitCode() == 0;
}
