// THelpfileForm (module PhelpF): the book's own help file and the topic it opens at.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class FileListBox;
class QLineEdit;
class QPushButton;

class THelpfileForm : public QDialog
{
    Q_OBJECT

public:
    // Changes HelpFile and HelpTopic of `config` only on "&OK".
    explicit THelpfileForm(ConfigRecord& config, QWidget* parent = nullptr);

    QLineEdit* Edit1; // the help file
    FileListBox* FileListBox1;
    QPushButton* Button1; // "Find File"
    QLineEdit* Edit2;     // the starting topic
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool topicIsNumber();
    void findFile();

    ConfigRecord& m_config;
};
