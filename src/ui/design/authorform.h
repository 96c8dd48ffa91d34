// TAuthorForm (module bAutgetf): the lines, font and colour of the table of contents' author box,
// and its place.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class QFrame;
class QLineEdit;
class QPushButton;

class TAuthorForm : public QDialog
{
    Q_OBJECT

public:
    // Works on a copy of `menu`; "&OK" hands it back, with any place "Adjust Author Box" saved.
    explicit TAuthorForm(MenuRecord& menu, QWidget* parent = nullptr);

    QFrame* Panel1;
    QLineEdit* Edits[6];
    QPushButton* Button1;   // "Adjust Author Box"
    QPushButton* Button2;   // "Change &Font"
    QPushButton* ColourBtn; // "Text Colo&r"
    QPushButton* Button3;   // "Select Background Color"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void done(int result) override;

private:
    void storeBox();
    void showColour();

    MenuRecord& m_menu;
    MenuRecord m_working;
    Colour m_colour;
    Colour m_textColour; // the font's own colour, kept through font changes
};
