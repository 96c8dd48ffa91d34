#include "core/writing/booksearch.h"

#include "core/book/booksource.h"
#include "core/book/unlinkedphrases.h"
#include "core/files/filestore.h"
#include "core/files/runtimeerror.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"
#include "format/text/casefolding.h"

#include <QFileInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr qsizetype kContextAround = 40;

char32_t folded(char32_t c, bool matchCase)
{
    if (matchCase)
        return c;
    if (c < 128)
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    return bookformat::FoldCase(c);
}

bool isWordCharacter(const QString& text, qsizetype at)
{
    return at >= 0 && at < text.size() && (text.at(at).isLetterOrNumber() || text.at(at) == u'_');
}

// The code point at `at` and how many units it takes.
std::pair<char32_t, qsizetype> codePoint(const QString& text, qsizetype at)
{
    const QChar c = text.at(at);
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text.at(at + 1)), 2};
    return {c.unicode(), 1};
}

// The length of a match of `needle` (folded code points) at `at`, or 0.
qsizetype matchAt(const QString& text, qsizetype at, const std::u32string& needle, bool matchCase)
{
    qsizetype i = at;
    for (const char32_t wanted : needle) {
        if (i >= text.size())
            return 0;
        const auto [c, units] = codePoint(text, i);
        if (folded(c, matchCase) != wanted)
            return 0;
        i += units;
    }
    return i - at;
}

QString contextOf(const QString& text, qsizetype position, qsizetype length)
{
    const qsizetype lineStart = text.lastIndexOf(u'\n', position) + 1;
    qsizetype lineEnd = text.indexOf(u'\n', position + length);
    if (lineEnd < 0)
        lineEnd = text.size();
    const qsizetype from = std::max(lineStart, position - kContextAround);
    const qsizetype to = std::min(lineEnd, position + length + kContextAround);
    // The place itself in brackets, so that two places of one line read apart.
    return (from > lineStart ? QStringLiteral("...") : QString()) +
           (text.mid(from, position - from) + QLatin1Char('[') + text.mid(position, length) +
            QLatin1Char(']') + text.mid(position + length, to - position - length))
               .simplified() +
           (to < lineEnd ? QStringLiteral("...") : QString());
}

std::unique_ptr<QTextDocument> readChapter(const QString& file)
{
    auto document = std::make_unique<QTextDocument>();
    ReadRtf(ReadChapterFile(file), *document);
    return document;
}

QList<SearchHit> hitsIn(const QString& text, const SearchRequest& request, SearchHit where)
{
    QList<SearchHit> hits;
    const qsizetype length = request.text.size();
    for (const qsizetype position : FindIn(text, request)) {
        where.position = position;
        where.length = length;
        where.context = contextOf(text, position, length);
        hits << where;
    }
    return hits;
}

struct Chapter
{
    QString file;
    QString entry;
};

QList<Chapter> chaptersOf(const WorkingState& state)
{
    TRecList records;
    LoadChapterRecords(state, records);
    QList<Chapter> chapters;
    for (qsizetype i = 0; i < records.Count(); ++i) {
        const ChapterRecord& record = records.at<ChapterRecord>(i);
        chapters << Chapter{record.ChapterFile.text(), record.MenuEntry.text()};
    }
    return chapters;
}

bool underlinedAt(QTextDocument& document, qsizetype position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(int(position + 1));
    return cursor.charFormat().fontUnderline();
}

// The first letter of the underlined run around `position`, within its paragraph.
qsizetype runStart(QTextDocument& document, qsizetype position)
{
    const qsizetype paragraph = document.findBlock(int(position)).position();
    while (position > paragraph && underlinedAt(document, position - 1))
        --position;
    return position;
}

// Replaces the places, from the end so that those before stay where they were found, each in
// the format of its first letter.
void replaceIn(QTextDocument& document, const QList<qsizetype>& places, qsizetype length,
               const QString& replacement)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (auto place = places.crbegin(); place != places.crend(); ++place) {
        cursor.setPosition(int(*place + 1));
        const QTextCharFormat format = cursor.charFormat();
        cursor.setPosition(int(*place));
        cursor.setPosition(int(*place + length), QTextCursor::KeepAnchor);
        cursor.insertText(replacement, format);
    }
    cursor.endEditBlock();
}

// What Replace All does to one chapter's text, done on it in memory.
struct ChapterChange
{
    QList<qsizetype> places;
    QList<PhraseMove> phrases; // each changed phrase, before and after
    QString cutPhrase;         // a phrase a place covers only in part
    QStringList phrasesAfter;  // every phrase of the changed text
};

ChapterChange changeChapter(QTextDocument& document, const SearchRequest& request,
                            const QString& replacement)
{
    ChapterChange change;
    change.places = FindIn(document.toPlainText(), request);
    const qsizetype length = request.text.size();
    QList<qsizetype> runs; // the touched phrases' first letters
    for (const qsizetype place : std::as_const(change.places)) {
        qsizetype underlined = 0;
        for (qsizetype at = place; at < place + length; ++at)
            underlined += underlinedAt(document, at) ? 1 : 0;
        if (underlined > 0 && underlined < length) {
            qsizetype at = place;
            while (!underlinedAt(document, at))
                ++at;
            change.cutPhrase = HyperPhraseAt(document, int(at));
            return change;
        }
        if (underlined > 0 && !runs.contains(runStart(document, place)))
            runs << runStart(document, place);
    }
    QStringList before;
    for (const qsizetype run : std::as_const(runs))
        before << HyperPhraseAt(document, int(run));
    replaceIn(document, change.places, length, replacement);
    const qsizetype growth = replacement.size() - length;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const auto placesBefore =
            std::count_if(change.places.cbegin(), change.places.cend(),
                          [run = runs.at(i)](qsizetype place) { return place < run; });
        const QString after = HyperPhraseAt(document, int(runs.at(i) + growth * placesBefore));
        // A phrase replaced by nothing is gone, not renamed: its link stays for the author.
        if (!before.at(i).isEmpty() && !after.isEmpty() &&
            SectionNameKey(before.at(i)) != SectionNameKey(after))
            change.phrases << PhraseMove{before.at(i), after};
    }
    change.phrasesAfter = UnderlinedPhrases(document);
    return change;
}

QSet<QString> keysOf(const QStringList& phrases)
{
    QSet<QString> keys;
    for (const QString& phrase : phrases)
        keys.insert(SectionNameKey(phrase));
    return keys;
}

// The moves of linked phrases, each once; a refusal when one would take a name already linked
// or that another phrase takes.
QString settleMoves(ReplacePlan& plan, const QList<PhraseMove>& found, const QSet<QString>& linked,
                    const Chapter& chapter)
{
    for (const PhraseMove& move : found) {
        const QString from = SectionNameKey(move.from);
        const QString to = SectionNameKey(move.to);
        if (!linked.contains(from))
            continue; // a phrase without a link has none to move
        bool known = false;
        bool taken = linked.contains(to);
        for (const PhraseMove& planned : std::as_const(plan.moves)) {
            const bool sameTarget = SectionNameKey(planned.to) == to;
            known = known || (SectionNameKey(planned.from) == from && sameTarget);
            taken = taken || (sameTarget && SectionNameKey(planned.from) != from);
        }
        if (taken)
            return QStringLiteral("The HyperText phrase \"%1\" in %2 (%3) would become \"%4\", "
                                  "whose link is another. Nothing was replaced.")
                .arg(move.from, chapter.entry, chapter.file, move.to);
        if (!known)
            plan.moves << move;
    }
    return {};
}

bool writable(const QString& file)
{
    // A file marked read-only stays so, whoever runs the tool.
    const QFileInfo info(file);
    return info.isWritable() && info.permission(QFileDevice::WriteOwner);
}

} // namespace

QList<qsizetype> FindIn(const QString& text, const SearchRequest& request)
{
    QList<qsizetype> found;
    std::u32string needle;
    for (qsizetype i = 0; i < request.text.size();) {
        const auto [c, units] = codePoint(request.text, i);
        needle.push_back(folded(c, request.matchCase));
        i += units;
    }
    if (needle.empty())
        return found;
    const char32_t first = needle.front();
    for (qsizetype at = 0; at < text.size();) {
        const auto [c, units] = codePoint(text, at);
        const qsizetype length = folded(c, request.matchCase) == first
                                     ? matchAt(text, at, needle, request.matchCase)
                                     : 0;
        const bool whole = !request.wholeWord ||
                           (!isWordCharacter(text, at - 1) && !isWordCharacter(text, at + length));
        if (length > 0 && whole) {
            found << at;
            at += length;
        } else {
            at += units;
        }
    }
    return found;
}

BookSearch::BookSearch(const WorkingState& state, SearchRequest request)
    : m_state(state), m_request(std::move(request))
{
    for (const Chapter& chapter : chaptersOf(state)) {
        m_chapters << chapter.file;
        m_entries << chapter.entry;
    }
}

QList<SearchHit> BookSearch::next()
{
    if (done())
        return {};
    const qsizetype index = m_next++;
    if (index == m_chapters.size())
        return entryHits();
    SearchHit where;
    where.chapter = int(index);
    where.file = m_chapters.at(index);
    where.place = m_entries.at(index);
    try {
        return hitsIn(readChapter(where.file)->toPlainText(), m_request, where);
    } catch (const RunTimeError&) {
        return {}; // a chapter that cannot be read has nothing to find
    }
}

QList<SearchHit> BookSearch::entryHits() const
{
    QList<SearchHit> hits;
    if (!filestore::exists(m_state.HyperTextFile))
        return hits;
    QStringList names;
    ListEntries(names, m_state.HyperTextFile, kHyperSource);
    for (const QString& name : std::as_const(names)) {
        QStringList lines;
        if (!FindHyperEntry(m_state.HyperTextFile, name, lines))
            continue;
        const HyperTextType type = EntryType(lines);
        if (type != HyperTextType::TextOnly && type != HyperTextType::GraphicAndText)
            continue;
        DisplayRecord display = DefaultDisplay();
        QStringList textLines;
        QTextDocument document;
        try {
            ParseDisplayEntry(lines, display, textLines);
            ReadRtf(RtfFromLines(textLines), document);
        } catch (const RunTimeError&) {
            continue; // an entry that cannot be read has nothing to find
        }
        SearchHit where;
        where.place = name;
        hits << hitsIn(document.toPlainText(), m_request, where);
    }
    return hits;
}

ReplacePlan PlanReplaceAll(const WorkingState& state, const SearchRequest& request,
                           const QString& replacement)
{
    ReplacePlan plan;
    const QSet<QString> linked = LinkedPhraseKeys(state);
    QSet<QString> kept; // the phrases of every chapter once replaced
    QSet<QString> seen;
    for (const Chapter& chapter : chaptersOf(state)) {
        if (seen.contains(chapter.file.toUpper()))
            continue;
        seen.insert(chapter.file.toUpper());
        std::unique_ptr<QTextDocument> document;
        try {
            document = readChapter(chapter.file);
        } catch (const RunTimeError&) {
            continue;
        }
        const ChapterChange change = changeChapter(*document, request, replacement);
        if (!change.cutPhrase.isEmpty()) {
            plan.refusal = QStringLiteral("\"%1\" is only in part in the HyperText phrase \"%2\" "
                                          "in %3 (%4): its link would be lost. Nothing was "
                                          "replaced.")
                               .arg(request.text, change.cutPhrase, chapter.entry, chapter.file);
            return plan;
        }
        kept += keysOf(change.phrasesAfter);
        if (change.places.isEmpty())
            continue;
        if (!writable(chapter.file)) {
            plan.refusal = QStringLiteral("%1 (%2) cannot be written. Nothing was replaced.")
                               .arg(chapter.file, chapter.entry);
            return plan;
        }
        plan.refusal = settleMoves(plan, change.phrases, linked, chapter);
        if (!plan.refusal.isEmpty())
            return plan;
        plan.places += change.places.size();
        plan.files << chapter.file;
    }
    for (const PhraseMove& move : std::as_const(plan.moves)) {
        const QString from = SectionNameKey(move.from);
        if (!kept.contains(from) && !keysOf(plan.dropped).contains(from))
            plan.dropped << move.from;
    }
    return plan;
}

QStringList ReplaceAll(const WorkingState& state, const SearchRequest& request,
                       const QString& replacement)
{
    const ReplacePlan plan = PlanReplaceAll(state, request, replacement);
    if (!plan.refusal.isEmpty())
        return {};
    CopyPhraseLinks(state.HyperTextFile, plan.moves);
    QStringList written;
    for (const QString& file : plan.files) {
        const std::unique_ptr<QTextDocument> document = readChapter(file);
        replaceIn(*document, FindIn(document->toPlainText(), request), request.text.size(),
                  replacement);
        filestore::writeAll(file, WriteRtf(*document));
        written << file;
    }
    DropPhraseLinks(state.HyperTextFile, plan.dropped);
    return written;
}
