// The table of RTF control words.
#include "core/richtext/rtfwords.h"

namespace rtf {

const QHash<QByteArrayView, Word>& KnownWords()
{
    static const QHash<QByteArrayView, Word> words = {
        {"par", Word::Par},
        {"line", Word::Line},
        {"tab", Word::Tab},
        {"emdash", Word::Emdash},
        {"endash", Word::Endash},
        {"bullet", Word::Bullet},
        {"lquote", Word::Lquote},
        {"rquote", Word::Rquote},
        {"ldblquote", Word::Ldblquote},
        {"rdblquote", Word::Rdblquote},
        {"cell", Word::Cell},
        {"row", Word::Row},
        {"nestcell", Word::NestCell},
        {"nestrow", Word::NestRow},
        {"sect", Word::Sect},
        {"page", Word::Page},
        {"emspace", Word::Space},
        {"enspace", Word::Space},
        {"qmspace", Word::Space},
        {"plain", Word::Plain},
        {"b", Word::Bold},
        {"i", Word::Italic},
        {"ul", Word::Underline},
        {"ulw", Word::Underline},
        {"uld", Word::Underline},
        {"uldb", Word::Underline},
        {"ulth", Word::Underline},
        {"ulwave", Word::Underline},
        {"uldash", Word::Underline},
        {"ulnone", Word::UnderlineNone},
        {"strike", Word::Strike},
        {"striked", Word::Strike},
        {"v", Word::Hidden},
        {"f", Word::Font},
        {"fs", Word::FontSize},
        {"cf", Word::Colour},
        {"lang", Word::Language},
        {"langnp", Word::Language},
        {"langfe", Word::EastAsianLanguage},
        {"langfenp", Word::EastAsianLanguage},
        {"super", Word::Super},
        {"sub", Word::Sub},
        {"nosupersub", Word::NoSuperSub},
        {"up", Word::Up},
        {"dn", Word::Down},
        {"pard", Word::Pard},
        {"ql", Word::AlignLeft},
        {"qc", Word::AlignCentre},
        {"qr", Word::AlignRight},
        {"qj", Word::Justify},
        {"li", Word::LeftIndent},
        {"lin", Word::LeftIndent},
        {"ri", Word::RightIndent},
        {"rin", Word::RightIndent},
        {"fi", Word::FirstIndent},
        {"rtlpar", Word::RightToLeft},
        {"ltrpar", Word::LeftToRight},
        {"sb", Word::SpaceBefore},
        {"sa", Word::SpaceAfter},
        {"s", Word::Style},
        {"outlinelevel", Word::OutlineLevel},
        {"intbl", Word::InTable},
        {"itap", Word::TableDepth},
        {"ls", Word::ListOverride},
        {"ilvl", Word::ListLevel},
        {"pnlvlblt", Word::NumberingBullet},
        {"pnlvlbody", Word::NumberingBody},
        {"pnlvlcont", Word::NumberingContinue},
        {"pnlvl", Word::NumberingLevel},
        {"pndec", Word::NumberingDecimal},
        {"pnucltr", Word::NumberingUpperLetter},
        {"pnlcltr", Word::NumberingLowerLetter},
        {"pnucrm", Word::NumberingUpperRoman},
        {"pnlcrm", Word::NumberingLowerRoman},
        {"pnstart", Word::NumberingStart},
        {"trowd", Word::RowDefaults},
        {"cellx", Word::CellEdge},
        {"trhdr", Word::HeaderRow},
        {"clbrdrt", Word::CellBorderTop},
        {"clbrdrl", Word::CellBorderLeft},
        {"clbrdrb", Word::CellBorderBottom},
        {"clbrdrr", Word::CellBorderRight},
        {"brdrs", Word::BorderLine},
        {"brdrth", Word::BorderLine},
        {"brdrdb", Word::BorderLine},
        {"brdrdot", Word::BorderLine},
        {"brdrdash", Word::BorderLine},
        {"brdrhair", Word::BorderLine},
        {"brdrsh", Word::BorderLine},
        {"brdrnone", Word::BorderNone},
        {"brdrw", Word::BorderWidth},
        {"uc", Word::UnicodeSkip},
        {"deff", Word::DefaultFont},
        {"ansicpg", Word::AnsiCodePage},
        {"mac", Word::Mac},
        {"pc", Word::Pc},
        {"pca", Word::Pca},
        {"field", Word::Field},
    };
    return words;
}

QChar CharacterOf(Word word)
{
    switch (word) {
    case Word::Par:
    case Word::Row:
    case Word::NestRow:
    case Word::Sect:
    case Word::Page:
        return QChar::ParagraphSeparator;
    case Word::Line:
        return QChar::LineSeparator;
    case Word::Tab:
    case Word::Cell:
    case Word::NestCell:
        return QLatin1Char('\t');
    case Word::Emdash:
        return QChar(0x2014);
    case Word::Endash:
        return QChar(0x2013);
    case Word::Bullet:
        return QChar(0x2022);
    case Word::Lquote:
        return QChar(0x2018);
    case Word::Rquote:
        return QChar(0x2019);
    case Word::Ldblquote:
        return QChar(0x201C);
    case Word::Rdblquote:
        return QChar(0x201D);
    default:
        return QLatin1Char(' ');
    }
}

} // namespace rtf
