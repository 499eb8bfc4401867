#include "statusfenster/fortschrittstext.h"

#include <QLocale>

#include <cmath>

namespace {
QString geschwindigkeit(double bytesProSekunde)
{
    const QLocale deutsch(QLocale::German);
    if (bytesProSekunde >= 1000.0 * 1000.0)
        return deutsch.toString(bytesProSekunde / 1e6, 'f', 1) + QStringLiteral(" MB/s");
    return deutsch.toString(std::max(1.0, std::round(bytesProSekunde / 1e3)), 'f', 0) + QStringLiteral(" kB/s");
}

QString restzeit(qint64 sekunden)
{
    if (sekunden < 60)
        return QStringLiteral("noch %1 s").arg(sekunden);
    if (sekunden < 3600)
        return QStringLiteral("noch %1 min %2 s").arg(sekunden / 60).arg(sekunden % 60);
    return QStringLiteral("noch %1 h %2 min").arg(sekunden / 3600).arg(sekunden % 3600 / 60);
}
} // namespace

QString fortschrittstext(qint64 gesendet, qint64 gesamt, qint64 millisekunden, qint64 gesendetAmStart)
{
    if (gesamt <= 0)
        return QString();
    const qint64 prozent = std::clamp<qint64>(gesendet * 100 / gesamt, 0, 100);
    QString text = QStringLiteral("%1 % übertragen").arg(prozent);
    if (gesendet <= gesendetAmStart || millisekunden <= 0)
        return text;
    const double bytesProSekunde
        = static_cast<double>(gesendet - gesendetAmStart) * 1000.0 / static_cast<double>(millisekunden);
    text += QStringLiteral(", ") + geschwindigkeit(bytesProSekunde);
    if (gesendet < gesamt)
        text += QStringLiteral(", ")
            + restzeit(static_cast<qint64>(std::ceil(static_cast<double>(gesamt - gesendet) / bytesProSekunde)));
    return text;
}
