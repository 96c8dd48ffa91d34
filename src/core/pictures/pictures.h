// The one picture loader of every screen: BMP and icons through Qt, JPEG through libjpeg, and
// Windows metafiles through libwmf and SVG.
#pragma once

#include <QImage>
#include <QString>

struct LoadedPicture
{
    QImage image;      // null when the file could not be read or decoded
    QString error;     // the message for the author when it could not
    bool jpeg = false; // the file holds a JPEG, whatever its name says
};

// The file is a bare name in the project directory or a path.
LoadedPicture LoadPicture(const QString& fileName);
