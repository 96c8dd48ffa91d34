// TExeChoiceForm and TExe2ChoiceForm (module Hexchoif): which kind of program a link or command
// starts, each chosen kind defined through its own picker. The result is that of the last completed
// Add.
#pragma once

#include "core/project/codes.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

class TExeChoiceForm : public QDialog
{
    Q_OBJECT

public:
    // With `withHtml` the third choice, a web page, is offered (the three-choice dialog).
    TExeChoiceForm(const QString& command, const QString& file, HyperTextType type, bool withHtml,
                   QWidget* parent = nullptr);

    QString command() const { return m_command; }
    QString file() const { return m_file; }
    HyperTextType type() const { return m_type; }
    // Whether a program is defined: the one the window was opened with, or a completed Add.
    bool hasProgram() const { return m_hasProgram; }

    void AddClick(int choice);

    QRadioButton* RadioButtons[3];
    QPushButton* AddButtons[3];
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void select(int choice);

    QString m_command;
    QString m_file;
    HyperTextType m_type = HyperTextType::ExecutableProgram;
    bool m_hasProgram = false;
    QString m_remembered[3];
    int m_choices;
};

// True on OK when a program is defined, with command, file and type set; Cancel, or OK before any
// picker was completed for a value of another kind, leaves them.
bool ChooseExecutable(QString& command, QString& file, HyperTextType& type, bool withHtml,
                      QWidget* parent = nullptr);
