// THypEntryForm: the text of a Text Only link (text-window mode) or a Graphic and Text link
// (display-screen mode), with its font, colours and the place or screen it is shown on.
#pragma once

#include "core/project/records.h"

#include <QDialog>
#include <QStringList>

class ColourCombo;
class QComboBox;
class QPushButton;
class TRichEdit;
class TextFormatControls;

class THypEntryForm : public QDialog
{
    Q_OBJECT

public:
    enum Mode
    {
        TextWindow,
        DisplayScreen
    };

    THypEntryForm(Mode mode, const DisplayRecord& display, const QStringList& textLines,
                  QWidget* parent = nullptr);

    // The text as the RTF lines a display section stores; empty for an empty text.
    QStringList textLines() const;
    const DisplayRecord& display() const { return m_display; }

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

private:
    void build();
    void showBackground();
    void ImportBtnClick();
    void ColorBtnClick();
    void AdjustBtnClick();
    void ViewBtnClick();

    Mode m_mode;
    DisplayRecord m_display; // an edited copy: the caller's changes on OK only
};

// Runs the editor; on OK the display and (unless the text was emptied) the lines are the
// author's. True on OK.
bool EditLinkText(THypEntryForm::Mode mode, DisplayRecord& display, QStringList& textLines,
                  QWidget* parent = nullptr);
