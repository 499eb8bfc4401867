#include "transfer/multipartkoerper.h"

namespace {
constexpr char zeilenende[] = "\r\n";
constexpr char trenner[] = "--AaB03x";
} // namespace

QByteArray multipartKoerper(const QByteArray& dateipfad, const QByteArray& dateiinhalt)
{
    QByteArray koerper;
    koerper.reserve(335 + dateipfad.size() + dateiinhalt.size());
    koerper += trenner;
    koerper += zeilenende;
    koerper += "Content-Disposition: form-data; name=\"fileupload\"; filename=\"";
    koerper += dateipfad;
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
