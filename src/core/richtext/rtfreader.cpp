// The RTF reader: a byte tokenizer, a stack of group states, and a builder that appends runs of
// equally formatted text to the document.
#include "core/richtext/rtfreader.h"

#include "core/files/textcodec.h"
#include "core/richtext/codepages.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfstructure.h"
#include "core/richtext/rtfstylesheet.h"
#include "core/richtext/rtftables.h"
#include "core/richtext/rtfwords.h"
#include "format/reader/picturefile.h"
#include "format/rtf/rtfpictures.h"
#include "format/rtf/rtftokens.h"
#include "format/text/symbolfonts.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

#include <array>
#include <chrono>
#include <climits>

namespace {

// A bound on what one document may cost however its file is made: the pixels of all its
// pictures together.
constexpr qint64 kMaxPicturePixels = bookformat::kMaxDocumentPicturePixels;

} // namespace

namespace {

constexpr int kMaxDepth = 512;
constexpr int kDefaultHalfPoints = 24;
constexpr int kUnicodeFont = -2; // text of a symbol font that is shown as Unicode characters
constexpr qsizetype kMaxFieldInstruction = 2048;
constexpr int kMaxLinks = 65536;

using rtf::Word;

enum class Dest : std::uint8_t
{
    Text,
    Skip,
    FontTable,
    ColourTable,
    Picture,
    StyleSheet,
    FieldInstruction,
    Numbering // the older list numbering of a paragraph, "\pn"
};

struct CharState
{
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    int colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int lang = 0;     // \lang: the language of the run's other text
    int langfe = 0;   // \langfe: the language of its East Asian text
    int language = 0; // the one of the two the text is in, set as text arrives
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    int link = 0; // 1 + the index of the hyperlink's address; 0 for none
    bool operator==(const CharState&) const = default;
};

size_t qHash(const CharState& s, size_t seed = 0)
{
    return qHashMulti(seed, s.font, s.halfPoints, s.colour, s.bold, s.italic, s.underline, s.strike,
                      s.language, int(s.vertical), s.link);
}

struct ParaState
{
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    bool rtl = false;
    int before = 0; // spacing, twips
    int after = 0;
    int style = 0;
    int outline = -1;
    bool inTable = false;
    int list = 0; // as in rtf::ListMark
    int level = 0;
    QTextListFormat::Style numbering = QTextListFormat::ListStyleUndefined;
    int numberingStart = 0;
    bool operator==(const ParaState&) const = default;

    rtf::ListMark listMark() const
    {
        return list == 0 ? rtf::ListMark{} : rtf::ListMark{list, level, numbering, numberingStart};
    }
};

struct Group
{
    CharState chr;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1;
    bool fontEntry = false;    // a group inside the font table: one font
    bool styleEntry = false;   // a group inside the style sheet: one style
    bool pictureOwner = false; // the group that opened a picture
    bool marker = false;       // the number or bullet of a list item
};

class Reader
{
public:
    Reader(QByteArrayView data, QTextDocument& document)
        : m_data(data), m_doc(document), m_cursor(&document)
    {}

    void run();
    // Reads on until the time is up (checked between tokens, every few kilobytes); true once
    // the whole text is in. Each part is one edit block.
    bool runFor(std::chrono::steady_clock::duration budget);
    qsizetype position() const { return m_pos; }

private:
    void runTokens(qsizetype until);
    void finish();
    // tokens
    void controlWord(QByteArrayView word, bool hasParam, int param);
    void applyWord(QByteArrayView word, bool hasParam, int param);
    void characterWord(Word word);
    void characterFormatWord(Word word, bool hasParam, int param);
    void paragraphFormatWord(Word word, int param, ParaState& para);
    void rowWord(Word word, int param);
    void documentWord(Word word, int param);
    void controlSymbol(char c);
    void textByte(char c);
    void textRun(char first);
    void openGroup();
    void closeGroup();

    // destinations
    bool startDestination(QByteArrayView word);
    void numberingWord(QByteArrayView word, int param);
    void startFieldResult();
    void pictureByte(char c);
    void finishPicture(const bookformat::RtfPicture& picture);
    QImage decodePicture(const bookformat::RtfPicture& picture);
    QUrl placeholderName();

    // text
    bool skipsFallback();
    void appendPending(char byte);
    void flushPending();
    void emitText(const QString& text);
    void appendRun(const QString& text, CharState state);
    void emitChar(QChar c);
    void flushRun();
    void endParagraph();
    void endCell();
    void endRow();
    void placeBlock();
    void cursorMoved();
    void setBlockFormat();
    int headingLevel(const ParaState& para) const;
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    int codePage();
    bookformat::SymbolFont symbolFont(const CharState& state) const;

    Group& top() { return m_stack.back(); }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    QTextDocument& m_doc;
    QTextCursor m_cursor;
    std::vector<Group> m_stack{Group{}};
    int m_overflow = 0;       // groups beyond the nesting limit
    bool m_finished = false;  // the outermost group has closed
    bool m_ignorable = false; // "\*" seen: the next destination is skipped when unknown

    int m_defaultFont = 0;
    int m_ansiCodePage = 1252;
    rtf::FontTable m_fonts;
    rtf::ColourTable m_colours;
    std::vector<bookformat::RtfPictureReader> m_pictures; // one per open picture group
    int m_pictureCount = 0;
    qint64 m_picturePixels = 0; // of the pictures decoded so far
    bool m_placeholderAdded = false;

    int m_codePage = 1252; // the code page of m_codePageFont, cached
    int m_codePageFont = INT_MIN;
    qsizetype m_codePageFonts = -1;
    int m_skip = 0; // fallback characters still to skip after \uN
    QByteArray m_pending;
    int m_pendingCodePage = 0;
    QChar m_highSurrogate;
    QString m_run;
    QTextCharFormat m_runFormat;
    QHash<CharState, QTextCharFormat> m_formats; // formats made so far, by state
    CharState m_runState;
    bool m_hasRunState = false;
    CharState m_cursorFormatState; // the format the cursor inserts with
    bool m_hasCursorFormat = false;
    ParaState m_blockState;
    bool m_hasBlockState = false;

    // structure
    rtf::StructureBuilder m_structure{m_cursor};
    bool m_blockPlaced = false; // the current paragraph has joined its list or table
    QString m_marker;           // the current list item's number or bullet
    rtf::RowDefinition m_row;
    rtf::StyleSheet m_styleSheet;
    QByteArray m_fieldInstruction;
    QStringList m_links;
};

void Reader::run()
{
    m_cursor.beginEditBlock();
    runTokens(m_data.size());
    finish();
    m_cursor.endEditBlock();
}

bool Reader::runFor(std::chrono::steady_clock::duration budget)
{
    constexpr qsizetype kStep = 16 * 1024;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    m_cursor.beginEditBlock();
    do {
        runTokens(std::min(m_pos + kStep, m_data.size()));
    } while (m_pos < m_data.size() && !m_finished && std::chrono::steady_clock::now() < deadline);
    const bool done = m_pos >= m_data.size() || m_finished;
    if (done)
        finish();
    m_cursor.endEditBlock();
    return done;
}

// Tokens from the current position until `until` is passed (a token may run past it).
void Reader::runTokens(qsizetype until)
{
    const char* data = m_data.data();
    const qsizetype size = m_data.size();
    while (m_pos < until && !m_finished) {
        const char c = data[m_pos++];
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\': {
            if (m_pos >= size)
                break;
            const char next = data[m_pos];
            if (!bookformat::IsRtfLetter(next)) {
                ++m_pos;
                controlSymbol(next);
                break;
            }
            const qsizetype start = m_pos;
            while (m_pos < size && bookformat::IsRtfLetter(data[m_pos]) && m_pos - start < 32)
                ++m_pos;
            const QByteArrayView word(data + start, m_pos - start);
            bool negative = false;
            if (m_pos < size && data[m_pos] == '-' && m_pos + 1 < size &&
                bookformat::IsRtfDigit(data[m_pos + 1])) {
                negative = true;
                ++m_pos;
            }
            bool hasParam = false;
            qint64 param = 0;
            for (int digits = 0; m_pos < size && bookformat::IsRtfDigit(data[m_pos]);
                 ++digits, ++m_pos) {
                hasParam = true;
                if (digits < 10)
                    param = param * 10 + (data[m_pos] - '0');
            }
            if (m_pos < size && data[m_pos] == ' ')
                ++m_pos;
            param = std::clamp<qint64>(negative ? -param : param, INT32_MIN, INT32_MAX);
            controlWord(word, hasParam, int(param));
            break;
        }
        case '\r':
        case '\n':
        case '\0':
            break;
        default:
            textRun(c);
        }
    }
}

// What is still held back once the text has ended.
void Reader::finish()
{
    flushPending();
    flushRun();
    placeBlock();
    setBlockFormat();
}

void Reader::openGroup()
{
    if (int(m_stack.size()) >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    flushPending();
    m_skip = 0;
    Group group = top();
    group.fontEntry = top().dest == Dest::FontTable && !top().fontEntry;
    group.styleEntry = top().dest == Dest::StyleSheet && !top().styleEntry;
    group.pictureOwner = false;
    m_stack.push_back(group);
}

void Reader::closeGroup()
{
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() <= 1)
        return; // an unbalanced brace
    if (m_stack.size() == 2)
        m_finished = true; // the document's own group has ended: what follows is not text
    flushPending();
    m_skip = 0;
    m_ignorable = false;
    const Group closing = top();
    m_stack.pop_back();
    if (closing.fontEntry)
        m_fonts.finishEntry();
    if (closing.styleEntry)
        m_styleSheet.finishEntry();
    if (closing.pictureOwner && !m_pictures.empty()) {
        const bookformat::RtfPicture picture = m_pictures.back().picture();
        m_pictures.pop_back();
        finishPicture(picture);
    }
}

void Reader::controlSymbol(char c)
{
    if (c == '*') {
        m_ignorable = true;
        return;
    }
    if (c == '\'') {
        if (m_pos + 1 >= m_data.size())
            return;
        const int high = bookformat::RtfHexDigit(m_data[m_pos]);
        const int low = bookformat::RtfHexDigit(m_data[m_pos + 1]);
        m_pos += 2;
        if (high < 0 || low < 0) {
            skipsFallback(); // a damaged escape still stands for one character
            return;
        }
        textByte(char(high * 16 + low));
        return;
    }
    if (skipsFallback())
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        textByte(c);
        break;
    case '~':
        emitChar(QChar(0x00A0));
        break;
    case '_':
        emitChar(QChar(0x2011));
        break;
    case '\r':
    case '\n':
        if (top().dest == Dest::Text)
            endParagraph();
        break;
    default: // "\-" optional hyphen, "\:" index, "\|" formula: nothing to show
        break;
    }
}

bool Reader::skipsFallback()
{
    if (m_skip <= 0)
        return false;
    --m_skip;
    return true;
}

bool Reader::startDestination(QByteArrayView word)
{
    static const QHash<QByteArrayView, Dest> known = {
        {"fonttbl", Dest::FontTable}, {"colortbl", Dest::ColourTable},
        {"pict", Dest::Picture},      {"stylesheet", Dest::StyleSheet},
        {"info", Dest::Skip},         {"fldinst", Dest::FieldInstruction},
        {"pn", Dest::Numbering},      {"pntxta", Dest::Skip},
        {"pntxtb", Dest::Skip},       {"header", Dest::Skip},
        {"headerl", Dest::Skip},      {"headerr", Dest::Skip},
        {"headerf", Dest::Skip},      {"footer", Dest::Skip},
        {"footerl", Dest::Skip},      {"footerr", Dest::Skip},
        {"footerf", Dest::Skip},      {"footnote", Dest::Skip},
        {"listtable", Dest::Skip},    {"listoverridetable", Dest::Skip},
        {"revtbl", Dest::Skip},       {"rsidtbl", Dest::Skip},
        {"generator", Dest::Skip},    {"xmlnstbl", Dest::Skip},
        {"themedata", Dest::Skip},    {"colorschememapping", Dest::Skip},
        {"latentstyles", Dest::Skip}, {"datastore", Dest::Skip},
        {"nonshppict", Dest::Skip},   {"object", Dest::Skip},
        {"objdata", Dest::Skip},      {"pgdsctbl", Dest::Skip},
        {"filetbl", Dest::Skip},      {"annotation", Dest::Skip},
        {"atnid", Dest::Skip},        {"atnauthor", Dest::Skip},
        {"template", Dest::Skip},     {"mmathPr", Dest::Skip},
        {"pnseclvl", Dest::Skip},     {"fldrslt", Dest::Text},
        {"result", Dest::Text},       {"shppict", Dest::Text},
        {"listtext", Dest::Text},     {"pntext", Dest::Text},
        {"shprslt", Dest::Skip},      {"shpinst", Dest::Skip},
        {"do", Dest::Skip},           {"tc", Dest::Skip},
        {"xe", Dest::Skip},           {"bkmkstart", Dest::Skip},
        {"bkmkend", Dest::Skip},
    };
    const auto it = known.constFind(word);
    const bool ignorable = m_ignorable;
    m_ignorable = false;
    if (it == known.constEnd()) {
        if (ignorable)
            top().dest = Dest::Skip;
        return ignorable;
    }
    if (top().dest == Dest::Skip)
        return true; // everything inside a skipped destination stays skipped
    if (it.value() == Dest::Text && (word == "fldrslt" || word == "result" || word == "shppict")) {
        top().dest = Dest::Text;
        if (word == "fldrslt")
            startFieldResult();
        return true;
    }
    if (word == "listtext" || word == "pntext") {
        top().dest = Dest::Text;
        top().marker = true;
        return true;
    }
    top().dest = it.value();
    if (it.value() == Dest::Picture && !top().pictureOwner) {
        top().pictureOwner = true;
        m_pictures.emplace_back();
    }
    return true;
}

void Reader::controlWord(QByteArrayView word, bool hasParam, int param)
{
    if (word == "bin") {
        const qsizetype n = hasParam ? std::clamp<qsizetype>(param, 0, m_data.size() - m_pos) : 0;
        if (top().dest == Dest::Picture && !m_pictures.empty())
            m_pictures.back().binary(std::string_view(m_data.data() + m_pos, std::size_t(n)));
        m_pos += n;
        return;
    }
    if (startDestination(word))
        return;
    Group& group = top();
    if (group.dest == Dest::Text)
        flushPending(); // the bytes so far belong to the formatting before this word
    if (group.dest == Dest::Skip)
        return;
    if (group.dest == Dest::FontTable) {
        m_fonts.word(word, param);
        return;
    }
    if (group.dest == Dest::StyleSheet) {
        m_styleSheet.word(word, param);
        return;
    }
    if (group.dest == Dest::Numbering) {
        numberingWord(word, param);
        return;
    }
    if (group.dest == Dest::FieldInstruction)
        return;
    if (group.dest == Dest::ColourTable) {
        m_colours.word(word, param);
        return;
    }
    if (group.dest == Dest::Picture) {
        if (!m_pictures.empty())
            m_pictures.back().word(std::string_view(word.data(), std::size_t(word.size())), param);
        return;
    }
    if (word == "u") {
        if (skipsFallback())
            return;
        flushPending();
        const char16_t unit = char16_t(param < 0 ? param + 65536 : param);
        emitChar(QChar(unit));
        m_skip = group.uc;
        return;
    }
    if (skipsFallback())
        return;

    applyWord(word, hasParam, param);
}

void Reader::applyWord(QByteArrayView word, bool hasParam, int param)
{
    const auto it = rtf::KnownWords().constFind(word);
    if (it == rtf::KnownWords().constEnd())
        return;
    const Word known = *it;
    switch (rtf::FamilyOf(known)) {
    case rtf::Family::Character:
        characterWord(known);
        break;
    case rtf::Family::CharacterFormat:
        characterFormatWord(known, hasParam, param);
        break;
    case rtf::Family::ParagraphFormat:
        paragraphFormatWord(known, param, top().para);
        break;
    case rtf::Family::TableRow:
        rowWord(known, param);
        break;
    case rtf::Family::Document:
        documentWord(known, param);
        break;
    }
}

void Reader::characterWord(Word word)
{
    // A cell or row ends a table's cell or row; outside a table it stays a tab or a paragraph.
    const bool table = top().dest == Dest::Text && (top().para.inTable || m_structure.inTable());
    if (word == Word::Cell && table) {
        endCell();
        return;
    }
    if (word == Word::Row && table) {
        endRow();
        return;
    }
    const QChar c = rtf::CharacterOf(word);
    if (c == QChar::ParagraphSeparator)
        endParagraph();
    else
        emitChar(c);
}

void Reader::characterFormatWord(Word word, bool hasParam, int param)
{
    CharState& chr = top().chr;
    const bool on = !hasParam || param != 0;
    switch (word) {
    case Word::Plain:
        chr = CharState{};
        chr.font = m_defaultFont;
        break;
    case Word::Bold:
        chr.bold = on;
        break;
    case Word::Italic:
        chr.italic = on;
        break;
    case Word::Underline:
        chr.underline = on;
        break;
    case Word::UnderlineNone:
        chr.underline = false;
        break;
    case Word::Strike:
        chr.strike = on;
        break;
    case Word::Hidden:
        chr.hidden = on;
        break;
    case Word::Font:
        chr.font = param;
        break;
    case Word::FontSize:
        chr.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : kDefaultHalfPoints;
        break;
    case Word::Colour:
        chr.colour = param;
        break;
    case Word::Language: // 1024 is "no language"
        chr.lang = param == 1024 ? 0 : param;
        break;
    case Word::EastAsianLanguage:
        chr.langfe = param == 1024 ? 0 : param;
        break;
    case Word::Super:
        chr.vertical = QTextCharFormat::AlignSuperScript;
        break;
    case Word::Sub:
        chr.vertical = QTextCharFormat::AlignSubScript;
        break;
    case Word::NoSuperSub:
        chr.vertical = QTextCharFormat::AlignNormal;
        break;
    case Word::Up: // raised or lowered by half-points: "\up0" is the line itself
    case Word::Down:
        chr.vertical = hasParam && param == 0 ? QTextCharFormat::AlignNormal
                       : word == Word::Up     ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript;
        break;
    default:
        break;
    }
}

void Reader::paragraphFormatWord(Word word, int param, ParaState& para)
{
    const auto numbered = [&para](QTextListFormat::Style style) {
        para.list = para.list == 0 ? -1 : para.list;
        para.numbering = style;
    };
    switch (word) {
    case Word::Pard:
        para = ParaState{};
        break;
    case Word::AlignLeft:
        para.align = Qt::AlignLeft;
        break;
    case Word::AlignCentre:
        para.align = Qt::AlignHCenter;
        break;
    case Word::AlignRight:
        para.align = Qt::AlignRight;
        break;
    case Word::Justify:
        para.align = Qt::AlignJustify;
        break;
    case Word::LeftIndent:
        para.left = param;
        break;
    case Word::RightIndent:
        para.right = param;
        break;
    case Word::FirstIndent:
        para.first = param;
        break;
    case Word::RightToLeft:
        para.rtl = true;
        break;
    case Word::LeftToRight:
        para.rtl = false;
        break;
    case Word::SpaceBefore:
        para.before = std::clamp(param, 0, 31680);
        break;
    case Word::SpaceAfter:
        para.after = std::clamp(param, 0, 31680);
        break;
    case Word::Style:
        para.style = param;
        break;
    case Word::OutlineLevel:
        para.outline = param;
        break;
    case Word::InTable:
        para.inTable = true;
        break;
    case Word::TableDepth:
        para.inTable = param > 0;
        break;
    case Word::ListOverride:
        para.list = std::max(param, 0);
        break;
    case Word::ListLevel:
        para.level = std::clamp(param, 0, 8);
        break;
    case Word::NumberingBullet:
        numbered(QTextListFormat::ListDisc);
        break;
    case Word::NumberingBody:
    case Word::NumberingLevel:
        if (word == Word::NumberingLevel)
            para.level = std::clamp(param - 1, 0, 8);
        numbered(para.numbering == QTextListFormat::ListStyleUndefined ||
                         para.numbering == QTextListFormat::ListDisc
                     ? QTextListFormat::ListDecimal
                     : para.numbering);
        break;
    case Word::NumberingContinue: // a further paragraph of the item before: no number of its own
        para.list = 0;
        break;
    case Word::NumberingDecimal:
        numbered(QTextListFormat::ListDecimal);
        break;
    case Word::NumberingUpperLetter:
        numbered(QTextListFormat::ListUpperAlpha);
        break;
    case Word::NumberingLowerLetter:
        numbered(QTextListFormat::ListLowerAlpha);
        break;
    case Word::NumberingUpperRoman:
        numbered(QTextListFormat::ListUpperRoman);
        break;
    case Word::NumberingLowerRoman:
        numbered(QTextListFormat::ListLowerRoman);
        break;
    case Word::NumberingStart:
        para.numberingStart = std::clamp(param, 1, 32767);
        break;
    default:
        break;
    }
}

void Reader::rowWord(Word word, int param)
{
    switch (word) {
    case Word::RowDefaults:
        m_row = rtf::RowDefinition{};
        break;
    case Word::CellEdge:
        if (m_row.cellEdges.size() < 64) {
            m_row.cellEdges << std::clamp(param, 0, 31680 * 4);
            m_row.cellBorders << m_row.pendingBorders;
        }
        m_row.pendingBorders = {};
        m_row.side = -1;
        break;
    case Word::CellBorderTop:
    case Word::CellBorderLeft:
    case Word::CellBorderBottom:
    case Word::CellBorderRight:
        m_row.side = int(word) - int(Word::CellBorderTop);
        break;
    case Word::BorderLine:
        // A line of no stated width is the thinnest one.
        if (m_row.side >= 0 && m_row.pendingBorders[std::size_t(m_row.side)] == 0)
            m_row.pendingBorders[std::size_t(m_row.side)] = 15;
        break;
    case Word::BorderNone:
        if (m_row.side >= 0)
            m_row.pendingBorders[std::size_t(m_row.side)] = 0;
        break;
    case Word::BorderWidth:
        if (m_row.side >= 0)
            m_row.pendingBorders[std::size_t(m_row.side)] = std::clamp(param, 1, 150);
        break;
    case Word::HeaderRow:
        m_row.header = true;
        break;
    default:
        break;
    }
}

void Reader::documentWord(Word word, int param)
{
    switch (word) {
    case Word::UnicodeSkip:
        top().uc = std::clamp(param, 0, 10);
        return;
    case Word::DefaultFont:
        m_defaultFont = param;
        if (top().chr.font < 0)
            top().chr.font = param;
        return;
    case Word::AnsiCodePage:
        m_ansiCodePage = param;
        break;
    case Word::Mac:
        m_ansiCodePage = 10000;
        break;
    case Word::Pc:
        m_ansiCodePage = 437;
        break;
    case Word::Pca:
        m_ansiCodePage = 850;
        break;
    case Word::Field:
        m_fieldInstruction.clear();
        return;
    default:
        return;
    }
    m_fonts.setDocumentCodePage(m_ansiCodePage);
    m_codePageFont = INT_MIN; // the code page changed: fonts' code pages are looked up again
}

void Reader::textRun(char first)
{
    // Plain text runs until the next special byte; in the body text it is taken in one piece.
    if (top().dest != Dest::Text || m_skip > 0 || top().chr.hidden) {
        textByte(first);
        return;
    }
    const char* data = m_data.data();
    const qsizetype start = m_pos - 1;
    qsizetype end = m_pos;
    while (end < m_data.size()) {
        const char c = data[end];
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0')
            break;
        ++end;
    }
    const int page = codePage();
    m_pos = end;
    if (m_pending.isEmpty() && !IsDoubleByteCodePage(page)) {
        emitText(DecodeCodePage(page, QByteArrayView(data + start, end - start)));
        return;
    }
    if (!m_pending.isEmpty() && page != m_pendingCodePage)
        flushPending();
    m_pendingCodePage = page;
    m_pending.append(data + start, end - start);
}

// The older numbering's words belong to the paragraph that holds them.
void Reader::numberingWord(QByteArrayView word, int param)
{
    const auto it = rtf::KnownWords().constFind(word);
    if (it == rtf::KnownWords().constEnd() || *it < Word::NumberingBullet ||
        rtf::FamilyOf(*it) != rtf::Family::ParagraphFormat)
        return;
    for (auto group = m_stack.rbegin(); group != m_stack.rend(); ++group) {
        if (group->dest != Dest::Numbering) {
            paragraphFormatWord(*it, param, group->para);
            return;
        }
    }
}

void Reader::startFieldResult()
{
    const QString address = rtf::HyperlinkAddress(m_fieldInstruction);
    m_fieldInstruction.clear();
    if (address.isEmpty() || m_links.size() >= kMaxLinks)
        return;
    m_links << address;
    top().chr.link = int(m_links.size());
}

void Reader::textByte(char c)
{
    switch (top().dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        m_fonts.text(c);
        return;
    case Dest::ColourTable:
        m_colours.text(c);
        return;
    case Dest::Picture:
        pictureByte(c);
        return;
    case Dest::StyleSheet:
        m_styleSheet.text(c);
        return;
    case Dest::FieldInstruction:
        if (m_fieldInstruction.size() < kMaxFieldInstruction)
            m_fieldInstruction.append(c);
        return;
    case Dest::Numbering:
        return;
    case Dest::Text:
        if (skipsFallback())
            return;
        appendPending(c);
    }
}

void Reader::pictureByte(char c)
{
    if (!m_pictures.empty())
        m_pictures.back().hexText(std::string_view(&c, 1));
}

void Reader::finishPicture(const bookformat::RtfPicture& picture)
{
    if (top().dest != Dest::Text || top().chr.hidden)
        return;
    const QImage image = decodePicture(picture);
    const std::optional<bookformat::PictureSize> decoded =
        image.isNull() ? std::nullopt
                       : std::optional(bookformat::PictureSize{image.width(), image.height()});
    const std::optional<bookformat::PictureSize> shown =
        bookformat::ShownPictureSize(picture, decoded);
    flushPending();
    flushRun();
    // A picture that is not shown here keeps its place as a grey box: one small bitmap for the
    // whole document, drawn at each box's size, so a huge claimed size costs nothing.
    const QUrl name = image.isNull() ? placeholderName()
                                     : QUrl(QStringLiteral("rtfimage:%1").arg(++m_pictureCount));
    if (!image.isNull()) {
        m_doc.addResource(QTextDocument::ImageResource, name, image);
        m_doc.addResource(rtfprops::PictureFileResource,
                          QUrl(rtfprops::PictureFileName(name.toString())),
                          QByteArray::fromStdString(picture.data));
    }
    placeBlock();
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(shown ? double(shown->width) : 32.0);
    format.setHeight(shown ? double(shown->height) : 32.0);
    m_cursor.insertImage(format);
}

QImage Reader::decodePicture(const bookformat::RtfPicture& picture)
{
    using Kind = bookformat::RtfPicture::Kind;
    if (picture.kind != Kind::Png && picture.kind != Kind::Jpeg)
        return {};
    QByteArray data = QByteArray::fromRawData(picture.data.data(), qsizetype(picture.data.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, picture.kind == Kind::Png ? "PNG" : "JPEG");
    const QSize claimed = reader.size();
    const qint64 pixels = qint64(claimed.width()) * claimed.height();
    // Every picture of one document together stays within a bound, whatever the file claims.
    if (!claimed.isValid() || pixels > kMaxPicturePixels - m_picturePixels)
        return {};
    QImage image = reader.read();
    if (!image.isNull())
        m_picturePixels += pixels;
    return image;
}

QUrl Reader::placeholderName()
{
    const QUrl name(QStringLiteral("rtfimage:placeholder"));
    if (!m_placeholderAdded) {
        // Plain grey: a frame would be scaled with the box and cover it.
        QImage box(16, 16, QImage::Format_RGB32);
        box.fill(QColor(0xD0, 0xD0, 0xD0));
        m_doc.addResource(QTextDocument::ImageResource, name, box);
        m_placeholderAdded = true;
    }
    return name;
}

bookformat::SymbolFont Reader::symbolFont(const CharState& state) const
{
    const int font = state.font < 0 ? m_defaultFont : state.font;
    if (font == m_codePageFont && m_codePage != rtf::kSymbolCodePage &&
        m_fonts.size() == m_codePageFonts)
        return bookformat::SymbolFont::None; // the usual case, known from the cached code page
    const rtf::FontEntry* entry = m_fonts.find(font);
    return entry ? entry->symbol : bookformat::SymbolFont::None;
}

int Reader::codePage()
{
    const int font = m_stack.back().chr.font < 0 ? m_defaultFont : m_stack.back().chr.font;
    if (font != m_codePageFont || m_fonts.size() != m_codePageFonts) {
        const rtf::FontEntry* entry = m_fonts.find(font);
        m_codePage = entry && entry->codePage != 0 ? entry->codePage : m_ansiCodePage;
        m_codePageFont = font;
        m_codePageFonts = m_fonts.size();
    }
    return m_codePage;
}

void Reader::appendPending(char byte)
{
    if (top().chr.hidden)
        return;
    const int page = codePage();
    if (!m_pending.isEmpty() && page != m_pendingCodePage)
        flushPending();
    m_pendingCodePage = page;
    m_pending.append(byte);
}

void Reader::flushPending()
{
    if (m_pending.isEmpty())
        return;
    const QString text = DecodeCodePage(m_pendingCodePage, m_pending);
    m_pending.clear();
    emitText(text);
}

void Reader::emitChar(QChar c)
{
    if (top().dest != Dest::Text || top().chr.hidden)
        return;
    flushPending();
    if (c.isLowSurrogate() && !m_highSurrogate.isNull()) {
        const QChar pair[2] = {m_highSurrogate, c};
        m_highSurrogate = QChar();
        emitText(QString(pair, 2));
        return;
    }
    if (c.isHighSurrogate()) {
        emitText(QString()); // an earlier high surrogate without its partner
        m_highSurrogate = c;
        return;
    }
    emitText(c.isLowSurrogate() ? QString(QChar::ReplacementCharacter) : QString(c));
}

void Reader::emitText(const QString& text)
{
    if (!m_highSurrogate.isNull()) {
        m_highSurrogate = QChar();
        emitText(QString(QChar::ReplacementCharacter));
    }
    if (text.isEmpty())
        return;
    CharState state = m_stack.back().chr;
    const bookformat::SymbolFont symbol = symbolFont(state);
    if (symbol != bookformat::SymbolFont::None) {
        // The characters of a symbol font as what they show, in the text's own font.
        QString shown;
        shown.reserve(text.size());
        bool mapped = false;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            const char32_t meaning =
                u >= 0xF020 && u <= 0xF0FF ? bookformat::SymbolCharacter(symbol, u - 0xF000) : 0;
            if (meaning != 0)
                shown += QString::fromUcs4(&meaning, 1);
            else
                shown += c;
            mapped = mapped || meaning != 0;
        }
        if (mapped)
            state.font = kUnicodeFont;
        appendRun(shown, state);
        return;
    }
    appendRun(text, state);
}

void Reader::appendRun(const QString& text, CharState state)
{
    if (top().marker) {
        m_marker += text;
        return;
    }
    const char32_t first = text.size() > 1 && text[0].isHighSurrogate()
                               ? QChar::surrogateToUcs4(text[0], text[1])
                               : text[0].unicode();
    state.language = state.langfe != 0 && IsEastAsian(first) ? state.langfe : state.lang;
    if (!m_hasRunState || !(state == m_runState)) {
        flushRun();
        m_runState = state;
        m_hasRunState = true;
        auto cached = m_formats.constFind(state);
        if (cached == m_formats.constEnd())
            cached = m_formats.insert(state, charFormat());
        m_runFormat = *cached;
    }
    m_run.append(text);
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    placeBlock();
    if (m_cursorFormatState != m_runState || !m_hasCursorFormat) {
        m_cursor.setCharFormat(m_runFormat);
        m_cursorFormatState = m_runState;
        m_hasCursorFormat = true;
    }
    m_cursor.insertText(m_run);
    m_run.clear();
}

void Reader::endParagraph()
{
    if (top().dest != Dest::Text)
        return;
    flushPending();
    flushRun();
    placeBlock();
    setBlockFormat();
    m_cursor.insertBlock(); // the new paragraph starts with this one's format
    m_blockPlaced = false;
}

void Reader::endCell()
{
    flushPending();
    flushRun();
    placeBlock();
    setBlockFormat();
    m_structure.endCell();
    m_blockPlaced = false;
}

void Reader::endRow()
{
    flushPending();
    flushRun();
    m_structure.endRow();
    m_blockPlaced = false;
}

// Once a paragraph's settings are known (at its first text, or at its end), it joins its table
// and its list; the number text of a paragraph that is no list item is its own text.
void Reader::placeBlock()
{
    if (m_blockPlaced)
        return;
    m_blockPlaced = true;
    const ParaState& para = top().para;
    if (para.inTable) {
        if (m_structure.enterRow(m_row))
            cursorMoved();
    } else if (m_structure.inTable()) {
        m_structure.leaveTable();
        cursorMoved();
    }
    const rtf::ListMark mark = para.listMark();
    if (mark.list != 0) {
        m_structure.joinList(mark, m_marker);
        m_hasBlockState = false;
        if (m_hasRunState) // the item's number is drawn in the item's text format
            m_cursor.setBlockCharFormat(m_runFormat);
    } else {
        if (m_structure.leaveLists())
            m_hasBlockState = false;
        if (!m_marker.isEmpty())
            m_cursor.insertText(m_marker, m_hasRunState ? m_runFormat : charFormat());
    }
    m_marker.clear();
}

// The cursor stands in another paragraph: its formats are set again.
void Reader::cursorMoved()
{
    m_hasBlockState = false;
    m_hasCursorFormat = false;
}

void Reader::setBlockFormat()
{
    const ParaState& para = m_stack.back().para;
    if (m_hasBlockState && para == m_blockState)
        return;
    m_blockState = para;
    m_hasBlockState = true;
    QTextBlockFormat format = blockFormat();
    if (para.list != 0) // the block's list, which a new format would leave
        format.setObjectIndex(m_cursor.blockFormat().objectIndex());
    m_cursor.setBlockFormat(format);
}

QTextCharFormat Reader::charFormat() const
{
    const CharState& s = m_runState;
    QTextCharFormat format;
    const rtf::FontEntry* font = m_fonts.find(s.font == kUnicodeFont ? kUnicodeFont
                                              : s.font < 0           ? m_defaultFont
                                                                     : s.font);
    if (font && !font->name.isEmpty())
        format.setFontFamilies({font->name});
    format.setFontPointSize(s.halfPoints / 2.0);
    if (s.bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(s.italic);
    format.setFontUnderline(s.underline);
    format.setFontStrikeOut(s.strike);
    if (const QColor colour = m_colours.at(s.colour); colour.isValid())
        format.setForeground(colour);
    if (s.language != 0)
        format.setProperty(rtfprops::Language, s.language);
    if (s.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(s.vertical);
    if (s.link > 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_links.at(s.link - 1));
    }
    return format;
}

QTextBlockFormat Reader::blockFormat() const
{
    const ParaState& p = m_stack.back().para;
    QTextBlockFormat format;
    format.setAlignment(p.align);
    // A list item's indents are its list's; the file's own are kept for writing it again.
    if (p.list == 0) {
        format.setLeftMargin(p.left / 15.0);
        format.setTextIndent(p.first / 15.0);
    }
    format.setRightMargin(p.right / 15.0);
    format.setProperty(rtfprops::LeftIndentTwips, p.left);
    format.setProperty(rtfprops::RightIndentTwips, p.right);
    format.setProperty(rtfprops::FirstIndentTwips, p.first);
    if (p.rtl)
        format.setLayoutDirection(Qt::RightToLeft);
    if (p.before != 0) {
        format.setTopMargin(p.before / 15.0);
        format.setProperty(rtfprops::SpaceBeforeTwips, p.before);
    }
    if (p.after != 0) {
        format.setBottomMargin(p.after / 15.0);
        format.setProperty(rtfprops::SpaceAfterTwips, p.after);
    }
    if (const int level = headingLevel(p); level > 0)
        format.setHeadingLevel(level);
    return format;
}

// Outline levels 0 to 8 are headings (HTML has six); 9 is body text.
int Reader::headingLevel(const ParaState& para) const
{
    if (para.outline >= 0)
        return para.outline < 9 ? std::min(para.outline + 1, 6) : 0;
    return m_styleSheet.headingLevel(para.style);
}

} // namespace

bool LooksLikeRtf(QByteArrayView data)
{
    qsizetype i = 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

void ReadRtf(QByteArrayView data, QTextDocument& document)
{
    document.clear();
    if (!LooksLikeRtf(data)) {
        document.setPlainText(textcodec::decodeOutsideText(data));
        return;
    }
    // One edit block without undo records: the document lays itself out once, at the end.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    Reader(data, document).run();
    document.setUndoRedoEnabled(undo);
}

// The reader reads the copy the reading keeps, never a caller's bytes that may go.
struct RtfReading::State
{
    State(const QByteArray& bytes, QTextDocument& target)
        : data(bytes), reader(data, target), document(target), undo(target.isUndoRedoEnabled())
    {}

    QByteArray data;
    Reader reader;
    QTextDocument& document;
    bool undo;
};

RtfReading::RtfReading(const QByteArray& data, QTextDocument& document)
{
    document.clear();
    if (!LooksLikeRtf(data)) {
        document.setPlainText(textcodec::decodeOutsideText(data));
        return;
    }
    m_state = std::make_unique<State>(data, document);
    document.setUndoRedoEnabled(false);
}

RtfReading::~RtfReading() = default;

bool RtfReading::readFor(std::chrono::milliseconds budget)
{
    if (!m_state)
        return true;
    if (!m_state->reader.runFor(budget))
        return false;
    m_state->document.setUndoRedoEnabled(m_state->undo);
    m_state.reset();
    return true;
}

int RtfReading::percent() const
{
    if (!m_state || m_state->data.isEmpty())
        return 100;
    return int(m_state->reader.position() * 100 / m_state->data.size());
}
