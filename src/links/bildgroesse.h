#pragma once

#include <QString>

// The size attributes of the picture at path for an image tag, such as
// ` width="640" height="480"`, as the picture is shown; "" when the file is
// no picture that can be read. Reads only the file's header.
QString bildgroesseAttribute(const QString& path);
