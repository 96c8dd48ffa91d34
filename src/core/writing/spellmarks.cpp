#include "core/writing/spellmarks.h"

#include "core/epub/epubxhtml.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"
#include "core/writing/spelling.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTimer>

namespace {

constexpr int kSliceMs = 8; // of checking behind, between the author's keys

enum BlockState
{
    Unchecked = -1, // QSyntaxHighlighter's own start
    Checked = 1,
};

QString runLanguage(const QTextCharFormat& format, const QString& bookLanguage)
{
    const QString marked = LanguageTagOf(format.intProperty(rtfprops::Language));
    return marked.isEmpty() ? bookLanguage : marked;
}

// A word's language: its run's marked one, else by its script as the EPUB reads unmarked text.
QString wordLanguage(const QTextCharFormat& format, const QString& word,
                     const QString& bookLanguage)
{
    const QString marked = LanguageTagOf(format.intProperty(rtfprops::Language));
    return marked.isEmpty() ? UnmarkedTextLanguage(word, bookLanguage) : marked;
}

} // namespace

SpellMarks::SpellMarks(Spelling& spelling, QString bookLanguage, QObject* parent)
    : QSyntaxHighlighter(parent), m_spelling(spelling), m_bookLanguage(std::move(bookLanguage)),
      m_behind(new QTimer(this))
{
    connect(m_behind, &QTimer::timeout, this, &SpellMarks::checkBehind);
}

void SpellMarks::follow(QTextDocument* document)
{
    disconnect(m_changes);
    m_lastInView = -1;
    setDocument(document);
    // A text read or pasted whole starts the checking behind anew.
    m_changes = connect(document, &QTextDocument::contentsChange, this,
                        [this](int, int removed, int added) {
                            if (removed + added > 1000)
                                restart();
                        });
    restart();
}

void SpellMarks::setMarking(bool marking)
{
    if (marking == m_marking)
        return;
    m_marking = marking;
    restart();
    rehighlight();
}

void SpellMarks::setBlocksInView(int first, int last)
{
    const int before = m_lastInView;
    m_firstInView = first;
    m_lastInView = last;
    if (!m_marking || before == last || !document())
        return;
    for (QTextBlock block = document()->findBlockByNumber(first);
         block.isValid() && block.blockNumber() <= last; block = block.next()) {
        if (block.userState() != Checked)
            rehighlightBlock(block);
    }
}

bool SpellMarks::checkedAll() const
{
    return !m_marking || !document() || m_checkedBefore >= document()->blockCount();
}

QString SpellMarks::languageAt(int position) const
{
    if (!document())
        return m_bookLanguage;
    const QTextBlock block = document()->findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (position < fragment.position() + fragment.length())
            return runLanguage(fragment.charFormat(), m_bookLanguage);
    }
    return m_bookLanguage;
}

QStringList SpellMarks::languagesWithoutDictionary() const
{
    QStringList languages(m_missing.cbegin(), m_missing.cend());
    languages.sort();
    return languages;
}

bool SpellMarks::due(const QTextBlock& block) const
{
    const int number = block.blockNumber();
    return number < m_checkedBefore || (number >= m_firstInView && number <= m_lastInView);
}

void SpellMarks::highlightBlock(const QString& text)
{
    const QTextBlock block = currentBlock();
    if (!m_marking || !due(block)) {
        setCurrentBlockState(Unchecked);
        return;
    }
    QTextCharFormat wrong;
    wrong.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wrong.setUnderlineColor(Qt::red);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    auto run = block.begin();
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = words.toNextBoundary();
        if (end < 0)
            break;
        while (!run.atEnd() &&
               run.fragment().position() + run.fragment().length() <= block.position() + start)
            ++run;
        const QString word = text.mid(start, end - start);
        const QString language =
            run.atEnd() ? UnmarkedTextLanguage(word, m_bookLanguage)
                        : wordLanguage(run.fragment().charFormat(), word, m_bookLanguage);
        if (!m_spelling.isRight(word, language))
            setFormat(int(start), int(end - start), wrong);
        else if (!m_spelling.knows(language) && !m_missing.contains(language)) {
            m_missing.insert(language);
            emit languageWithoutDictionary(language);
        }
        start = end;
    }
    setCurrentBlockState(Checked);
}

void SpellMarks::restart()
{
    m_checkedBefore = 0;
    if (m_marking)
        m_behind->start(0);
    else
        m_behind->stop();
}

void SpellMarks::checkBehind()
{
    if (!document())
        return m_behind->stop();
    QElapsedTimer slice;
    slice.start();
    QTextBlock block = document()->findBlockByNumber(m_checkedBefore);
    while (block.isValid() && slice.elapsed() < kSliceMs) {
        ++m_checkedBefore;
        if (block.userState() != Checked)
            rehighlightBlock(block);
        block = block.next();
    }
    if (!block.isValid())
        m_behind->stop();
}
