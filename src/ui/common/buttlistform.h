// TButtListForm (module Lnkmenuf): the entry chooser, the one window in which the author picks a
// single line from a list (a chapter, a HyperText entry).
#pragma once

#include "core/sections/entrysearch.h"
#include "core/sections/sectionfile.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class TButtListForm : public QDialog
{
    Q_OBJECT

public:
    TButtListForm(const QStringList& lines, int selected, int helpContext, const QString& caption,
                  QWidget* parent = nullptr);

    // The selected line's index, or -1 when none is selected.
    int chosenIndex() const;
    void BitBtn1Click();

    QListWidget* ListBox1;
    QPushButton* BitBtn1;
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;

private:
    QStringList m_lines;
    EntrySearch m_search;
};

// Shows the chooser modally; the index of the chosen line, or -1.
int ChooseEntry(const QStringList& lines, int selected, int helpContext, const QString& caption,
                QWidget* parent = nullptr);

// The chooser as the section engine asks for it.
class DialogEntryChooser : public EntryChooser
{
public:
    int choose(const QStringList& lines, int selected, int helpContext,
               const QString& caption) override
    {
        return ChooseEntry(lines, selected, helpContext, caption);
    }
};
