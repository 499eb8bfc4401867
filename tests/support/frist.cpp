#include "frist.h"

#include <QtGlobal>

Frist::Frist(std::chrono::milliseconds grenze, std::chrono::milliseconds testende)
    : m_grenze(grenze)
    , m_testende(testende)
{
    m_wachhund.setSingleShot(true);
    QObject::connect(&m_wachhund, &QTimer::timeout, [testende] {
        qFatal("The call under test was still running after its deadline of %lld ms",
            static_cast<long long>(testende.count()));
    });
    m_wachhund.start(testende);
    m_uhr.start();
}

QString Frist::verletzt() const
{
    const qint64 dauer = m_uhr.elapsed();
    if (dauer < m_grenze.count())
        return QStringLiteral("ended after %1 ms, before its limit of %2 ms").arg(dauer).arg(m_grenze.count());
    if (dauer >= m_testende.count())
        return QStringLiteral("ended after %1 ms, past the test's deadline").arg(dauer);
    return {};
}
