// Word counts and reading time in any script, of texts and of chapter files.
#include "testdir.h"

#include "core/writing/wordcount.h"

#include <QTest>

using namespace Qt::StringLiterals;

class WordCountTest : public QObject
{
    Q_OBJECT

private slots:
    // Words by Unicode word boundaries in any script: punctuation, spaces and line breaks are no
    // words, a contraction or a number is one, a Chinese or Japanese character is one word (as
    // word processors count them); characters as a reader sees them, accents and emoji whole.
    void countText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("eastAsian");
        QTest::addColumn<int>("characters");
        QTest::newRow("English") << u"The ship's log, day 12 -- calm."_s << 6 << 0 << 31;
        QTest::newRow("paragraphs") << u"One two.\n\u2029Three"_s << 3 << 0 << 13;
        QTest::newRow("Russian") << u"Утром корабль вышел из гавани."_s << 5 << 0 << 30;
        QTest::newRow("Japanese") << u"夜明けに船は港を出た。"_s << 10 << 10 << 11;
        QTest::newRow("mixed") << u"Tokyo 東京 port"_s << 4 << 2 << 13;
        QTest::newRow("combining and emoji") << u"cafe\u0301 \U0001F6A2 ok"_s << 2 << 0 << 9;
        QTest::newRow("nothing") << u" \n- ,"_s << 0 << 0 << 4;
    }

    void countText()
    {
        QFETCH(QString, text);
        const TextCount count = CountText(text);
        QTEST(int(count.words), "words");
        QTEST(int(count.eastAsianWords), "eastAsian");
        QTEST(int(count.characters), "characters");
    }

    // Reading time by the script: English at 230 words a minute, Japanese at 500 characters;
    // a short text takes a minute, an empty one none.
    void readingMinutes()
    {
        QCOMPARE(ReadingMinutes({}), 0);
        QCOMPARE(ReadingMinutes({3, 0, 15}), 1);
        QCOMPARE(ReadingMinutes({2300, 0, 12000}), 10);
        QCOMPARE(ReadingMinutes({1000, 1000, 1000}), 2);
        QCOMPARE(ReadingMinutes({1150 + 1000, 1000, 0}), 7);
    }

    // A chapter file counts as the reader reads it: the RTF's words, not its control words; a
    // missing file counts nothing.
    void chapterFile()
    {
        CurrentTempDir dir;
        writeBytes(
            dir.filePath(u"ONE.QLF"_s),
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 The {\\ul harbour} at "
            "dawn.\\par \\u1059?\\u1090?\\u1088?\\u1086? \\u1084?\\u1086?\\u1088?\\u1077?.\\par}");
        const TextCount count = CountChapterFile(u"ONE.QLF"_s);
        QCOMPARE(count.words, 6);
        QCOMPARE(CountChapterFile(u"NONE.QLF"_s).words, 0);
    }
};

QTEST_GUILESS_MAIN(WordCountTest)
#include "tst_wordcount.moc"
