// Spelling with Debian's Hunspell dictionaries: words right and wrong in English, German,
// Russian and Greek (a dictionary in its own 8-bit encoding), each run in its own language, the
// book's own words kept in a UTF-8 file of its folder.
#include "testdir.h"

#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"
#include "core/writing/spelling.h"

#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

class SpellingTest : public QObject
{
    Q_OBJECT

private slots:
    void words_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("English") << u"en"_s << u"morning"_s << u"mornign"_s;
        QTest::newRow("British English") << u"en-GB"_s << u"colour"_s << u"colur"_s;
        QTest::newRow("German") << u"de"_s << u"Schiff"_s << u"Schif"_s;
        QTest::newRow("Russian") << u"ru"_s << u"корабль"_s << u"карабль"_s;
        QTest::newRow("Greek") << u"el"_s << u"πλοίο"_s << u"πλοιο"_s;
        QTest::newRow("Polish") << u"pl"_s << u"morze"_s << u"mozre"_s;
    }

    void words()
    {
        QFETCH(QString, language);
        QFETCH(QString, right);
        QFETCH(QString, wrong);
        Spelling spelling;
        QVERIFY2(spelling.knows(language), qPrintable(language));
        QVERIFY(spelling.isRight(right, language));
        QVERIFY(!spelling.isRight(wrong, language));
        const QStringList offered = spelling.suggestions(wrong, language);
        QVERIFY2(offered.contains(right), qPrintable(offered.join(u", "_s)));
        QVERIFY(offered.size() <= Spelling::kMostSuggestions);
    }

    // A language without a dictionary is not checked; numbers and signs are no words.
    void unknownLanguagesAndNonWords_areRight()
    {
        Spelling spelling;
        QVERIFY(!spelling.knows(u"tlh"_s));
        QVERIFY(spelling.isRight(u"Qapla'"_s, u"tlh"_s));
        QVERIFY(spelling.isRight(u"1984"_s, u"en"_s));
        QVERIFY(spelling.isRight(u"--"_s, u"en"_s));
    }

    // Ignored words and the book's words are right; the book's file is UTF-8, a word a line,
    // and a second checker reading it knows them.
    void ignoredAndBookWords()
    {
        QTemporaryDir book;
        const QString file = BookWordsFile(book.path());
        QCOMPARE(file, book.filePath(u"book-words.txt"_s));
        Spelling spelling;
        spelling.useBookWords(file);
        QVERIFY(!spelling.isRight(u"Kestrin"_s, u"en"_s));
        spelling.ignore(u"Kestrin"_s);
        QVERIFY(spelling.isRight(u"Kestrin"_s, u"en"_s));
        spelling.addToBook(u"Ялта-порт"_s);
        spelling.addToBook(u"Quorelle"_s);
        QCOMPARE(readBytes(file), QByteArray("Quorelle\nЯлта-порт\n"));
        Spelling again;
        again.useBookWords(file);
        QVERIFY(again.isRight(u"Quorelle"_s, u"en"_s));
        QVERIFY(!again.isRight(u"Kestrin"_s, u"en"_s));
    }

    // The Language box marks a run by the identifier RTF writes, which reads back as its tag.
    void languageIds_readBackAsTheirTags()
    {
        for (const QString& tag : {u"ru"_s, u"de"_s, u"en-GB"_s, u"pt-BR"_s, u"zh-Hant"_s, u"el"_s})
            QCOMPARE(LanguageTagOf(LanguageIdOf(tag)), tag);
        QCOMPARE(LanguageIdOf(u"ru"_s), 0x0419);
        QCOMPARE(LanguageIdOf(u"tlh"_s), 0);
    }

    // Each run in its marked language: a Russian run in an English chapter is checked in
    // Russian; each wrong word once, in the order of the text.
    void document_eachRunInItsLanguage()
    {
        QTextDocument document;
        ReadRtf("{\\rtf1\\ansi\\deflang1033 The mornign at dawn, {\\lang1049 \\u1082?\\u1086?"
                "\\u1088?\\u1072?\\u1073?\\u1083?\\u1100? \\u1082?\\u1072?\\u1088?\\u1072?\\u1073?"
                "\\u1083?\\u1100?} and the mornign again.\\par}",
                document);
        Spelling spelling;
        QCOMPARE(MisspelledWords(document, u"en"_s, spelling),
                 (QStringList{u"mornign"_s, u"карабль"_s}));
    }
};

QTEST_MAIN(SpellingTest)
#include "tst_spelling.moc"
