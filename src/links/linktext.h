#pragma once

#include <QString>

// The web address of a file sent by FTP: URL exactly as stored, directly
// followed by dateiname, the very name the upload stored the file under
// (Bilddatei::langerName) - no separator is added.
// The name is written as one path segment of an address: letters, digits and
// "-._~" stay, every other character becomes its UTF-8 bytes as %XX, so a
// blank or "#" in the name cannot cut the link short.
QString ftpLink(const QString& url, const QString& dateiname);

// The HTML for the link: an image tag with the picture's size when the link
// has a picture ending, a hyperlink otherwise. The link is escaped for
// HTML ("&", quotes, "<", ">") wherever it stands; the size is read from the
// local file at shortPath.
QString htmlSchnipsel(const QString& link, const QString& shortPath);
