#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "transfer/curlzeiger.h"

// The name the file gets on the server: what follows the last separator of
// the quote-free path. Both "\" and "/" separate, as a path on this system
// may use either.
QString langerName(const QString& pfad);

// How the connection to the FTP server is protected.
enum class FtpSchutz {
    Keiner, // plain FTP: login and data in clear
    ExplizitesTls, // "AUTH TLS" on the FTP port before the login
    ImplizitesTls, // TLS from the first byte, port 990 unless named
    Ssh, // SFTP, port 22 unless named
};

// FTPServer taken apart: "[scheme://]host[:port]".
struct FtpServerangabe {
    FtpSchutz schutz = FtpSchutz::Keiner;
    QString host;
    // Empty for the scheme's own port.
    QString port;
};

// Reads the scheme in front of the host, in any case: none or "ftp://" for
// plain FTP, "ftpes://" for explicit and "ftps://" for implicit TLS,
// "sftp://" for SFTP; one "/"
// after the host is allowed. Nullopt for any other scheme.
std::optional<FtpServerangabe> ftpServerLesen(const QString& ftpServer);

// The address libcurl uploads to: the server and the remote name, which is
// relative to the login directory unless it starts with "/" (for SFTP too,
// where libcurl reads a path as absolute unless it begins with "~/"). Every byte the
// URL could misread (blanks, umlauts, "#", "%", ";") is percent-encoded, so
// the server gets the name as typed. Null when the server names no usable host.
CurlUrl ftpAdresse(const FtpServerangabe& server, const QString& entfernterName);

// Whether a proxy as typed ("host", "host:port", "socks5://host:port") names its own port.
bool proxyNenntPort(const QByteArray& proxy);

// True when text holds a character below blank or DEL: such a character in a
// command argument would end the command line and start another.
bool hatSteuerzeichen(const QString& text);
