// The RTF control words the reader acts on, in families (characters, character format, paragraph
// format, table rows, document settings), and the one table that names them.
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QHash>

namespace rtf {

enum class Word
{
    // characters
    Par,
    Line,
    Tab,
    Emdash,
    Endash,
    Bullet,
    Lquote,
    Rquote,
    Ldblquote,
    Rdblquote,
    Cell,
    Row,
    NestCell,
    NestRow,
    Sect,
    Page,
    Space,
    // character format
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Font,
    FontSize,
    Colour,
    Language,
    EastAsianLanguage,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    // paragraph format
    Pard,
    AlignLeft,
    AlignCentre,
    AlignRight,
    Justify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    RightToLeft,
    LeftToRight,
    SpaceBefore,
    SpaceAfter,
    Style,
    OutlineLevel,
    InTable,
    TableDepth,
    ListOverride,
    ListLevel,
    NumberingBullet,
    NumberingBody,
    NumberingContinue,
    NumberingLevel,
    NumberingDecimal,
    NumberingUpperLetter,
    NumberingLowerLetter,
    NumberingUpperRoman,
    NumberingLowerRoman,
    NumberingStart,
    // table rows
    RowDefaults,
    CellEdge,
    HeaderRow,
    CellBorderTop,
    CellBorderLeft,
    CellBorderBottom,
    CellBorderRight,
    BorderLine, // a border's line style: any of them draws a line
    BorderNone,
    BorderWidth,
    // document settings
    UnicodeSkip,
    DefaultFont,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    Field,
};

enum class Family
{
    Character,
    CharacterFormat,
    ParagraphFormat,
    TableRow,
    Document
};

inline Family FamilyOf(Word word)
{
    if (word < Word::Plain)
        return Family::Character;
    if (word < Word::Pard)
        return Family::CharacterFormat;
    if (word < Word::RowDefaults)
        return Family::ParagraphFormat;
    if (word < Word::UnicodeSkip)
        return Family::TableRow;
    return Family::Document;
}

// Every word the reader knows, built once.
const QHash<QByteArrayView, Word>& KnownWords();

// The character a word of the character family stands for; a paragraph break is
// QChar::ParagraphSeparator.
QChar CharacterOf(Word word);

} // namespace rtf
