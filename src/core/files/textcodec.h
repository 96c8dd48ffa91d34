// The encoding rule of the book's files (format/text/textencoding.h, where it is written down) for
// Qt code: Windows-1252 and UTF-8 bytes to QString and back. Conversion happens only at the file
// boundary; in memory all text is QString.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace textcodec {

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// Characters without a Windows-1252 byte become '?'.
QByteArray encode(const QString& text);

// A record field's bytes (string[N]), by the rule.
QByteArray encodeField(const QString& text, qsizetype capacity);
QString decodeField(const char* bytes, qsizetype length);
// How many bytes the text takes in a field of unlimited size.
qsizetype fieldSize(const QString& text);
// Whether every character of the text has a Windows-1252 byte.
bool fitsWindows1252(const QString& text);

// A section file's mark and encoding, by the rule.
inline constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF"); // bookformat::kUtf8Mark
// The text after the mark, and whether the mark was there.
QByteArrayView withoutMark(QByteArrayView file, bool* utf8);
QString decodeAs(QByteArrayView bytes, bool utf8);
QByteArray encodeAs(const QString& text, bool utf8);
// At most `capacity` bytes of UTF-8 text, cut before a character that does not fit whole.
QByteArrayView utf8Prefix(QByteArrayView utf8, qsizetype capacity);

// The text of a file from outside the book (a plain chapter, a notepad file): UTF-8 when the bytes
// are valid UTF-8, a leading byte-order mark dropped; Windows-1252 otherwise. `wasUtf8` says which.
QString decodeOutsideText(QByteArrayView bytes, bool* wasUtf8 = nullptr);

// Bytes handed to the format library, which reads std::string_view (the bytes must outlive it).
inline std::string_view view(QByteArrayView bytes)
{
    return {bytes.data(), static_cast<std::size_t>(bytes.size())};
}

// Lines between Qt code and the format library, which keeps text as UTF-8 std::string.
std::vector<std::string> toUtf8Lines(const QStringList& lines);
QStringList fromUtf8Lines(const std::vector<std::string>& lines);

} // namespace textcodec
