// Windows-1252, the 8-bit code page of every text stored in the book's files.
// Conversion happens only at the file boundary; in memory all text is QString.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace textcodec {

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// Characters without a Windows-1252 byte become '?'.
QByteArray encode(const QString& text);

// The text of a file from outside the book (a plain chapter, a notepad file): UTF-8 when the bytes
// are valid UTF-8, a leading byte-order mark dropped; Windows-1252 otherwise. `wasUtf8` says which.
QString decodeOutsideText(QByteArrayView bytes, bool* wasUtf8 = nullptr);

} // namespace textcodec
