// TRichEdit: the rich-text area of every window that shows rich text: chapter editor, viewers,
// reader screens, tutorial. It loads and saves RTF, reports the selection's attributes, finds,
// prints, and recognises HyperText phrases.
#pragma once

#include <QColor>
#include <QPointer>
#include <QTextEdit>

#include <memory>
#include <optional>

class RtfReading;

// The attributes of the selection; a field is empty when it differs within the selection.
struct SelectionAttributes
{
    std::optional<QString> family;
    std::optional<qreal> pointSize;
    std::optional<QColor> colour; // an invalid colour is the automatic one
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
};

// The font of text that names none (plain text, a pop-up text without a font table): the same in
// the chapter editor, the tool's preview and the built book, whatever the desktop's own font.
QFont DefaultRichTextFont();

class TRichEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);
    ~TRichEdit() override;

    // Rich text keeps its formatting; anything else comes in as plain text.
    void loadContent(const QByteArray& bytes);
    // The same for a text that may be large: when reading it takes longer than a moment, its
    // start is shown read-only at once and the rest read between events, so that the area
    // answers keys and mouse as it goes (`readProgress`); the whole text then replaces the start,
    // where the reader left it, and may be edited (`readFinished`). Loading again, or the area's
    // end, drops a reading under way.
    void loadContentInStages(const QByteArray& bytes);
    bool isReading() const { return m_reading != nullptr; }
    QByteArray rtf() const;
    // Raises FileOpenError when the file cannot be read, InOutError when it is larger than a
    // chapter may be.
    void loadFile(const QString& fileName);
    void loadFileInStages(const QString& fileName);
    // Raises InOutError when the file cannot be written ("Disk full"); a failed write leaves the
    // old file as it was.
    void saveFile(const QString& fileName) const;

    bool modified() const { return document()->isModified(); }
    void setModified(bool modified) { document()->setModified(modified); }

    SelectionAttributes selectionAttributes() const;

    // Searches forward from the end of the selection to the end of the text, ignoring case and
    // also inside words, and selects the match; false (and a beep) when there is none.
    bool findNext(const QString& text);

    // The HyperText phrase under the caret; empty when the character there is not underlined.
    QString HyperPhraseAt() const;

signals:
    // A mouse press in a read-only area, after the caret was placed at the pressed character.
    void pressedAt(Qt::MouseButton button);
    void readProgress(int percent);
    void readFinished();
    // Another document is shown (a text read replaces the one before).
    void documentShown(QTextDocument* document);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTextDocument* emptyDocument();
    void showDocument(QTextDocument* document);
    void readOn();
    void dropReading();

    std::unique_ptr<RtfReading> m_reading;
    QPointer<QTextDocument> m_whole; // the document the reading fills
    bool m_readOnlyBefore = false;
};
