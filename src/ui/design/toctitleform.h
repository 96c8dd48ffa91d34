// TTocTitleForm (module TocTitf): the bar text editor: the text, font and colour of a title or
// status bar, shown as the bar will look.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

enum class Bar
{
    Title,
    Status
};

class TTocTitleForm : public QDialog
{
    Q_OBJECT

public:
    // Changes `bars` only on "&OK".
    TTocTitleForm(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent = nullptr);

    QLabel* TitleLbl;
    QLineEdit* edit1;
    QPushButton* ChangeBtn; // "&New Font"
    QPushButton* ColourBtn; // "Text Colo&r"
    QPushButton* Button1;   // "&Background"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void ChangeBtnClick();
    void ColourBtnClick();
    void Button1Click();

protected:
    void done(int result) override;
    bool m_refocus = false;

private:
    void showColours();
    // The text's or the strip's colour, from the colour dialog.
    void chooseColour(Colour& colour);

    BarsRecord& m_bars;
    Bar m_bar;
    Colour m_textColour;
    Colour m_background;
};

// The bar's editor, modally; true when the author pressed "&OK".
bool EditBarText(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent);
