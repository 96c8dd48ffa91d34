// The rich-edit area.
#include "preview/richedit.h"

#include "core/book/booksource.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/richtext/hyperphrase.h"
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

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

void TRichEdit::loadContent(const QByteArray& bytes)
{
    // Read into a document of its own, which no layout follows, and then shown: read into the
    // shown one, every line would be laid out at once when the read ends, where the widget lays
    // out what it shows first and the rest as it goes.
    const QPointer<QTextDocument> previous = document();
    auto* loaded = new QTextDocument(this);
    loaded->setDefaultFont(previous->defaultFont());
    loaded->setDocumentMargin(previous->documentMargin());
    loaded->setDefaultTextOption(previous->defaultTextOption());
    loaded->setIndentWidth(previous->indentWidth());
    loaded->setUseDesignMetrics(previous->useDesignMetrics());
    loaded->setUndoRedoEnabled(false);
    ReadRtf(bytes, *loaded);
    loaded->setUndoRedoEnabled(true);
    setDocument(loaded);
    // The widget deletes the document it made; one loaded before is this widget's to delete.
    if (previous && previous->parent() == this)
        delete previous.data();
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0); // the text's start at the top, whatever is laid out yet
    setModified(false);
}

QByteArray TRichEdit::rtf() const
{
    return WriteRtf(*document());
}

void TRichEdit::loadFile(const QString& fileName)
{
    loadContent(ReadChapterFile(fileName));
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
