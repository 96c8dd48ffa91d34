// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes of that range
// pass through as the C1 controls of the same value, as the platform's own conversion does.
#include "core/files/textcodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

namespace textcodec {

QString decode(const char* bytes, qsizetype length)
{
    // Latin-1 is the fast, vectorised part; only 0x80..0x9F need a second look.
    QString text = QString::fromLatin1(bytes, length);
    char16_t* chars = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < length; ++i) {
        if (chars[i] >= 0x80 && chars[i] < 0xA0)
            chars[i] = kHighControls[chars[i] - 0x80];
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
    if (fitsWindows1252(text))
        return encode(text).left(capacity);
    return utf8Prefix(text.toUtf8(), capacity).toByteArray();
}

qsizetype fieldSize(const QString& text)
{
    return fitsWindows1252(text) ? text.size() : text.toUtf8().size();
}

QByteArrayView utf8Prefix(QByteArrayView utf8, qsizetype capacity)
{
    if (utf8.size() <= capacity)
        return utf8;
    // Back from the cut to the first byte of the character it would split.
    qsizetype cut = capacity;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    return utf8.first(cut);
}

QByteArrayView withoutMark(QByteArrayView file, bool* utf8)
{
    *utf8 = file.startsWith(kUtf8Mark);
    return *utf8 ? file.sliced(kUtf8Mark.size()) : file;
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
    const QByteArrayView view(bytes, length);
    const bool multiByte = std::any_of(
        view.begin(), view.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (multiByte) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(view);
        if (!utf8.hasError())
            return text;
    }
    return decode(bytes, length);
}

QString decodeOutsideText(QByteArrayView bytes, bool* wasUtf8)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
    const bool valid = !utf8.hasError();
    if (wasUtf8)
        *wasUtf8 = valid;
    return valid ? text : decode(bytes.data(), bytes.size());
}

} // namespace textcodec
