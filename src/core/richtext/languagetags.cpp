#include "core/richtext/languagetags.h"

#include <QChar>

#include <array>
#include <utility>

namespace {

// Primary language identifiers (the low ten bits of an identifier) and their tags.
constexpr std::array<std::pair<int, const char*>, 76> kPrimary = {{
    {0x01, "ar"},  {0x02, "bg"}, {0x03, "ca"}, {0x04, "zh"}, {0x05, "cs"}, {0x06, "da"},
    {0x07, "de"},  {0x08, "el"}, {0x09, "en"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"},
    {0x0D, "he"},  {0x0E, "hu"}, {0x0F, "is"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"},
    {0x13, "nl"},  {0x14, "nb"}, {0x15, "pl"}, {0x16, "pt"}, {0x17, "rm"}, {0x18, "ro"},
    {0x19, "ru"},  {0x1A, "hr"}, {0x1B, "sk"}, {0x1C, "sq"}, {0x1D, "sv"}, {0x1E, "th"},
    {0x1F, "tr"},  {0x20, "ur"}, {0x21, "id"}, {0x22, "uk"}, {0x23, "be"}, {0x24, "sl"},
    {0x25, "et"},  {0x26, "lv"}, {0x27, "lt"}, {0x29, "fa"}, {0x2A, "vi"}, {0x2B, "hy"},
    {0x2C, "az"},  {0x2D, "eu"}, {0x2F, "mk"}, {0x32, "tn"}, {0x34, "xh"}, {0x35, "zu"},
    {0x36, "af"},  {0x37, "ka"}, {0x38, "fo"}, {0x39, "hi"}, {0x3A, "mt"}, {0x3C, "ga"},
    {0x3E, "ms"},  {0x3F, "kk"}, {0x41, "sw"}, {0x43, "uz"}, {0x44, "tt"}, {0x45, "bn"},
    {0x46, "pa"},  {0x47, "gu"}, {0x49, "ta"}, {0x4A, "te"}, {0x4B, "kn"}, {0x4C, "ml"},
    {0x4E, "mr"},  {0x50, "mn"}, {0x52, "cy"}, {0x53, "km"}, {0x54, "lo"}, {0x56, "gl"},
    {0x5A, "syr"}, {0x5B, "si"}, {0x61, "ne"}, {0x63, "ps"},
}};

} // namespace

QString LanguageTagOf(int lcid)
{
    if (lcid <= 0)
        return {}; // the usual run, which names no language
    switch (lcid) {
    case 0x0404: // Taiwan
    case 0x0C04: // Hong Kong
    case 0x1404: // Macao
        return QStringLiteral("zh-Hant");
    case 0x0804: // China
    case 0x1004: // Singapore
        return QStringLiteral("zh-Hans");
    case 0x0416:
        return QStringLiteral("pt-BR");
    case 0x0809:
        return QStringLiteral("en-GB");
    case 0x081A:
    case 0x0C1A:
        return QStringLiteral("sr");
    default:
        break;
    }
    const int primary = lcid & 0x3FF;
    for (const auto& [id, tag] : kPrimary) {
        if (id == primary)
            return QString::fromLatin1(tag);
    }
    return {};
}

int LanguageIdOf(const QString& tag)
{
    // The tags LanguageTagOf gives for more than a primary language first.
    static const std::pair<int, const char*> kRegional[] = {
        {0x0404, "zh-Hant"}, {0x0804, "zh-Hans"}, {0x0416, "pt-BR"},
        {0x0809, "en-GB"},   {0x081A, "sr"},
    };
    for (const auto& [id, name] : kRegional) {
        if (tag.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return id;
    }
    const QString primary = tag.section(QLatin1Char('-'), 0, 0).toLower();
    for (const auto& [id, name] : kPrimary) {
        if (primary == QLatin1String(name))
            return 0x0400 | id; // the language's default region
    }
    return 0;
}

bool SameLanguage(const QString& a, const QString& b)
{
    return a.section(QLatin1Char('-'), 0, 0)
               .compare(b.section(QLatin1Char('-'), 0, 0), Qt::CaseInsensitive) == 0;
}

bool IsEastAsian(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
        return true;
    default:
        return false;
    }
}
