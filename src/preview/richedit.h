// TRichEdit: the rich-text area of every window that shows rich text: chapter editor, viewers,
// reader screens, tutorial. It loads and saves RTF, reports the selection's attributes, finds,
// prints, and recognises HyperText phrases.
#pragma once

#include <QColor>
#include <QTextEdit>

#include <optional>

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

    // Rich text keeps its formatting; anything else comes in as plain text.
    void loadContent(const QByteArray& bytes);
    QByteArray rtf() const;
    // Raises FileOpenError when the file cannot be read, InOutError when it is larger than a
    // chapter may be.
    void loadFile(const QString& fileName);
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

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
