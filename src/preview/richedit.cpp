// The rich-edit area.
#include "preview/richedit.h"

#include "core/book/booksource.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

QFont DefaultRichTextFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 10);
}

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    // The widget's font is the document's default font.
    setFont(DefaultRichTextFont());
    setAcceptRichText(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TRichEdit::~TRichEdit() = default;

// A document of this area's settings, which no layout follows until it is shown: read into the
// shown one, every line would be laid out at once when the read ends, where the widget lays out
// what it shows first and the rest as it goes.
QTextDocument* TRichEdit::emptyDocument()
{
    const QTextDocument* shown = document();
    auto* made = new QTextDocument(this);
    made->setDefaultFont(shown->defaultFont());
    made->setDocumentMargin(shown->documentMargin());
    made->setDefaultTextOption(shown->defaultTextOption());
    made->setIndentWidth(shown->indentWidth());
    made->setUseDesignMetrics(shown->useDesignMetrics());
    return made;
}

void TRichEdit::showDocument(QTextDocument* shown)
{
    const QPointer<QTextDocument> previous = document();
    setDocument(shown);
    // The widget deletes the document it made; one loaded before is this widget's to delete.
    emit documentShown(shown);
    if (previous && previous->parent() == this && previous != m_whole)
        delete previous.data();
}

void TRichEdit::dropReading()
{
    if (m_reading) {
        m_reading.reset();
        setReadOnly(m_readOnlyBefore);
    }
    delete m_whole.data();
}

void TRichEdit::loadContent(const QByteArray& bytes)
{
    dropReading();
    QTextDocument* loaded = emptyDocument();
    ReadRtf(bytes, *loaded);
    showDocument(loaded);
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0); // the text's start at the top, whatever is laid out yet
    setModified(false);
}

void TRichEdit::loadContentInStages(const QByteArray& bytes)
{
    constexpr std::chrono::milliseconds kFirstPart{15};
    dropReading();
    m_whole = emptyDocument();
    auto reading = std::make_unique<RtfReading>(bytes, *m_whole);
    if (reading->readFor(kFirstPart)) {
        QTextDocument* whole = m_whole;
        m_whole.clear();
        showDocument(whole);
        moveCursor(QTextCursor::Start);
        verticalScrollBar()->setValue(0);
        setModified(false);
        emit readFinished();
        return;
    }
    // The start, read-only, while the rest is read into the whole document.
    m_reading = std::move(reading);
    QTextDocument* start = m_whole->clone(this);
    showDocument(start);
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    m_readOnlyBefore = isReadOnly();
    setReadOnly(true);
    emit readProgress(m_reading->percent());
    // The start is painted before the reading goes on.
    QTimer::singleShot(20, this, &TRichEdit::readOn);
}

// One more part of the text between events; at its end the whole text takes the start's place,
// the caret and the view where the reader left them.
void TRichEdit::readOn()
{
    constexpr std::chrono::milliseconds kPart{50};
    if (!m_reading)
        return;
    if (!m_reading->readFor(kPart)) {
        emit readProgress(m_reading->percent());
        QTimer::singleShot(0, this, &TRichEdit::readOn);
        return;
    }
    m_reading.reset();
    const int caret = textCursor().position();
    const int view = verticalScrollBar()->value();
    const int bottom = cursorForPosition(viewport()->rect().bottomRight()).position();
    QTextDocument* whole = m_whole;
    m_whole.clear();
    showDocument(whole);
    // Laid out down to the view's last line (the start reads as it did), the view goes back.
    QTextCursor at(whole);
    at.setPosition(bottom);
    whole->documentLayout()->blockBoundingRect(at.block());
    at.setPosition(caret);
    setTextCursor(at);
    verticalScrollBar()->setValue(view);
    setModified(false);
    setReadOnly(m_readOnlyBefore);
    emit readFinished();
}

QByteArray TRichEdit::rtf() const
{
    return WriteRtf(*document());
}

void TRichEdit::loadFile(const QString& fileName)
{
    loadContent(ReadChapterFile(fileName));
}

void TRichEdit::loadFileInStages(const QString& fileName)
{
    loadContentInStages(ReadChapterFile(fileName));
}

void TRichEdit::saveFile(const QString& fileName) const
{
    filestore::writeAll(fileName, rtf());
}

namespace {

QColor colourOf(const QTextCharFormat& format)
{
    return format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color();
}

QString familyOf(const QTextCharFormat& format, const QFont& fallback)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? fallback.family() : families.first();
}

template <class T> void narrow(std::optional<T>& field, const T& value, bool first)
{
    if (first)
        field = value;
    else if (field && *field != value)
        field.reset();
}

} // namespace

SelectionAttributes TRichEdit::selectionAttributes() const
{
    SelectionAttributes attributes;
    const QTextCursor cursor = textCursor();
    const QFont fallback = document()->defaultFont();
    bool first = true;
    const auto take = [&](const QTextCharFormat& f) {
        narrow(attributes.family, familyOf(f, fallback), first);
        narrow(attributes.pointSize,
               f.fontPointSize() > 0 ? f.fontPointSize() : fallback.pointSizeF(), first);
        narrow(attributes.colour, colourOf(f), first);
        narrow(attributes.bold, f.fontWeight() >= QFont::DemiBold, first);
        narrow(attributes.italic, f.fontItalic(), first);
        narrow(attributes.underline, f.fontUnderline(), first);
        first = false;
    };
    if (!cursor.hasSelection()) {
        take(cursor.charFormat());
        return attributes;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() > start && fragment.position() < end)
                take(fragment.charFormat());
        }
    }
    if (first)
        take(cursor.charFormat());
    return attributes;
}

bool TRichEdit::findNext(const QString& text)
{
    const QTextCursor found = document()->find(text, textCursor().selectionEnd());
    if (found.isNull()) {
        QApplication::beep();
        return false;
    }
    setTextCursor(found);
    return true;
}

QString TRichEdit::HyperPhraseAt() const
{
    return ::HyperPhraseAt(*document(), textCursor().position());
}

void TRichEdit::mousePressEvent(QMouseEvent* event)
{
    QTextEdit::mousePressEvent(event);
    if (isReadOnly()) {
        setTextCursor(cursorForPosition(event->position().toPoint()));
        emit pressedAt(event->button());
    }
}
