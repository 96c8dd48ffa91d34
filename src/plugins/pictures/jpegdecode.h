// JPEG pictures decoded with libjpeg.
#pragma once

#include <QImage>

// A null image (and a reason) when the data is not a JPEG libjpeg can decode.
QImage DecodeJpeg(const QByteArray& data, QString& error);
