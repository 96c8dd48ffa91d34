// The HyperText recogniser on the examples of the chapter editor, counting a paragraph break as
// CR and LF.
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace Qt::StringLiterals;

class HyperPhraseTest : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(HyperPhraseTest)
#include "tst_hyperphrase.moc"
