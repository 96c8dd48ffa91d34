// The structure the RTF reader keeps (headings, lists, tables, hyperlinks, raised and lowered
// text, spacing, symbol fonts) and the writer gives back.
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

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

class RtfStructureTest : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
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

    void read()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(describeRtf(rtf), expected);
    }

    // What the editor saves keeps the structure it read, from the rows above and from other
    // programs' files alike, and the same document is written as the same bytes.
    void writeThenRead_keepsTheStructure_data()
    {
        read_data();
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

QTEST_GUILESS_MAIN(RtfStructureTest)
#include "tst_rtfstructure.moc"
