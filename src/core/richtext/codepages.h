// Decoding the 8-bit text of RTF files: Windows and Mac code pages, single- and double-byte.
#pragma once

#include <QByteArrayView>
#include <QString>

// The code page of an RTF font charset (\fcharsetN); 0 when the charset names none.
int CodePageOfCharset(int charset);

// Decodes bytes in the code page; bytes it cannot decode become U+FFFD. Windows-1252 and
// Latin-1 are decoded directly, every other page through the C library's iconv.
QString DecodeCodePage(int codePage, QByteArrayView bytes);

// True for code pages whose characters may take two bytes.
bool IsDoubleByteCodePage(int codePage);
