#include "links/bildgroesse.h"

#include <QImageReader>

QString bildgroesseAttribute(const QString& path)
{
    QImageReader leser(path);
    QSize groesse = leser.size();
    if (!groesse.isValid())
        return {};
    // Browsers turn a picture as its EXIF orientation says; the attributes must describe the turned picture.
    if (leser.transformation() & QImageIOHandler::TransformationRotate90)
        groesse.transpose();

    QString ergebnis;
    if (groesse.width() > 0)
        ergebnis += u" width=\"" + QString::number(groesse.width()) + u'"';
    if (groesse.height() > 0)
        ergebnis += u" height=\"" + QString::number(groesse.height()) + u'"';
    return ergebnis;
}
