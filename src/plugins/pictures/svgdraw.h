// SVG drawn into an image through QtSvg.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

QImage DrawSvg(const QByteArray& svg, int maxSide, QString& error);
