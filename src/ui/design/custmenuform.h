// TCustMenuform (module bmcustf): "E-Book Presentation", the way to the chapter screens' bars, the
// table of contents design and the book's captions.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QPushButton;

class TCustMenuform : public QDialog
{
    Q_OBJECT

public:
    explicit TCustMenuform(WorkingState& state, QWidget* parent = nullptr);

    QPushButton* ChapterBtn;  // "Design Chapter &Presentation"
    QPushButton* ContentsBtn; // "Design &Table of Contents"
    QPushButton* TextBtn;     // "Customize &E-Book Text"
    QPushButton* CloseBtn;

private:
    void openHidden(QDialog& window);

    WorkingState& m_state;
};

void CustomizeBook(WorkingState& state, QWidget* parent);
