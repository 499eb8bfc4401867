#pragma once

#include <QString>
#include <QStringList>

// The fixed German texts of the run's message boxes and prompts.
namespace Meldungstexte {
QString anwendungstitel();
QString fensterTitel(int major, int minor);

QString bereitsGestartetText();
QString bereitsGestartetTitel();

QString passwortAufforderung(const QString& ftpServer);
QString passwortTitel();

QString dateiFehltText(const QString& quoteFreeName);
QString dateiFehltTitel();

QString zuGrossFuerBildhostText(qint64 laenge, const QString& imageHost);

QString sehrGrossText(qint64 laenge);
QString sehrGrossTitel();

QString erfolgText();
QString erfolgTitel();
// The box about the upload history: a row not written, or a damaged file moved aside.
QString verlaufTitel();

QString fehlerText(const QString& detail);
QString fehlerTitel();

// Several pictures in one start: the line above the transfer's texts, the one
// size question for all files over the limit (titled sehrGrossTitel), and the
// box at the end that lists every file that did not go up, each with its reason.
QString bildzeile(int nummer, int anzahl, const QString& name);
QString mehrereSehrGrossText(int anzahl, qint64 grenze);
QString nichtUebertragenText(int gesamt, const QStringList& fehlschlaege);
QString nichtUebertragenTitel();
QString fehlschlagZeile(const QString& pfad, const QString& grund);
QString dateiFehltGrund();
QString nichtLesbarGrund();
QString nichtGesendetGrund();

// The settings store named by its place, with the system's reason.
QString speicherNichtLesbarText(const QString& ort, const QString& grund);
QString speicherNichtLesbarTitel();
QString speicherNichtGeschriebenText(const QString& ort, const QString& grund);
QString speicherNichtGeschriebenTitel();

// The keyring did not answer within the bound of a wait.
QString schluesselbundZeitText();
QString schluesselbundZeitTitel();

// The box for a server whose certificate is not trusted shows the transfer's sentence itself.
QString zertifikatTitel();

// The SFTP boxes show the transfer's sentences: the question for a server
// not known yet, the warning for a key that changed, the hint for RSA keys.
QString unbekannterServerTitel();
QString schluesselGeaendertTitel();
QString rsaSchluesselTitel();
QString vertrauenNichtGespeichertText(const QString& grund);

// After a cancel, part of the picture stayed on the server under this name.
QString restGebliebenText(const QString& entfernterName, const QString& ftpServer);
QString restGebliebenTitel();

// The file length in MiB truncated to three decimals, in the user's number
// format, or "über 2000" from 2^31 bytes on.
QString groessenangabe(qint64 laenge);
} // namespace Meldungstexte
