#include "core/writing/bookreport.h"

#include "core/book/booksource.h"
#include "core/book/unlinkedphrases.h"
#include "core/files/runtimeerror.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/booklanguage.h"
#include "core/sections/sectionname.h"
#include "core/writing/spelling.h"

#include <QTextDocument>

namespace {

struct Checks
{
    QSet<QString> linked;
    QString language; // the book's
    Spelling spelling;
};

void readChapter(ChapterReport& report, Checks& checks)
{
    QTextDocument document;
    try {
        ReadRtf(ReadChapterFile(report.file), document);
    } catch (const RunTimeError&) {
        report.read = false;
        return;
    }
    report.count = CountText(document.toPlainText());
    const QStringList phrases = UnderlinedPhrases(document);
    report.phrases = phrases.size();
    for (const QString& phrase : phrases) {
        if (!checks.linked.contains(SectionNameKey(phrase)))
            report.unlinked << phrase;
    }
    report.misspelled = MisspelledWords(document, checks.language, checks.spelling);
}

QString line(const QStringList& columns)
{
    return columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

} // namespace

std::optional<QList<ChapterReport>> ReportBook(const WorkingState& state)
{
    TRecList chapters;
    if (!LoadChapterRecords(state, chapters))
        return std::nullopt;
    Checks checks;
    checks.linked = LinkedPhraseKeys(state);
    checks.language = BookLanguage(state.HyperTextFile);
    checks.spelling.useBookWords(BookWordsFile(state.ProjectDir));
    QList<ChapterReport> reports;
    for (qsizetype i = 0; i < chapters.Count(); ++i) {
        const ChapterRecord& chapter = chapters.at<ChapterRecord>(i);
        ChapterReport report;
        report.entry = chapter.MenuEntry.text();
        report.file = chapter.ChapterFile.text();
        readChapter(report, checks);
        reports << report;
    }
    return reports;
}

QString ReportText(const QList<ChapterReport>& chapters)
{
    QString text = line({QStringLiteral("chapter"), QStringLiteral("words"),
                         QStringLiteral("characters"), QStringLiteral("phrases"),
                         QStringLiteral("unlinked"), QStringLiteral("unlinked phrases"),
                         QStringLiteral("misspelled"), QStringLiteral("misspelled words")});
    TextCount total;
    qsizetype phrases = 0;
    qsizetype unlinked = 0;
    qsizetype misspelled = 0;
    for (const ChapterReport& chapter : chapters) {
        const QString unread = QStringLiteral("(%1 could not be read)").arg(chapter.file);
        text += line({chapter.entry, QString::number(chapter.count.words),
                      QString::number(chapter.count.characters), QString::number(chapter.phrases),
                      QString::number(chapter.unlinked.size()),
                      chapter.read ? chapter.unlinked.join(QStringLiteral(", ")) : unread,
                      QString::number(chapter.misspelled.size()),
                      chapter.misspelled.join(QStringLiteral(", "))});
        total += chapter.count;
        phrases += chapter.phrases;
        unlinked += chapter.unlinked.size();
        misspelled += chapter.misspelled.size();
    }
    text += line({QStringLiteral("(total)"), QString::number(total.words),
                  QString::number(total.characters), QString::number(phrases),
                  QString::number(unlinked), QString(), QString::number(misspelled), QString()});
    return text;
}
