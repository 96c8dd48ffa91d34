#include "core/writing/bookreport.h"

#include "core/book/booksource.h"
#include "core/book/unlinkedphrases.h"
#include "core/files/runtimeerror.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/sectionname.h"

#include <QTextDocument>

namespace {

void readChapter(ChapterReport& report, const QSet<QString>& linked)
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
        if (!linked.contains(SectionNameKey(phrase)))
            report.unlinked << phrase;
    }
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
    const QSet<QString> linked = LinkedPhraseKeys(state);
    QList<ChapterReport> reports;
    for (qsizetype i = 0; i < chapters.Count(); ++i) {
        const ChapterRecord& chapter = chapters.at<ChapterRecord>(i);
        ChapterReport report;
        report.entry = chapter.MenuEntry.text();
        report.file = chapter.ChapterFile.text();
        readChapter(report, linked);
        reports << report;
    }
    return reports;
}

QString ReportText(const QList<ChapterReport>& chapters)
{
    QString text = line({QStringLiteral("chapter"), QStringLiteral("words"),
                         QStringLiteral("characters"), QStringLiteral("phrases"),
                         QStringLiteral("unlinked"), QStringLiteral("unlinked phrases")});
    TextCount total;
    qsizetype phrases = 0;
    qsizetype unlinked = 0;
    for (const ChapterReport& chapter : chapters) {
        const QString unread = QStringLiteral("(%1 could not be read)").arg(chapter.file);
        text += line({chapter.entry, QString::number(chapter.count.words),
                      QString::number(chapter.count.characters), QString::number(chapter.phrases),
                      QString::number(chapter.unlinked.size()),
                      chapter.read ? chapter.unlinked.join(QStringLiteral(", ")) : unread});
        total += chapter.count;
        phrases += chapter.phrases;
        unlinked += chapter.unlinked.size();
    }
    text += line({QStringLiteral("(total)"), QString::number(total.words),
                  QString::number(total.characters), QString::number(phrases),
                  QString::number(unlinked), QString()});
    return text;
}
