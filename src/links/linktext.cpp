#include "links/linktext.h"

#include "links/bildgroesse.h"
#include "transfer/bilddatei.h"

#include <QUrl>

QString ftpLink(const QString& url, const QString& dateiname)
{
    return url + QString::fromLatin1(QUrl::toPercentEncoding(dateiname));
}

QString htmlSchnipsel(const QString& link, const QString& shortPath)
{
    // The address decides, not the local name: the server may serve it under another suffix.
    const QString html = link.toHtmlEscaped();
    if (hatBildEndung(link))
        return u"<img border=\"0\" src=\"" + html + u"\" alt=\"\"" + bildgroesseAttribute(shortPath) + u">";
    return u"<a href=\"" + html + u"\">" + html + u"</a>";
}
