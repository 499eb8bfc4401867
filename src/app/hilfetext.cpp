#include "app/hilfetext.h"

#include "app/dialoge.h"

#include <QStringList>

QString hilfeText()
{
    const QStringList zeilen = {
        QStringLiteral("Folgende Programmaufrufe sind möglich:"),
        QStringLiteral("Fotoschicker [dateiname]"),
        QStringLiteral("oder"),
        QStringLiteral("Fotoschicker [Parameter] /file:[dateiname]"),
        QStringLiteral("Wobei [Parameter] einer oder mehrerer der folgenden sein kann:"),
        QStringLiteral("/ftpserver:[ftpserver] - FTP-Server"),
        QStringLiteral("/ftppath:[ftppath] - FTP-Zielverzeichnis"),
        QStringLiteral("/ftpuser:[Login] - Benutzerkennung"),
        QStringLiteral("/ftppassword:[Passwort] - entsprechendes Passwort"),
        QStringLiteral("/url:[URL] - URL zum FTP-Zielpfad"),
        QStringLiteral(
            "Werden nicht alle Parameter angegeben, so werden die fehlenden Parameter aus der Registry übernommen"),
        QString(),
        QStringLiteral("Beispiele:"),
        QStringLiteral("fotoschicker /ftpserver:ftp.example.org /file:c:\\test.jpg"),
        QStringLiteral("fotoschicker /ftppath:www/bilder/ /file:c:\\test.jpg"),
    };
    return zeilen.join(QStringLiteral("\r\n"));
}

void hilfeAnzeigen(Dialoge& dialoge)
{
    dialoge.meldung(hilfeText(), QStringLiteral("Parameter"), Meldungsstil::Information);
}
