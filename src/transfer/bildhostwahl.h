#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct Optionen;

// The image host of a run: the store's imageHost when it names one, the one
// built into the program otherwise. Shown as written in the window and the
// messages, and posted to.
QString bildhost(const Optionen& optionen);

// Where a picture for host goes: "http://host[:port]" for host[:port] or
// http://host[:port], "https://host[:port]" for https://host[:port] (the
// scheme in any case, a closing "/" allowed). nullopt when host is anything
// else: a path, a login,
// another scheme, blanks or an unusable port would send the picture somewhere
// the user did not name.
std::optional<QByteArray> bildhostBasis(const QString& host);
