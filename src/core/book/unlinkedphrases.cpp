#include "core/book/unlinkedphrases.h"

#include "core/book/booksource.h"
#include "core/files/filestore.h"
#include "core/files/runtimeerror.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"
#include "core/services/messages.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr qsizetype kNamedInMessage = 10;

void addPhrasesOfBlock(const QTextBlock& block, QStringList& phrases, QSet<QString>& seen)
{
    std::optional<BlockControlText> text;
    bool inRun = false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const bool underlined = fragment.charFormat().fontUnderline();
        if (underlined && !inRun) {
            if (!text)
                text.emplace(block);
            const QString phrase = text->phraseAt(fragment.position());
            if (!phrase.isEmpty() && !seen.contains(SectionNameKey(phrase))) {
                seen.insert(SectionNameKey(phrase));
                phrases << phrase;
            }
        }
        inRun = underlined;
    }
}

} // namespace

QStringList UnderlinedPhrases(const QTextDocument& document)
{
    QStringList phrases;
    QSet<QString> seen;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        addPhrasesOfBlock(block, phrases, seen);
    return phrases;
}

QSet<QString> LinkedPhraseKeys(const WorkingState& state)
{
    QSet<QString> linked;
    if (filestore::exists(state.HyperTextFile)) {
        QStringList entries;
        ListEntries(entries, state.HyperTextFile, kHyperSource);
        for (const QString& entry : std::as_const(entries))
            linked.insert(SectionNameKey(entry));
    }
    return linked;
}

QStringList UnlinkedPhrases(const WorkingState& state)
{
    QSet<QString> linked = LinkedPhraseKeys(state);
    TRecList chapters;
    if (!LoadChapterRecords(state, chapters))
        return {};
    QStringList unlinked;
    QSet<QString> chapterFiles;
    for (qsizetype i = 0; i < chapters.Count(); ++i) {
        const QString file = chapters.at<ChapterRecord>(i).ChapterFile.text();
        if (chapterFiles.contains(file.toUpper()))
            continue;
        chapterFiles.insert(file.toUpper());
        QTextDocument document;
        try {
            ReadRtf(ReadChapterFile(file), document);
        } catch (const RunTimeError&) {
            continue;
        }
        for (const QString& phrase : UnderlinedPhrases(document)) {
            if (!linked.contains(SectionNameKey(phrase))) {
                linked.insert(SectionNameKey(phrase)); // named once
                unlinked << phrase;
            }
        }
    }
    return unlinked;
}

QString UnlinkedPhrasesMessage(const QStringList& phrases)
{
    if (phrases.isEmpty())
        return {};
    QString named = phrases.mid(0, kNamedInMessage).join(QStringLiteral(", "));
    if (phrases.size() > kNamedInMessage)
        named += QStringLiteral(", ...");
    return phrases.size() == 1 ? QStringLiteral("1 HyperText phrase has no link: %1").arg(named)
                               : QStringLiteral("%1 HyperText phrases have no link: %2")
                                     .arg(phrases.size())
                                     .arg(named);
}

void TellUnlinkedPhrases(const WorkingState& state)
{
    const QString message = UnlinkedPhrasesMessage(UnlinkedPhrases(state));
    if (!message.isEmpty())
        ShowInfo(message);
}
