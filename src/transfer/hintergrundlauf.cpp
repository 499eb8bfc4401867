#include "transfer/hintergrundlauf.h"

#include "transfer/curldurchlauf.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>

CURLcode Hintergrundlauf::ausfuehren(CURL* handle)
{
    CURLcode ergebnis = CURLE_FAILED_INIT;
    std::unique_ptr<QThread> arbeiter(QThread::create([handle, &ergebnis] { ergebnis = curlDurchfuehren(handle); }));
    QEventLoop schleife;
    // Queued: finished is emitted on the worker, after every call it posted,
    // so the loop ends only once those have run here.
    QObject::connect(arbeiter.get(), &QThread::finished, &schleife, &QEventLoop::quit, Qt::QueuedConnection);
    arbeiter->start();
    if (!arbeiter->isRunning() && !arbeiter->isFinished()) {
        // No thread to be had (the system is out of them): finished would
        // never come, so the transfer runs here, without repainting.
        ergebnis = curlDurchfuehren(handle);
        QCoreApplication::sendPostedEvents(&m_kontext);
        return ergebnis;
    }
    schleife.exec();
    arbeiter->wait();
    return ergebnis;
}

void Hintergrundlauf::imVordergrund(std::function<void()> aufruf)
{
    QMetaObject::invokeMethod(&m_kontext, std::move(aufruf), Qt::QueuedConnection);
}
