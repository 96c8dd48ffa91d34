// The book's pictures, sounds and films in forms every EPUB reading system shows and plays:
// BMP and WMF pictures as PNG (JPEG kept as it is), WAV and MIDI as MP3, AVI as WebM. Sounds and
// films are converted by GStreamer's gst-launch-1.0 in a child process with a time limit, so a
// damaged file costs at most that time and never the tool itself.
#pragma once

#include <QByteArray>
#include <QString>

struct EpubMedia
{
    QByteArray bytes;  // empty when the file could not be converted
    QString suffix;    // "png", "jpg", "mp3", "webm"
    QString mediaType; // as the package manifest names it
    QString error;     // why it could not be converted
};

// Converts a file of the book (a bare name in the current directory, or a path).
EpubMedia ConvertPicture(const QString& fileName);
EpubMedia ConvertSound(const QString& fileName, const QString& soundFont);
EpubMedia ConvertFilm(const QString& fileName);
// The film as MP4 (H.264 and AAC), for the browsers that play no WebM.
EpubMedia ConvertFilmMp4(const QString& fileName);

// A sound of the book converted, MIDI played with the runtime's installed sound font.
EpubMedia ConvertBookSound(const QString& fileName);

// Why an edition cannot take the file a record or entry (`owner`) names: not a file of the
// book's folder, or missing. Empty when it can.
QString BookMediaProblem(const QString& name, const QString& owner);

// Whether an AVI file holds a sound track, from its stream headers.
bool AviHasSound(const QByteArray& avi);

// A picture already in memory as PNG.
QByteArray PngBytes(const class QImage& image);
