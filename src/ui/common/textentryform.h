// TTextEntryForm: the rich-text editor a link's text and the book's introduction are written
// in: the chapter editor's font controls, Import, Select All, Clear All, the text's background
// colour, a designer button, View, OK and Cancel. Its subclasses say what the designer and View
// show, and which colour the background is.
#pragma once

#include "core/project/records.h"

#include <QDialog>
#include <QStringList>

class ColourCombo;
class EditorSpelling;
class QLabel;
class QComboBox;
class QPushButton;
class TRichEdit;
class TextFormatControls;

struct TextEntryLook
{
    QString adjustCaption; // the designer button
    QString importTitle;
    QString importFilter;
};

class TTextEntryForm : public QDialog
{
    Q_OBJECT

public:
    // The text as the RTF lines a section stores; empty for an empty text.
    QStringList textLines() const;

    TRichEdit* RichEdit1;

private:
    TextFormatControls* m_format;

public:
    QComboBox* ComboBox1; // font name
    QComboBox* ComboBox2; // size
    ColourCombo* ComboBox3;
    QPushButton* BtnB;
    QPushButton* BtnI;
    QPushButton* ImportBtn;
    QPushButton* AllBtn;
    QPushButton* ClearBtn;
    QPushButton* ColorBtn;
    QPushButton* AdjustBtn;
    QPushButton* ViewBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    EditorSpelling* Spelling; // marks the words spelt wrong and offers their spellings
    QLabel* NoDictionary;     // the languages met that are not checked

protected:
    // Words in no marked language are spelt in `bookLanguage` (the author's when empty).
    TTextEntryForm(const TextEntryLook& look, const QString& bookLanguage, QWidget* parent);
    // Loads the text and shows the background; called by the subclass once its colour is set.
    void start(const QStringList& textLines);
    virtual Colour& textColour() = 0;
    virtual void adjust() = 0; // the designer button, with this window hidden
    virtual void view() = 0;

private:
    void build();
    void showBackground();
    void importFile();
    void chooseColour();

    TextEntryLook m_look;
};
