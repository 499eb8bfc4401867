#include "transfer/ftpadresse.h"

#include <QUrl>

#include <algorithm>

QString langerName(const QString& pfad)
{
    const qsizetype trenner = std::max(pfad.lastIndexOf(u'\\'), pfad.lastIndexOf(u'/'));
    return pfad.mid(trenner + 1);
}

namespace {
// "host:port" splits at the last colon when digits follow it; a bare IPv6
// address has more colons and keeps them unless it is bracketed.
void serverTeilen(const QString& server, QString& host, QString& port)
{
    const qsizetype doppelpunkt = server.lastIndexOf(u':');
    host = server;
    port.clear();
    if (doppelpunkt < 0)
        return;
    const QString kopf = server.left(doppelpunkt);
    const QString rest = server.mid(doppelpunkt + 1);
    const bool nurZiffern
        = !rest.isEmpty() && std::all_of(rest.begin(), rest.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (nurZiffern && (!kopf.contains(u':') || kopf.endsWith(u']'))) {
        host = kopf;
        port = rest;
    }
}

bool istBuchstabe(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The length of a leading "scheme://" (a letter, then letters, digits, "+", "-" or "."), or 0.
// Read by hand: a regular expression's first match registers a thread-exit handler, which
// waits for the dynamic loader's lock while libcurl is being loaded beside it.
qsizetype schemaLaenge(const QString& text)
{
    if (text.isEmpty() || !istBuchstabe(text.front()))
        return 0;
    qsizetype i = 1;
    while (i < text.size()
        && (istBuchstabe(text[i]) || (text[i] >= u'0' && text[i] <= u'9') || text[i] == u'+' || text[i] == u'-'
            || text[i] == u'.'))
        ++i;
    return QStringView(text).mid(i).startsWith(u"://") ? i : 0;
}
} // namespace

std::optional<FtpServerangabe> ftpServerLesen(const QString& ftpServer)
{
    FtpServerangabe angabe;
    QString rest = ftpServer;
    if (const qsizetype laenge = schemaLaenge(ftpServer); laenge > 0) {
        const QString name = ftpServer.left(laenge).toLower();
        if (name == QStringLiteral("ftpes"))
            angabe.schutz = FtpSchutz::ExplizitesTls;
        else if (name == QStringLiteral("ftps"))
            angabe.schutz = FtpSchutz::ImplizitesTls;
        else if (name == QStringLiteral("sftp"))
            angabe.schutz = FtpSchutz::Ssh;
        else if (name != QStringLiteral("ftp"))
            return std::nullopt;
        rest = ftpServer.mid(laenge + 3);
        if (rest.endsWith(u'/'))
            rest.chop(1);
    }
    serverTeilen(rest, angabe.host, angabe.port);
    return angabe;
}

CurlUrl ftpAdresse(const FtpServerangabe& server, const QString& entfernterName)
{
    if (server.host.isEmpty())
        return nullptr;

    // The URL's first "/" only separates; a name that itself starts with "/"
    // is absolute on the server and needs its own slash encoded.
    QByteArray pfad = QUrl::toPercentEncoding(entfernterName, "/");
    if (server.schutz == FtpSchutz::Ssh) {
        if (!pfad.startsWith('/'))
            pfad.prepend("/~/");
    } else {
        if (pfad.startsWith('/'))
            pfad.replace(0, 1, "%2F");
        pfad.prepend('/');
    }

    // libcurl's "ftps" is implicit TLS on port 990; explicit TLS is "ftp" with TLS required.
    const char* schema = server.schutz == FtpSchutz::ImplizitesTls ? "ftps"
        : server.schutz == FtpSchutz::Ssh                          ? "sftp"
                                                                   : "ftp";
    CurlUrl url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_SCHEME, schema, 0) != CURLUE_OK
        || curl_url_set(url.get(), CURLUPART_HOST, server.host.toUtf8().constData(), 0) != CURLUE_OK
        || (!server.port.isEmpty()
            && curl_url_set(url.get(), CURLUPART_PORT, server.port.toUtf8().constData(), 0) != CURLUE_OK)
        || curl_url_set(url.get(), CURLUPART_PATH, pfad.constData(), 0) != CURLUE_OK)
        return nullptr;
    return url;
}

bool proxyNenntPort(const QByteArray& proxy)
{
    CurlUrl url(curl_url());
    if (!url)
        return false;
    const unsigned int art = CURLU_GUESS_SCHEME | CURLU_NON_SUPPORT_SCHEME;
    if (curl_url_set(url.get(), CURLUPART_URL, proxy.constData(), art) != CURLUE_OK)
        return false;
    char* port = nullptr;
    const bool genannt = curl_url_get(url.get(), CURLUPART_PORT, &port, CURLU_NO_DEFAULT_PORT) == CURLUE_OK;
    curl_free(port);
    return genannt;
}

bool hatSteuerzeichen(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}
