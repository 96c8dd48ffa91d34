// The Qt side of the encoding rule: QString at the boundary, the rule and its table in the format
// library.
#include "core/files/textcodec.h"

#include "format/text/plaintext.h"
#include "format/text/textencoding.h"
#include "format/text/utf8.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string_view>

namespace {

char encodeChar(char16_t c)
{
    const int byte = bookformat::Windows1252Byte(c);
    return byte < 0 || QChar::isSurrogate(c) ? '?' : static_cast<char>(byte);
}

} // namespace

namespace textcodec {

QString decode(const char* bytes, qsizetype length)
{
    // Latin-1 is the fast, vectorised part; only 0x80..0x9F need a second look, and most text
    // has none.
    QString text = QString::fromLatin1(bytes, length);
    char16_t* chars = reinterpret_cast<char16_t*>(text.data());
    qsizetype i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= length; i += 16) {
        // Signed, the bytes 0x80..0x9F are the ones below -96.
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(-96))) != 0)
            break;
    }
#endif
    for (; i < length; ++i) {
        if (chars[i] >= 0x80 && chars[i] < 0xA0)
            chars[i] = bookformat::kWindows1252High[chars[i] - 0x80];
    }
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = encodeChar(text[i].unicode());
    return bytes;
}

bool fitsWindows1252(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return encodeChar(c.unicode()) != '?' || c == QLatin1Char('?');
    });
}

QByteArray encodeField(const QString& text, qsizetype capacity)
{
    return QByteArray::fromStdString(
        bookformat::EncodeField(text.toStdString(), static_cast<std::size_t>(capacity)));
}

qsizetype fieldSize(const QString& text)
{
    return fitsWindows1252(text) ? text.size() : text.toUtf8().size();
}

QByteArrayView utf8Prefix(QByteArrayView utf8, qsizetype capacity)
{
    const std::string_view cut =
        bookformat::Utf8Prefix(view(utf8), static_cast<std::size_t>(capacity));
    return QByteArrayView(cut.data(), static_cast<qsizetype>(cut.size()));
}

QByteArrayView withoutMark(QByteArrayView file, bool* utf8)
{
    const std::string_view text = bookformat::WithoutMark(view(file), *utf8);
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

QString decodeAs(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : decode(bytes.data(), bytes.size());
}

QByteArray encodeAs(const QString& text, bool utf8)
{
    return utf8 ? text.toUtf8() : encode(text);
}

QString decodeField(const char* bytes, qsizetype length)
{
    return QString::fromStdString(bookformat::DecodeField(view(QByteArrayView(bytes, length))));
}

QString decodeOutsideText(QByteArrayView bytes, bool* wasUtf8)
{
    bool utf8 = false;
    const std::string text = bookformat::DecodePlainText(view(bytes), utf8);
    if (wasUtf8)
        *wasUtf8 = utf8;
    return QString::fromStdString(text);
}

std::vector<std::string> toUtf8Lines(const QStringList& lines)
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        out.push_back(line.toStdString());
    return out;
}

QStringList fromUtf8Lines(const std::vector<std::string>& lines)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out;
}

} // namespace textcodec
