// The author's aids: word counts and reading time in any script, of texts and of chapter files;
// spelling with Debian's Hunspell dictionaries (English, German, Russian, Greek in a dictionary of
// its own 8-bit encoding), each run in its own language, the book's own words kept in a UTF-8
// file of its folder; recovery copies of unsaved chapters, kept per book and chapter in the
// user's data folder, replaced, dropped, and found again for their book alone; finding a text
// across the book's chapters and HyperText texts, and replacing it in every chapter: case folding
// in any script, whole words, formats kept, phrases' links moved, and what would lose a link or
// cannot be written refused with nothing changed.
#include "testbook.h"

#include "core/book/unlinkedphrases.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/alttext.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"
#include "core/writing/booksearch.h"
#include "core/writing/recovery.h"
#include "core/writing/spelling.h"
#include "core/writing/wordcount.h"

#include <QFile>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

struct SeaBook : TestBook
{
    SeaBook()
    {
        addChapter("One", "{\\rtf1 The Harbour at dawn; harbours {\\b HARBOUR} wall.\\par}");
        addChapter("Two", "{\\rtf1 \\u1052?\\u1054?\\u1056?\\u1045? and the sea.\\par}");
        addChapter("Three", "{\\rtf1 Past the harbour light, see {\\ul the quay}.\\par}");
        AddEntry(state.HyperTextFile, u"the quay"_s, 1, u"x"_s, kHyperSource);
        AddDisplayEntry(state.HyperTextFile, u"note"_s, 1, DefaultDisplay(),
                        {u"{\\rtf1 A note on the harbour.\\par}"_s}, kHyperSource);
    }

    QString chapterText(const char* file) const
    {
        QTextDocument document;
        ReadRtf(readBytes(dir.filePath(QString::fromLatin1(file))), document);
        return document.toPlainText().trimmed();
    }
};

QList<SearchHit> searchAll(const WorkingState& state, const SearchRequest& request)
{
    BookSearch search(state, request);
    QList<SearchHit> hits;
    while (!search.done())
        hits << search.next();
    return hits;
}

} // namespace

class WritingAidsTest : public QObject
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

    // A copy names its book and chapter and holds the text whole; a second copy of the same
    // chapter replaces the first; another book's copies and damaged files are not this book's;
    // the folder is the user's alone.
    void copies_keptPerBookAndChapter()
    {
        QTemporaryDir book;
        QTemporaryDir other;
        const QByteArray rtf = "{\\rtf1 Unsaved \\u1089?\\u1083?\\u1086?\\u1074?\\par}";
        KeepRecoveryCopy(book.path(), u"ONE.QLF"_s, "{\\rtf1 first}");
        KeepRecoveryCopy(book.path(), u"one.qlf"_s, rtf); // the same chapter
        KeepRecoveryCopy(book.path(), QString(), "{\\rtf1 new}");
        KeepRecoveryCopy(other.path(), u"ONE.QLF"_s, "{\\rtf1 other}");
        writeBytes(RecoveryFolder() + u"/damaged.qrec"_s, "Quorelle recovery 1\nno end");

        QList<RecoveryCopy> copies = RecoveryCopiesOf(book.path() + u"/"_s);
        QCOMPARE(copies.size(), 2);
        const auto named = [&](const QString& chapter) {
            return *std::find_if(copies.begin(), copies.end(),
                                 [&](const RecoveryCopy& c) { return c.chapter == chapter; });
        };
        QCOMPARE(named(u"one.qlf"_s).rtf, rtf);
        QCOMPARE(named(QString()).rtf, QByteArray("{\\rtf1 new}"));
        QVERIFY(named(QString()).written.isValid());
        QCOMPARE(QFile::permissions(RecoveryFolder()) & 0x0077, QFileDevice::Permissions());

        DropRecoveryCopy(book.path(), u"ONE.QLF"_s);
        DropRecoveryCopy(book.path(), QString());
        QVERIFY(RecoveryCopiesOf(book.path()).isEmpty());
        QCOMPARE(RecoveryCopiesOf(other.path()).size(), 1);
        DropRecoveryCopy(other.path(), u"ONE.QLF"_s);
        QFile::remove(RecoveryFolder() + u"/damaged.qrec"_s);
    }

    void findIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QList<qsizetype>>("found");
        QTest::newRow("any case") << u"Sea, SEA, sea"_s << u"sea"_s << false << false
                                  << QList<qsizetype>{0, 5, 10};
        QTest::newRow("match case")
            << u"Sea, SEA, sea"_s << u"sea"_s << true << false << QList<qsizetype>{10};
        QTest::newRow("whole word")
            << u"sea seas, sea_ (sea)"_s << u"sea"_s << false << true << QList<qsizetype>{0, 16};
        QTest::newRow("Cyrillic") << u"Море и МОРЕ"_s << u"море"_s << false << false
                                  << QList<qsizetype>{0, 7};
        QTest::newRow("Greek final sigma")
            << u"ΟΔΟΣ οδος"_s << u"οδοσ"_s << false << false << QList<qsizetype>{0, 5};
        QTest::newRow("no overlaps")
            << u"aaaa"_s << u"aa"_s << false << false << QList<qsizetype>{0, 2};
        QTest::newRow("nothing wanted")
            << u"sea"_s << QString() << false << false << QList<qsizetype>{};
    }

    void findIn()
    {
        QFETCH(QString, text);
        QFETCH(QString, wanted);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QTEST(FindIn(text, {wanted, matchCase, wholeWord}), "found");
    }

    // Every chapter in the list's order, then the pop-up texts, each hit with its line.
    void bookSearch_findsInChaptersAndEntries()
    {
        SeaBook book;
        const QList<SearchHit> hits = searchAll(book.state, {u"harbour"_s, false, true});
        QStringList places;
        for (const SearchHit& hit : hits)
            places << hit.place;
        QCOMPARE(places, (QStringList{u"One"_s, u"One"_s, u"Three"_s, u"note"_s}));
        QCOMPARE(hits.first().chapter, 0);
        QCOMPARE(hits.first().file, u"One.QLF"_s);
        QCOMPARE(hits.first().position, 4);
        QCOMPARE(hits.first().context, u"The [Harbour] at dawn; harbours HARBOUR wall."_s);
        QCOMPARE(hits.at(1).context, u"The Harbour at dawn; harbours [HARBOUR] wall."_s);
        QCOMPARE(hits.last().chapter, -1);
        QCOMPARE(searchAll(book.state, {u"море"_s, false, false}).size(), 1);
    }

    // Replace All changes every place of every chapter, each keeping its run's format.
    void replaceAll_keepsFormats()
    {
        SeaBook book;
        const ReplacePlan plan = PlanReplaceAll(book.state, {u"harbour"_s, false, true}, u"port"_s);
        QCOMPARE(plan.refusal, QString());
        QCOMPARE(plan.places, 3);
        QCOMPARE(plan.files, (QStringList{u"One.QLF"_s, u"Three.QLF"_s}));
        QCOMPARE(ReplaceAll(book.state, {u"harbour"_s, false, true}, u"port"_s), plan.files);
        QCOMPARE(book.chapterText("One.QLF"), u"The port at dawn; harbours port wall."_s);
        QCOMPARE(book.chapterText("Three.QLF"), u"Past the port light, see the quay."_s);
        QTextDocument document;
        ReadRtf(readBytes(book.dir.filePath(u"One.QLF"_s)), document);
        QTextCursor bold(&document);
        bold.setPosition(document.toPlainText().lastIndexOf(u"port"_s) + 1);
        QVERIFY(bold.charFormat().fontWeight() == QFont::Bold);
    }

    // A changed HyperText phrase takes its link and alternative text along; the old link stays
    // while a chapter still has the old phrase.
    void replaceAll_movesThePhrasesLink()
    {
        SeaBook book;
        WriteAltText(book.state.HyperTextFile, u"the quay"_s, u"A stone quay"_s);
        QCOMPARE(ReplaceAll(book.state, {u"quay"_s, false, false}, u"pier"_s),
                 QStringList{u"Three.QLF"_s});
        QStringList lines;
        QVERIFY(!ReadEntry(book.state.HyperTextFile, u"the quay"_s, kHyperSource, lines));
        QVERIFY(ReadEntry(book.state.HyperTextFile, u"the pier"_s, kHyperSource, lines));
        QCOMPARE(lines, (QStringList{u"the pier"_s, u"source=HYPER"_s, u"type=1"_s, u"command=x"_s,
                                     u"]"_s}));
        QCOMPARE(AltTexts(book.state.HyperTextFile),
                 (QHash<QString, QString>{{SectionNameKey(u"the pier"_s), u"A stone quay"_s}}));
        QTextDocument three;
        ReadRtf(readBytes(book.dir.filePath(u"Three.QLF"_s)), three);
        QCOMPARE(UnderlinedPhrases(three), QStringList{u"the pier"_s});

        // Matching case, another chapter's THE PIER stays linked under the old name.
        book.addChapter("Four", "{\\rtf1 At {\\ul THE PIER} again.\\par}");
        const ReplacePlan kept = PlanReplaceAll(book.state, {u"pier"_s, true, false}, u"mole"_s);
        QCOMPARE(kept.moves.size(), 1);
        QCOMPARE(kept.dropped, QStringList());
        ReplaceAll(book.state, {u"pier"_s, true, false}, u"mole"_s);
        QVERIFY(ReadEntry(book.state.HyperTextFile, u"the pier"_s, kHyperSource, lines));
        QVERIFY(ReadEntry(book.state.HyperTextFile, u"the mole"_s, kHyperSource, lines));

        // A phrase replaced by nothing takes no link anywhere; its own stays.
        QCOMPARE(PlanReplaceAll(book.state, {u"the mole"_s, false, false}, QString()).moves.size(),
                 0);
        QCOMPARE(ReplaceAll(book.state, {u"the mole"_s, false, false}, QString()).size(), 1);
        QVERIFY(ReadEntry(book.state.HyperTextFile, u"the mole"_s, kHyperSource, lines));
    }

    // A place partly in a phrase, a phrase taking another's name, or a chapter that cannot be
    // written refuses it all: nothing changes.
    void replaceAll_refusesWhatWouldLoseALink()
    {
        SeaBook book;
        AddEntry(book.state.HyperTextFile, u"the pier"_s, 1, u"y"_s, kHyperSource);
        const QByteArray three = readBytes(book.dir.filePath(u"Three.QLF"_s));
        const QByteArray links = readBytes(book.state.HyperTextFile);
        QCOMPARE(PlanReplaceAll(book.state, {u"see the"_s, false, false}, u"near"_s).refusal,
                 u"\"see the\" is only in part in the HyperText phrase \"the quay\" in Three "
                 "(Three.QLF): its link would be lost. Nothing was replaced."_s);
        QCOMPARE(PlanReplaceAll(book.state, {u"quay"_s, false, false}, u"pier"_s).refusal,
                 u"The HyperText phrase \"the quay\" in Three (Three.QLF) would become \"the "
                 "pier\", whose link is another. Nothing was replaced."_s);
        QVERIFY(ReplaceAll(book.state, {u"quay"_s, false, false}, u"pier"_s).isEmpty());
        QCOMPARE(readBytes(book.dir.filePath(u"Three.QLF"_s)), three);
        QCOMPARE(readBytes(book.state.HyperTextFile), links);

        QFile::setPermissions(book.dir.filePath(u"Three.QLF"_s), QFileDevice::ReadOwner);
        const QByteArray one = readBytes(book.dir.filePath(u"One.QLF"_s));
        QCOMPARE(PlanReplaceAll(book.state, {u"harbour"_s, false, true}, u"port"_s).refusal,
                 u"Three.QLF (Three) cannot be written. Nothing was replaced."_s);
        QVERIFY(ReplaceAll(book.state, {u"harbour"_s, false, true}, u"port"_s).isEmpty());
        QCOMPARE(readBytes(book.dir.filePath(u"One.QLF"_s)), one);
    }
};

QTEST_MAIN(WritingAidsTest)
#include "tst_writingaids.moc"
