// Windows-1252, the 8-bit code page of the texts stored in the book's files, and the rule that
// stores a record field's text in UTF-8 when Windows-1252 cannot hold it. Conversion happens only
// at the file boundary; in memory all text is QString.
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

// The encoding rule of a text field of the book's binary records (string[N]): a text whose every
// character has a Windows-1252 form is stored in Windows-1252, so every book that Windows-1252
// can hold is written byte for byte as before; any other text is stored in UTF-8, cut to the
// field's `capacity` bytes between characters, never inside one. Reading takes bytes that are
// valid UTF-8 and hold at least one multi-byte sequence as UTF-8, all other bytes as
// Windows-1252 (so a Windows-1252 text that happens to form valid UTF-8, such as "Ã©", reads
// as UTF-8: a pair no real title holds).
QByteArray encodeField(const QString& text, qsizetype capacity);
QString decodeField(const char* bytes, qsizetype length);
// How many bytes the text takes in a field of unlimited size.
qsizetype fieldSize(const QString& text);
// Whether every character of the text has a Windows-1252 byte.
bool fitsWindows1252(const QString& text);

// The rule of the book's own text files (the section files): a file that starts with the UTF-8
// byte-order mark is UTF-8, any other file Windows-1252. A file is written in Windows-1252 while
// all its text has a Windows-1252 form, and otherwise as UTF-8 with the mark; once UTF-8 it stays
// UTF-8.
inline constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");
// The text after the mark, and whether the mark was there.
QByteArrayView withoutMark(QByteArrayView file, bool* utf8);
QString decodeAs(QByteArrayView bytes, bool utf8);
QByteArray encodeAs(const QString& text, bool utf8);
// At most `capacity` bytes of UTF-8 text, cut before a character that does not fit whole.
QByteArrayView utf8Prefix(QByteArrayView utf8, qsizetype capacity);

// The text of a file from outside the book (a plain chapter, a notepad file): UTF-8 when the bytes
// are valid UTF-8, a leading byte-order mark dropped; Windows-1252 otherwise. `wasUtf8` says which.
QString decodeOutsideText(QByteArrayView bytes, bool* wasUtf8 = nullptr);

} // namespace textcodec
