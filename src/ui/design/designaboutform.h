// TDesignAboutForm (module abtmakef): the book's About box: caption, icon, program, version,
// author, four comment lines, and when the reader sees it.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class FileListBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TDesignAboutForm : public QDialog
{
    Q_OBJECT

public:
    // Changes `about` only on "&OK".
    explicit TDesignAboutForm(AboutRecord& about, QWidget* parent = nullptr);

    QLineEdit* BoxTitleEdit;
    QCheckBox* UseIconChkBox;
    QLineEdit* IconEdit;
    FileListBox* IconFileListBox;
    QPushButton* FindBtn;
    QLineEdit* ProgNameEdit;
    QLineEdit* VersionEdit;
    QLineEdit* CopyrightEdit;
    QLineEdit* Comm[4];
    QRadioButton* WhenButtons[4]; // starts, ends, both, neither
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* ViewBtn;

protected:
    void done(int result) override;

private:
    void build();
    void iconBoxChanged();
    void storeInto(AboutRecord& about) const;
    int selectedWhen() const;
    void view();

    AboutRecord& m_about;
    AboutRecord m_working;
};

bool DesignAboutBox(AboutRecord& about, QWidget* parent);
