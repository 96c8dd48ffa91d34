// What the pictures plugin gives the program: the decoders that need libraries of their own
// (libjpeg, libwmf, QtSvg), which a program loads the first time a picture needs one of them.
// The plugin (src/plugins/pictures) implements this interface.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <string>

struct PictureDecoders
{
    // A null image (and a reason) when the data is not a JPEG libjpeg can decode.
    QImage (*decodeJpeg)(const QByteArray& data, QString& error);
    // See DrawWmfAsSvg in wmfsvg.h.
    bool (*drawWmfAsSvg)(const unsigned char* data, long size, const std::string& fontFolder,
                         std::string& svg, std::string& error);
    // The SVG drawn on white at its own size, scaled down to fit `maxSide`; a null image (and a
    // reason) when it cannot be drawn.
    QImage (*drawSvg)(const QByteArray& svg, int maxSide, QString& error);
};

// The plugin's entry point: a function without arguments that returns its PictureDecoders.
inline constexpr char kPictureDecodersEntry[] = "quorelle_picture_decoders";
