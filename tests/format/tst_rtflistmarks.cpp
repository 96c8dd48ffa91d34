// List marks handed to the Windows reader's rich-text control as text: its own numbering left
// out, the mark the file carries shown, a Symbol or Wingdings mark as its Unicode character;
// everything else byte for byte.
#include "format/rtf/rtflistmarks.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kFonts = "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fnil"
                          "\\fcharset2{\\*\\panose 05050102010706020507}Symbol;}"
                          "{\\f2\\fnil\\fcharset2 Wingdings;}}";

QByteArray marked(const QByteArray& rtf)
{
    const std::string out = bookformat::ListMarksAsText(rtf.toStdString());
    return QByteArray::fromStdString(out);
}

} // namespace

class RtfListMarksTest : public QObject
{
    Q_OBJECT

private slots:
    void marks_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("the tool's bullet")
            << QByteArray("{\\pntext \\u8226?\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb "
                          "\\u8226?}}\\li720 A\\par")
            << QByteArray("{\\u8226?\\tab}\\li720 A\\par");
        QTest::newRow("the tool's number")
            << QByteArray("{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody\\pnindent0\\pnstart2\\pndec{"
                          "\\pntxta.}}B\\par")
            << QByteArray("{2.\\tab}B\\par");
        QTest::newRow("a Symbol bullet of Word 95")
            << QByteArray("{\\pntext\\f1\\'B7\\tab}{\\*\\pn \\pnlvlblt\\pnf1\\pnindent360{"
                          "\\pntxtb\\'B7}}\\fi-360\\li720 C\\par")
            << QByteArray("{\\u8226?\\tab}\\fi-360\\li720 C\\par");
        QTest::newRow("a Symbol bullet of Word 97, after a plain font")
            << QByteArray("{\\listtext\\pard\\plain\\f1\\fs20 \\'b7\\tab}\\ls1 D\\par")
            << QByteArray("{\\listtext\\pard\\plain\\fs20 \\u8226?\\tab}\\ls1 D\\par");
        QTest::newRow("a Wingdings check mark")
            << QByteArray("{\\pntext\\f2\\'FC\\tab}E\\par") << QByteArray("{\\u10003?\\tab}E\\par");
        QTest::newRow("a mark in the text's own font")
            << QByteArray("{\\pntext\\f0 -\\tab}F\\par") << QByteArray("{\\f0 -\\tab}F\\par");
    }
    void marks()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, shown);
        QVERIFY(bookformat::HasRtfListMarks(list.toStdString()));
        QCOMPARE(marked(kFonts + list + "}"), kFonts + shown + "}");
    }

    // Symbol characters outside a mark are the control's to draw, in the font the file names.
    void textWithoutMarks_unchanged()
    {
        const QByteArray text = kFonts + "\\f1\\'61\\'62 {\\*\\pnseclvl1\\pnucrm} \\pntext{}" +
                                "{\\b\\ul phrase}\\par}";
        QCOMPARE(marked(text), text);
        QVERIFY(!bookformat::HasRtfListMarks("{\\rtf1 plain\\par}"));
    }
};

QTEST_GUILESS_MAIN(RtfListMarksTest)
#include "tst_rtflistmarks.moc"
