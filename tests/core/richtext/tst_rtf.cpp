// The RTF reader and writer: what survives a round trip, the structure kept (headings, lists,
// tables, hyperlinks, raised and lowered text, spacing, symbol fonts), and how the reader treats
// the odd constructs of other programs and damaged input; the HyperText recogniser over what it
// reads, counting a paragraph break as CR and LF as the chapter editor does.
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

QString plain(const QByteArray& rtf)
{
    QTextDocument document;
    ReadRtf(rtf, document);
    return document.toPlainText();
}

struct Run
{
    QString text;
    QString family;
    qreal size;
    QColor colour;
    bool bold, italic, underline;
    int language;
    bool operator==(const Run&) const = default;
};

QList<Run> runs(const QTextDocument& document)
{
    QList<Run> result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            result.append(
                {it.fragment().text(), families.value(0), f.fontPointSize(),
                 f.foreground().style() == Qt::NoBrush ? QColor() : f.foreground().color(),
                 f.fontWeight() >= QFont::DemiBold, f.fontItalic(), f.fontUnderline(),
                 f.intProperty(rtfprops::Language)});
        }
        result.append({u"<par>"_s, {}, 0, {}, false, false, false, 0});
    }
    return result;
}

const QByteArray kRichEditSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}"
    "{\\f1\\fnil\\fcharset0 Times New Roman;}}\r\n{\\colortbl "
    ";\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 Plain \\b bold\\b0  \\i italic\\i0  \\ul North Sea\\ulnone  "
    "after\\par\r\n"
    "\\pard\\qc\\cf1\\f1\\fs32 Centred red\\cf0\\par\r\n"
    "\\pard\\fi-360\\li720\\ri144\\cf2 Indented navy \\'e9t\\'e9 \\u8364?\\par\r\n"
    "\\pard\\qr\\cf0\\f0\\fs20 tab\\tab and\\line line\\par\r\n}\r\n";

// Paragraphs of other scripts, to put before the sample's end.
const QByteArray kScripts = "\\pard\\rtlpar\\lang1037 \\u1513?\\u1500?\\u1493?\\u1501?\\par\r\n"
                            "\\pard\\lang1049\\langfe1041 \\u1052?\\u1080?\\u1088? "
                            "\\u26085?\\u26412?\\lang1024  end\\par\r\n";

QString describeBlock(const QTextBlock& block)
{
    QString text;
    if (const int level = block.blockFormat().headingLevel(); level > 0)
        text += u"h%1 "_s.arg(level);
    if (const QTextList* list = block.textList()) {
        const QTextListFormat format = list->format();
        text += u"li%1:%2:%3 "_s.arg(format.indent())
                    .arg(int(format.style()))
                    .arg(std::max(1, format.intProperty(rtfprops::ListStart)));
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QString run = it.fragment().text();
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            run = u"^("_s + run + u')';
        if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            run = u"_("_s + run + u')';
        if (format.isAnchor())
            run = u"["_s + run + u"]("_s + format.anchorHref() + u')';
        text += run;
    }
    return text;
}

// The document as one line per paragraph: "h1 Title", "li1:-1:1 item" (indent, list style,
// first number), "[text](address)", "^(raised)", "_(lowered)", a table as "| a | b |" rows.
QString describe(const QTextDocument& document)
{
    QStringList lines;
    QTextFrame* root = document.rootFrame();
    for (auto it = root->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            for (int row = 0; row < table->rows(); ++row) {
                QStringList cells;
                for (int column = 0; column < table->columns(); ++column) {
                    const QTextTableCell cell = table->cellAt(row, column);
                    QStringList blocks;
                    for (auto c = cell.begin(); !c.atEnd(); ++c)
                        blocks << describeBlock(c.currentBlock());
                    cells << blocks.join(u" / "_s);
                }
                lines << u"| "_s + cells.join(u" | "_s) + u" |"_s;
            }
        } else if (it.currentBlock().isValid()) {
            lines << describeBlock(it.currentBlock());
        }
    }
    return lines.join(u'\n');
}

QString describeRtf(const QByteArray& rtf)
{
    QTextDocument document;
    ReadRtf(rtf, document);
    return describe(document);
}

} // namespace

class RtfTest : public QObject
{
    Q_OBJECT

private slots:
    // The sample as read (fonts, sizes, colours, alignment, indents, breaks, other scripts and
    // their direction), all of it kept through a write and a second read, and written again as
    // the same bytes.
    void roundTrip_keepsEveryPreservedAttribute()
    {
        QTextDocument first;
        ReadRtf(kRichEditSample.chopped(3) + kScripts + "}\r\n", first);
        const QList<Run> r = runs(first);
        QCOMPARE(r.at(0).text, u"Plain "_s);
        QCOMPARE(r.at(0).family, u"MS Sans Serif"_s);
        QCOMPARE(r.at(0).size, 10.0);
        QVERIFY(r.at(1).bold && r.at(1).text == u"bold"_s);
        QVERIFY(r.at(5).underline && r.at(5).text == u"North Sea"_s);
        QVERIFY(!r.at(6).underline);
        const QTextBlock centred = first.begin().next();
        QCOMPARE(centred.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(centred.text(), u"Centred red"_s);
        QCOMPARE(centred.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
        QCOMPARE(centred.next().text(), QString::fromUtf8("Indented navy \u00e9t\u00e9 \u20ac"));
        QCOMPARE(centred.next().blockFormat().property(rtfprops::FirstIndentTwips).toInt(), -360);
        QCOMPARE(centred.next().next().text(),
                 u"tab\tand"_s + QChar(QChar::LineSeparator) + u"line"_s);
        const QTextBlock hebrew = first.lastBlock().previous().previous();
        QCOMPARE(hebrew.blockFormat().layoutDirection(), Qt::RightToLeft);
        QCOMPARE(hebrew.begin().fragment().charFormat().intProperty(rtfprops::Language), 1037);
        QList<int> languages; // Russian, Japanese (East Asian text), none
        for (auto it = first.lastBlock().previous().begin(); !it.atEnd(); ++it)
            languages << it.fragment().charFormat().intProperty(rtfprops::Language);
        QCOMPARE(languages, QList<int>({1049, 1041, 0}));

        const QByteArray written = WriteRtf(first);
        QVERIFY(written.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        QVERIFY(written.contains("\\viewkind4\\uc1\\pard"));
        QTextDocument second;
        ReadRtf(written, second);
        QCOMPARE(runs(second), runs(first));
        for (QTextBlock a = first.begin(), b = second.begin(); a.isValid();
             a = a.next(), b = b.next()) {
            QCOMPARE(b.blockFormat().alignment(), a.blockFormat().alignment());
            for (const int indent : {rtfprops::LeftIndentTwips, rtfprops::RightIndentTwips,
                                     rtfprops::FirstIndentTwips})
                QCOMPARE(b.blockFormat().property(indent), a.blockFormat().property(indent));
            QCOMPARE(b.textDirection(), a.textDirection());
        }
        QCOMPARE(WriteRtf(second), written);

        // Arabic typed without a stated direction is saved right to left.
        QTextDocument typed;
        typed.setPlainText(QString::fromUtf8("\u0645\u0631\u062D\u0628\u0627\nabc"));
        QCOMPARE(WriteRtf(typed).count("\\rtlpar"), 1);
    }

    void reader_constructsOfOtherPrograms_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("ignorable destination")
            << QByteArray("{\\rtf1 a{\\*\\unknown hidden}b}") << u"ab"_s;
        QTest::newRow("unicode skip per group")
            << QByteArray("{\\rtf1\\uc2 \\u8364xy{\\uc0\\u8364}z}") << u"\u20ac\u20acz"_s;
        QTest::newRow("brace ends a skip")
            << QByteArray("{\\rtf1\\uc3 \\u8364{b}c}") << u"\u20acbc"_s;
        QTest::newRow("hex counts as one")
            << QByteArray("{\\rtf1\\uc1\\u8364\\'80z}") << u"\u20acz"_s;
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1\\uc0\\u-10179\\u-9047 }") << QString::fromUtf8("\U0001F4A9");
        QTest::newRow("bin jumped over") << QByteArray("{\\rtf1 a{\\*\\x\\bin3 }}x}b}") << u"ab"_s;
        QTest::newRow("hidden text") << QByteArray("{\\rtf1 a\\v hidden\\v0 b}") << u"ab"_s;
        QTest::newRow("code page of the font")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 X;}}\\f0 \\'c0}")
            << QString::fromUtf8("\u0410");
        QTest::newRow("double-byte")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << QString::fromUtf8("\u3042");
        QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}}}b") << u"a"_s;
        QTest::newRow("unbalanced inner closing") << QByteArray("{\\rtf1 {a}}b}") << u"a"_s;
        QTest::newRow("missing closing") << QByteArray("{\\rtf1 {\\b a") << u"a"_s;
        QTest::newRow("trailing NUL") << QByteArray("{\\rtf1 a}\0", 10) << u"a"_s;
        QTest::newRow("escaped braces") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << u"{x}\\"_s;
        QTest::newRow("not rtf") << QByteArray("plain caf\xc3\xa9")
                                 << QString::fromUtf8("plain caf\u00e9");
        QTest::newRow("not rtf, not utf-8")
            << QByteArray("caf\xe9") << QString::fromUtf8("caf\u00e9");
    }
    void reader_constructsOfOtherPrograms()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(plain(rtf), text);
    }

    void reader_underlineRunsAreExact()
    {
        QTextDocument document;
        ReadRtf("{\\rtf1 a \\ul North Sea\\ulnone  b\\ul0  \\ul c\\ul0}", document);
        QStringList underlined;
        for (const Run& run : runs(document)) {
            if (run.underline)
                underlined << run.text;
        }
        QCOMPARE(underlined, QStringList({u"North Sea"_s, u"c"_s}));
    }

    void reader_picturesInline()
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        QTextDocument document;
        ReadRtf("{\\rtf1 a{\\pict\\pngblip\\picwgoal60\\pichgoal45 " + png.toHex() +
                    "}b{\\pict\\wmetafile8 0102}c}",
                document);
        QCOMPARE(document.toPlainText().size(), 5);
        int images = 0;
        for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                ++images;
                const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                QVERIFY(!document.resource(QTextDocument::ImageResource, QUrl(f.name()))
                             .value<QImage>()
                             .isNull());
            }
        }
        QCOMPARE(images, 2);
        const QByteArray written = WriteRtf(document);
        QVERIFY(written.contains("\\pngblip"));

        // A JPEG is written back as the same JPEG, not as a PNG.
        QByteArray jpeg;
        QBuffer jpegBuffer(&jpeg);
        jpegBuffer.open(QIODevice::WriteOnly);
        image.save(&jpegBuffer, "JPEG");
        ReadRtf("{\\rtf1 {\\pict\\jpegblip " + jpeg.toHex() + "}}", document);
        const QByteArray again = WriteRtf(document);
        QVERIFY(again.contains("{\\pict\\jpegblip\\picw4\\pich3"));
        QVERIFY(again.contains(jpeg.toHex().left(128)));
        QVERIFY(!again.contains("\\pngblip"));
    }

    void reader_hostileSizesAndTablesAreBounded()
    {
        // Three hundred boxes that each claim 99999 twips square share one small bitmap.
        QByteArray rtf("{\\rtf1 ");
        for (int i = 0; i < 300; ++i)
            rtf += "{\\pict\\wmetafile8\\picwgoal99999\\pichgoal99999 0102}";
        rtf += "}";
        QTextDocument document;
        ReadRtf(rtf, document);
        QSet<QString> names;
        for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
            const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
            QCOMPARE(f.width(), 4096.0); // still drawn at its (bounded) display size
            names << f.name();
        }
        QCOMPARE(names.size(), 1);
        const QImage box =
            document.resource(QTextDocument::ImageResource, QUrl(*names.begin())).value<QImage>();
        QVERIFY(box.width() * box.height() <= 64 * 64);

        // A colour table holds at most 4096 entries, however many separators come.
        QByteArray colours("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;");
        colours += QByteArray(5000, ';') + "\\red0\\green0\\blue255;}\\cf1 a\\cf5002 b}";
        QTextDocument coloured;
        ReadRtf(colours, coloured);
        QTextCursor cursor(&coloured);
        cursor.setPosition(1);
        QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::red));
        cursor.setPosition(2);
        QVERIFY(cursor.charFormat().foreground().color() != QColor(Qt::blue));
    }

    void reader_damagedInputStaysLinear()
    {
        QByteArray deep;
        for (int i = 0; i < 100000; ++i)
            deep += "{\\b ";
        deep += "x";
        QCOMPARE(plain("{\\rtf1 " + deep), u"x"_s);

        QElapsedTimer timer;
        timer.start();
        const QByteArray longLine = "{\\rtf1 " + QByteArray(20 * 1024 * 1024, 'a') + "}";
        QCOMPARE(plain(longLine).size(), 20 * 1024 * 1024);
        QCOMPARE(plain("{\\rtf1 {\\*\\x\\bin999999999 abc}}"), QString());
        QVERIFY2(timer.elapsed() < 20000, "damaged input took too long");
    }

    void phraseAt_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("clickAt"); // the text before the click, within the plain text
        QTest::addColumn<QString>("phrase");
        const QByteArray thirtyFive = "abcdefghijklmnopqrstuvwxyz012345678";
        QTest::newRow("middle of North Sea")
            << QByteArray("{\\rtf1 the \\ul North Sea\\ulnone  ferry}") << u"the North S"_s
            << u"North Sea"_s;
        QTest::newRow("first word of two")
            << QByteArray("{\\rtf1 go \\ul North\\ulnone  \\ul Sea\\ulnone  x}") << u"go No"_s
            << u"North"_s;
        QTest::newRow("second word of two")
            << QByteArray("{\\rtf1 go \\ul North\\ulnone  \\ul Sea\\ulnone  x}") << u"go North S"_s
            << u"Sea"_s;
        QTest::newRow("start of the text")
            << QByteArray("{\\rtf1 \\ul Paris\\ulnone  is}") << u"Pa"_s << u"Paris"_s;
        QTest::newRow("first character of the text")
            << QByteArray("{\\rtf1 \\ul Paris\\ulnone  is}") << QString() << u"Paris"_s;
        QTest::newRow("start of a line")
            << QByteArray("{\\rtf1 x\\par \\ul Rome\\ulnone  y}") << u"x\nRo"_s << u"Rome"_s;
        QTest::newRow("plain text") << QByteArray("{\\rtf1 the \\ul North Sea\\ulnone  ferry}")
                                    << u"the North Sea fe"_s << QString();
        QTest::newRow("35 at a line start, clicked later")
            << QByteArray("{\\rtf1 x\\par \\ul " + thirtyFive + "\\ulnone  y}") << u"x\nabc"_s
            << QString::fromLatin1(thirtyFive.left(30));
        QTest::newRow("35 at a line start, first clicked")
            << QByteArray("{\\rtf1 x\\par \\ul " + thirtyFive + "\\ulnone  y}") << u"x\n"_s
            << QString::fromLatin1(thirtyFive.left(29));
        QTest::newRow("run one after a line start")
            << QByteArray("{\\rtf1 x\\par a\\ul bcd\\ulnone  y}") << u"x\nab"_s << u"abcd"_s;
        QTest::newRow("run ending the line")
            << QByteArray("{\\rtf1 a \\ul Sea\\par next\\ulnone}") << u"a S"_s << u"Sea"_s;
        // A run longer than any phrase is none: clicking deep in it finds nothing, at once.
        const QByteArray huge(200000, 'h');
        QTest::newRow("run no phrase has")
            << QByteArray("{\\rtf1 a \\ul " + huge + "\\ulnone  b}")
            << u"a "_s + QString(150000, QLatin1Char('h')) << QString();
    }

    void phraseAt()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, clickAt);
        QFETCH(QString, phrase);
        QTextDocument document;
        ReadRtf(rtf, document);
        QVERIFY(document.toPlainText().startsWith(clickAt));
        QCOMPARE(HyperPhraseAt(document, int(clickAt.size())), phrase);
        // The paragraph's own view, read once for all its phrases, finds the same.
        const BlockControlText paragraph(document.findBlock(int(clickAt.size())));
        QCOMPARE(paragraph.phraseAt(int(clickAt.size())), phrase);
    }

    void controlText_countsBreaksTwice()
    {
        QTextDocument document;
        ReadRtf("{\\rtf1 ab\\par cd\\line e}", document);
        const ControlText text(document);
        QCOMPARE(text.length(), 2 + 2 + 4);
        QCOMPARE(text.at(2), u'\r');
        QCOMPARE(text.at(3), u'\n');
        QCOMPARE(text.at(4), u'c');
        QCOMPARE(text.at(6), u'\x0B');
        QCOMPARE(text.fromDocumentPosition(3), 4);
        QCOMPARE(text.toDocumentPosition(4), 3);
    }

    void fuzz_randomDamageNeverBreaksTheReader()
    {
        QRandomGenerator random(4242);
        const int asked = qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS");
        const int rounds = asked > 0 ? asked : 300;
        static const QByteArray alphabet("{}\\'*0123456789abu-; \r\n\0", 24);
        for (int round = 0; round < rounds; ++round) {
            QByteArray data = kRichEditSample;
            const int edits = 1 + random.bounded(10);
            for (int e = 0; e < edits; ++e) {
                const int pos = random.bounded(int(data.size()));
                if (random.bounded(2))
                    data[pos] = alphabet.at(random.bounded(int(alphabet.size())));
                else
                    data.insert(pos, QByteArray(1 + random.bounded(3),
                                                alphabet.at(random.bounded(int(alphabet.size())))));
            }
            QTextDocument document;
            ReadRtf(data, document);
            // Whatever was read is written as RTF, which reads again (under the sanitizers).
            const QByteArray written = WriteRtf(document);
            QVERIFY(written.startsWith("{\\rtf1"));
            QTextDocument again;
            ReadRtf(written, again);
        }
    }

    void structure_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("older numbering")
            << QByteArray(
                   "{\\rtf1{\\fonttbl{\\f2\\fcharset2 Symbol;}}\\pard{\\pntext\\f2\\'B7\\tab}"
                   "{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}} A\\par"
                   "{\\pntext\\f2\\'B7\\tab}B\\par\\pard"
                   "{\\pntext 3)\\tab}{\\*\\pn\\pnlvlbody\\pnindent0\\pnstart3\\pndec{\\pntxta)}}"
                   "C\\par\\pard D\\par}")
            << u"li1:-1:1  A\nli1:-1:1 B\nli1:-4:3 C\nD\n"_s;
        QTest::newRow("nested lists")
            << QByteArray("{\\rtf1{\\listtext 1.\\tab}\\pard\\fi-360\\li720\\ls1 one\\par"
                          "{\\listtext o\\tab}\\pard\\ls2\\ilvl1 inner\\par"
                          "{\\listtext 2.\\tab}\\pard\\ls1 two\\par"
                          "{\\listtext iv\\tab}\\pard\\ls3 four\\par\\pard after\\par}")
            << u"li1:-4:1 one\nli2:-2:1 inner\nli1:-4:1 two\nli1:-7:4 four\nafter\n"_s;
        QTest::newRow("a number that is no list item stays text")
            << QByteArray("{\\rtf1{\\listtext 1.\\tab}\\pard plain\\par}") << u"1.\tplain\n"_s;
        QTest::newRow("headings by style and outline level")
            << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\outlinelevel0 heading 1;}"
                          "{\\s2 Heading 2;}{\\s3\\outlinelevel2 \\'dcberschrift 3;}"
                          "{\\*\\cs4 heading 1 Char;}}"
                          "\\pard\\s1 One\\par\\pard\\s2 Two\\par\\pard\\s3 Three\\par"
                          "\\pard\\s4 Body\\par\\pard\\outlinelevel8 Nine\\par"
                          "\\pard\\outlinelevel9 Text\\par}")
            << u"h1 One\nh2 Two\nh3 Three\nBody\nh6 Nine\nText\n"_s;
        QTest::newRow("table")
            << QByteArray("{\\rtf1 Before\\par\\trowd\\trhdr\\cellx2000\\cellx4000"
                          "\\pard\\intbl A1\\cell B1\\par second\\cell\\row"
                          "\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\cell B2\\cell C2\\cell\\row"
                          "\\pard After\\par}")
            << u"Before\n| A1 | B1 / second |  |\n|  | B2 | C2 |\nAfter\n"_s;
        QTest::newRow("cells outside a table stay tabs")
            << QByteArray("{\\rtf1 a\\cell b\\row c\\par}") << u"a\tb\nc\n"_s;
        QTest::newRow("hyperlinks")
            << QByteArray("{\\rtf1 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a b\" "
                          "\\\\o \"tip\"}}{\\fldrslt{\\ul the site}}} and "
                          "{\\field{\\*\\fldinst HYPERLINK \\\\l \"here\"}{\\fldrslt here}}.\\par}")
            << u"See [the site](https://example.org/a b) and here.\n"_s;
        QTest::newRow("raised and lowered")
            << QByteArray("{\\rtf1 H{\\sub 2}O, x{\\super 2}, {\\up6 up}{\\dn6 down}{\\up0 "
                          "level}\\nosupersub.\\par}")
            << u"H_(2)O, x^(2), ^(up)_(down)level.\n"_s;
        QTest::newRow("symbol fonts")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}"
                          "{\\f2\\fcharset0 Wingdings;}}\\f1 abp\\'b7\\f0  \\f2\\'fc\\u-3842?"
                          "\\f0 a\\par}")
            << u"\u03b1\u03b2\u03c0\u2022 \u2713\U0001F5F9a\n"_s;
    }

    void structure()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(describeRtf(rtf), expected);
    }

    // What the editor saves keeps the structure it read, from the rows above and from other
    // programs' files alike, and the same document is written as the same bytes.
    void writeThenRead_keepsTheStructure_data()
    {
        structure_data();
        for (const char* file :
             {"pandoc/heading.rtf", "pandoc/list_simple.rtf", "pandoc/list_legacy.rtf",
              "pandoc/writer.rtf", "rtfjs/hyperlink.rtf", "rtfjs/superscript-subscript.rtf",
              "rtfjs/HOMEAUDIOMETER.rtf", "tika/testRTFVarious.rtf", "tika/testRTFJapanese.rtf",
              "tika/testRTFListMicrosoftWord.rtf", "tika/testRTFTableCellSeparation.rtf",
              "rtfpipe/Issue53.rtf"}) {
            QFile in(QStringLiteral(QUORELLE_CORPUS_DIR "/") + QLatin1String(file));
            QTest::newRow(file) << (in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray())
                                << QString();
        }
    }
    void writeThenRead_keepsTheStructure()
    {
        QFETCH(QByteArray, rtf);
        if (rtf.isEmpty())
            QSKIP("no RTF corpus here");
        QTextDocument document;
        ReadRtf(rtf, document);
        QVERIFY(document.characterCount() > 1);
        const QByteArray written = WriteRtf(document);
        QCOMPARE(describeRtf(written), describe(document));
        QCOMPARE(WriteRtf(document), written);
    }

    // The cells' borders of a table are kept through a save: the width each side has, a line
    // of no width the thinnest, "none" none; a Word table has them.
    void tableBorders_keptThroughWriting()
    {
        QTextDocument document;
        ReadRtf("{\\rtf1\\trowd\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrdb\\cellx1000"
                "\\clbrdrl\\brdrs\\brdrnone\\cellx2000\\pard\\intbl a\\cell b\\cell\\row}",
                document);
        const auto borders = [](const QTextDocument& doc) {
            for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
                if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
                    return table->format().property(rtfprops::CellBordersTwips).toList();
            }
            return QVariantList();
        };
        const QVariantList expected{QVariant(QVariantList{10, 0, 15, 0}),
                                    QVariant(QVariantList{0, 0, 0, 0})};
        QCOMPARE(borders(document), expected);
        const QByteArray written = WriteRtf(document);
        QVERIFY2(written.contains("\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw15\\cellx1000"
                                  "\\cellx2000"),
                 written.constData());
        QTextDocument again;
        ReadRtf(written, again);
        QCOMPARE(borders(again), expected);

        QFile word(QStringLiteral(QUORELLE_CORPUS_DIR "/tika/testRTFTableCellSeparation.rtf"));
        if (!word.open(QIODevice::ReadOnly))
            QSKIP("no RTF corpus here");
        QTextDocument fromWord;
        ReadRtf(word.readAll(), fromWord);
        QVERIFY(!borders(fromWord).isEmpty());
    }
};

QTEST_MAIN(RtfTest)
#include "tst_rtf.moc"
