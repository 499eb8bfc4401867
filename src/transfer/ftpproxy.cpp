#include "transfer/ftpproxy.h"

#include "settings/optionen.h"
#include "transfer/curlsetzen.h"
#include "transfer/ftpadresse.h"

bool proxyEinstellen(CURL* handle, const Optionen& optionen)
{
    if (!optionen.FTPUseProxy)
        return setzen(handle, CURLOPT_PROXY, "");
    const QByteArray proxy = optionen.FTPProxy.trimmed().toUtf8();
    if (proxy.isEmpty() || !setzen(handle, CURLOPT_PROXY, proxy.constData())
        || !setzen(handle, CURLOPT_HTTPPROXYTUNNEL, 1L))
        return false;
    const QString port = optionen.FTPProxyPort.trimmed();
    if (port.isEmpty() || proxyNenntPort(proxy))
        return true;
    bool zahl = false;
    const long nummer = port.toLong(&zahl);
    return zahl && nummer > 0 && nummer < 65536 && setzen(handle, CURLOPT_PROXYPORT, nummer);
}
