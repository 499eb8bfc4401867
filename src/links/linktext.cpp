#include "links/linktext.h"

#include "links/bildgroesse.h"

#include <algorithm>

QString ftpLink(const QString& url, const QString& quoteFreeName)
{
    // Windows paths use "\", ours "/"; a name holding the whole path would give a broken address.
    const qsizetype trenner = std::max(quoteFreeName.lastIndexOf(u'\\'), quoteFreeName.lastIndexOf(u'/'));
    return url + quoteFreeName.mid(trenner + 1);
}

QString htmlSchnipsel(const QString& link, const FeldArray& bildEndungen, const QString& shortPath)
{
    // The address decides, not the local name: the server may serve it under another suffix.
    if (rechts_enthalten(bildEndungen, link))
        return u"<img border=\"0\" src=\"" + link + u"\" alt=\"\"" + bildgroesseAttribute(shortPath) + u">";
    return u"<a href=\"" + link + u"\">" + link + u"</a>";
}
