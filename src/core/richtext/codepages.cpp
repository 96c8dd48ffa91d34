// Code page decoding. iconv descriptors are made once per code page and kept.
#include "core/richtext/codepages.h"

#include "core/files/textcodec.h"

#include <cerrno>
#include <iconv.h>
#include <map>

namespace {

const char* iconvName(int codePage)
{
    switch (codePage) {
    case 437:
        return "CP437";
    case 850:
        return "CP850";
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
        return "GBK";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    case 1361:
        return "JOHAB";
    case 10000:
        return "MACINTOSH";
    case 10001:
        return "SHIFT_JIS";
    case 10006:
        return "MACGREEK";
    case 10007:
        return "MACCYRILLIC";
    case 10029:
        return "MACCENTRALEUROPE";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

// One iconv conversion, open for the life of the program and closed at its end.
struct Converter
{
    iconv_t handle = reinterpret_cast<iconv_t>(-1);
    Converter() = default;
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (valid())
            iconv_close(handle);
    }
    bool valid() const { return handle != reinterpret_cast<iconv_t>(-1); }
};

Converter& converterFor(int codePage)
{
    static std::map<int, Converter> converters;
    const auto [it, added] = converters.try_emplace(codePage);
    if (added) {
        if (const char* name = iconvName(codePage))
            it->second.handle = iconv_open("UTF-16LE", name);
    }
    return it->second;
}

QString viaIconv(Converter& converter, QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char16_t buffer[512];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter.handle, &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer),
                   qsizetype((sizeof buffer - outLeft) / 2));
        if (result == size_t(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: mark it and go on after its first byte.
            out.append(QChar(0xFFFD));
            ++in;
            --inLeft;
            iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 78:
        return 10001;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

bool IsDoubleByteCodePage(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361 || codePage == 10001;
}

QString DecodeCodePage(int codePage, QByteArrayView bytes)
{
    if (codePage == 1252 || codePage == 0)
        return textcodec::decode(bytes.data(), bytes.size());
    if (codePage == 42) { // symbol fonts, as the platform maps them
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = QChar(char16_t(0xF000 + static_cast<unsigned char>(bytes[i])));
        return text;
    }
    if (codePage == 28591)
        return QString::fromLatin1(bytes.data(), bytes.size());
    Converter& converter = converterFor(codePage);
    if (!converter.valid())
        return textcodec::decode(bytes.data(), bytes.size());
    return viaIconv(converter, bytes);
}
