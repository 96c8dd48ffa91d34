// TCommandTypeForm (module CmdtypeF): the kind and files of the command a book runs when it opens
// or closes.
#pragma once

#include "core/project/codes.h"
#include "core/project/records.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

class TCommandTypeForm : public QDialog
{
    Q_OBJECT

public:
    // `twoChoices` offers two program kinds (opening command), otherwise three (closing command).
    TCommandTypeForm(const CommandRecord& command, const QString& groupCaption, int helpContext,
                     bool twoChoices, QWidget* parent = nullptr);

    CommandRecord record() const;
    void GraphBtnClick();
    void GraphAudioBtnClick();
    void VoiceBtnClick();
    void ExeBtnClick();

    QGroupBox* TypeGrp;
    QRadioButton* RBType2;
    QRadioButton* RBType6;
    QRadioButton* RBType4;
    QRadioButton* RBType3;
    QPushButton* GraphBtn;
    QPushButton* GraphAudioBtn;
    QPushButton* ExeBtn;
    QPushButton* VoiceBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    void done(int result) override;

private:
    void selectType(HyperTextType type);
    void clearFiles();
    bool canClose();

    CommandRecord m_record;
    bool m_twoChoices;
    HyperTextType m_type; // the stored code, kept as it is when unknown
    QString m_graphic, m_comboGraphic, m_voice, m_comboSound, m_program, m_command;
    int m_duration;
    bool m_entered = false;
};

// True on OK, with the record changed; Cancel leaves it as it was.
bool EditCommandType(CommandRecord& command, const QString& groupCaption, int helpContext,
                     bool twoChoices, QWidget* parent = nullptr);
