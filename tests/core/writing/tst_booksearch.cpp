// Finding a text across the book's chapters and HyperText texts, and replacing it in every
// chapter: case folding in any script, whole words, formats kept, phrases' links moved, and what
// would lose a link or cannot be written refused with nothing changed.
#include "testbook.h"

#include "core/book/unlinkedphrases.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/alttext.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"
#include "core/writing/booksearch.h"

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

class BookSearchTest : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_MAIN(BookSearchTest)
#include "tst_booksearch.moc"
