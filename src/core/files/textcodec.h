// Windows-1252, the 8-bit code page of every text stored in the book's files.
// Conversion happens only at the file boundary; in memory all text is QString.
#pragma once

#include <QByteArray>
#include <QString>

namespace textcodec {

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

// Characters without a Windows-1252 byte become '?'.
QByteArray encode(const QString& text);

} // namespace textcodec
