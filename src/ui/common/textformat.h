// The font, size, colour and language boxes and the style buttons of the windows that edit rich
// text (the chapter editor, the text-window editor of a link): what they show follows the
// selection, and what the author chooses applies to the selection, each run keeping its other
// attributes.
#pragma once

#include <QObject>

#include <functional>

class ColourCombo;
class QComboBox;
class QPushButton;
class QTextCharFormat;
class QWidget;
class TRichEdit;

class TextFormatControls : public QObject
{
    Q_OBJECT

public:
    // Makes the controls as children of `parent`; `withHyperText` adds the underline button "H".
    TextFormatControls(QWidget* parent, TRichEdit* edit, bool withHyperText);

    QComboBox* fontName;
    QComboBox* size;
    ColourCombo* colour;
    QPushButton* bold;
    QPushButton* italic;
    QPushButton* hyperText = nullptr;
    // The language the text is in (RTF \lang): spelling, the EPUB's and the web edition's lang
    // follow it; the first line, "The book's language", marks none.
    QComboBox* language;

    // The controls' view of the selection.
    void showSelection();

private:
    void connectControls();
    void applyFormat(const std::function<void(QTextCharFormat&)>& change);
    void applySize(const QString& text);
    void applyFamily(const QString& family);

    TRichEdit* m_edit;
    bool m_showing = false; // the controls are being set from the selection
};
