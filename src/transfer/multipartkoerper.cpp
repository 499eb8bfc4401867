#include "transfer/multipartkoerper.h"

namespace {
constexpr char zeilenende[] = "\r\n";
constexpr char trenner[] = "--AaB03x";

QByteArray formularName(QByteArray name)
{
    return name.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
}
} // namespace

QByteArray multipartKoerper(const QByteArray& dateiname, const QByteArray& dateiinhalt)
{
    const QByteArray name = formularName(dateiname);
    QByteArray koerper;
    koerper.reserve(335 + name.size() + dateiinhalt.size());
    koerper += trenner;
    koerper += zeilenende;
    koerper += "Content-Disposition: form-data; name=\"fileupload\"; filename=\"";
    koerper += name;
    koerper += "\"\r\n";
    koerper += "Content-Transfer-Encoding: binary\r\n";
    koerper += "Content-Type: application/octet-stream\r\n";
    koerper += zeilenende;
    koerper += dateiinhalt;
    koerper += zeilenende;
    koerper += trenner;
    koerper += zeilenende;
    koerper += "Content-Disposition: form-data; name=\"variable1\"\r\n";
    koerper += zeilenende;
    koerper += "meine variable numero uno\r\n";
    koerper += trenner;
    koerper += zeilenende;
    koerper += "Content-Disposition: form-data; name=\"variable2\"\r\n";
    koerper += zeilenende;
    koerper += "meine variable zwei\r\n";
    koerper += trenner;
    koerper += "--";
    return koerper;
}

QByteArray multipartInhaltstyp()
{
    return QByteArrayLiteral("multipart/form-data, boundary=AaB03x");
}
