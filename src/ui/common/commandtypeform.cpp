// The command type dialog (module CmdtypeF).
#include "ui/common/commandtypeform.h"

#include "core/files/filenames.h"
#include "core/files/projectpath.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/common/exechoiceform.h"
#include "ui/common/getfileform.h"
#include "ui/common/getgraphicform.h"
#include "ui/common/getgraudioform.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The stored name when that file is in the project directory, else the first of the masks.
QString startingFile(const QString& stored, const QStringList& masks)
{
    QString name = stored;
    if (!name.isEmpty() && !QFileInfo::exists(ResolveProjectName(name)))
        name.clear();
    for (const QString& mask : masks) {
        if (!name.isEmpty())
            break;
        FindInProject(QDir::currentPath(), mask, name);
    }
    return name;
}

} // namespace

namespace {

bool isExecutable(HyperTextType type)
{
    return type == HyperTextType::ExecutableProgram || type == HyperTextType::WindowsProgram ||
           type == HyperTextType::HtmlFile;
}

} // namespace

TCommandTypeForm::TCommandTypeForm(const CommandRecord& command, const QString& groupCaption,
                                   int helpContext, bool twoChoices, QWidget* parent)
    : QDialog(parent), TypeGrp(new QGroupBox(groupCaption, this)),
      RBType2(new QRadioButton(tr(" Graphic Only"))),
      RBType6(new QRadioButton(tr(" Graphic and Sound"))),
      RBType4(new QRadioButton(tr(" Executable"))), RBType3(new QRadioButton(tr(" Voice Only"))),
      GraphBtn(new QPushButton(tr("Define"))), GraphAudioBtn(new QPushButton(tr("Define"))),
      ExeBtn(new QPushButton(tr("Define"))), VoiceBtn(new QPushButton(tr("Define"))),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_record(command), m_twoChoices(twoChoices), m_graphic(command.GraphicFile.text()),
      m_comboGraphic(command.ComboGraphicFile.text()), m_voice(command.VoiceFile.text()),
      m_comboSound(command.ComboSoundFile.text()), m_program(command.ProgramFile.text()),
      m_command(command.Command.text()), m_duration(command.GraphicOption)
{
    setObjectName(QStringLiteral("TCommandTypeForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    auto* grid = new QGridLayout(TypeGrp);
    const QList<std::pair<QRadioButton*, QPushButton*>> rows = {
        {RBType2, GraphBtn}, {RBType6, GraphAudioBtn}, {RBType4, ExeBtn}, {RBType3, VoiceBtn}};
    const HyperTextType types[] = {HyperTextType::GraphicOnly, HyperTextType::GraphicAndSound,
                                   HyperTextType::ExecutableProgram, HyperTextType::VoiceOnly};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].first, i, 0);
        grid->addWidget(rows[i].second, i, 1);
        const HyperTextType type = types[i];
        connect(rows[i].first, &QRadioButton::clicked, this, [this, type] {
            // " Executable" stands for three kinds: clicking it again keeps the one defined.
            const bool sameFamily =
                type == HyperTextType::ExecutableProgram && isExecutable(m_type);
            selectType(sameFamily ? m_type : type);
            m_entered = false;
        });
    }
    connect(GraphBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { GraphBtnClick(); }); });
    connect(GraphAudioBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { GraphAudioBtnClick(); }); });
    connect(ExeBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { ExeBtnClick(); }); });
    connect(VoiceBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { VoiceBtnClick(); }); });
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TypeGrp);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    m_type = command.CommandType == 0 ? HyperTextType::ExecutableProgram
                                      : static_cast<HyperTextType>(command.CommandType);
    selectType(m_type);
}

void TCommandTypeForm::selectType(HyperTextType type)
{
    m_type = type;
    const bool executable = isExecutable(type);
    RBType2->setChecked(type == HyperTextType::GraphicOnly);
    RBType6->setChecked(type == HyperTextType::GraphicAndSound);
    RBType4->setChecked(executable);
    RBType3->setChecked(type == HyperTextType::VoiceOnly);
    GraphBtn->setEnabled(type == HyperTextType::GraphicOnly);
    GraphAudioBtn->setEnabled(type == HyperTextType::GraphicAndSound);
    ExeBtn->setEnabled(executable);
    VoiceBtn->setEnabled(type == HyperTextType::VoiceOnly);
}

void TCommandTypeForm::clearFiles()
{
    m_graphic.clear();
    m_comboGraphic.clear();
    m_voice.clear();
    m_comboSound.clear();
    m_program.clear();
}

void TCommandTypeForm::GraphBtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    QString graphic = startingFile(m_graphic, {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")});
    int duration = m_duration;
    QString command;
    if (!GetGraphic(command, graphic, duration, this))
        return;
    clearFiles();
    m_graphic = graphic;
    m_duration = duration;
    m_command = command;
    m_entered = true;
}

void TCommandTypeForm::GraphAudioBtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    QString graphic =
        startingFile(m_comboGraphic, {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")});
    QString sound = startingFile(m_comboSound, {QStringLiteral("*.wav"), QStringLiteral("*.mid")});
    int duration = m_duration;
    QString command;
    if (!GetGraphicAudio(command, graphic, sound, duration, this))
        return;
    clearFiles();
    m_comboGraphic = graphic;
    m_comboSound = sound;
    m_duration = duration;
    m_command = command;
    m_entered = true;
}

void TCommandTypeForm::VoiceBtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    QString voice = startingFile(m_voice, {QStringLiteral("*.wav")});
    QString command;
    if (!GetAudio(command, voice, this))
        return;
    clearFiles();
    m_voice = voice;
    m_command = command;
    m_entered = true;
}

void TCommandTypeForm::ExeBtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    // What was defined stays unless the author defines something else in the choice window.
    QString command = isExecutable(m_type) ? m_command : QString();
    QString file = m_program;
    HyperTextType type = m_type;
    if (!ChooseExecutable(command, file, type, !m_twoChoices, this))
        return;
    clearFiles();
    m_program = file;
    m_command = command;
    m_type = type;
}

bool TCommandTypeForm::canClose()
{
    if (m_entered)
        return true;
    const auto refuse = [](const char* message, QPushButton* focus) {
        ShowError(QString::fromLatin1(message));
        focus->setFocus();
        return false;
    };
    if (m_type == HyperTextType::GraphicOnly && m_graphic.isEmpty())
        return refuse("No Graphic File has been selected.", GraphBtn);
    if (isExecutable(m_type) && m_program.isEmpty())
        return refuse("No Executable File has been defined.", ExeBtn);
    if (m_type == HyperTextType::VoiceOnly && m_voice.isEmpty())
        return refuse("No Voice File has been selected.", VoiceBtn);
    if (m_type == HyperTextType::GraphicAndSound && m_comboGraphic.isEmpty())
        return refuse("No Graphic File has been selected.", GraphAudioBtn);
    if (m_type == HyperTextType::GraphicAndSound && m_comboSound.isEmpty())
        return refuse("No Sound File has been selected.", GraphAudioBtn);
    return true;
}

void TCommandTypeForm::done(int result)
{
    if (result == QDialog::Accepted && !canClose())
        return;
    QDialog::done(result);
}

CommandRecord TCommandTypeForm::record() const
{
    CommandRecord record = m_record;
    record.CommandType = static_cast<std::int16_t>(static_cast<int>(m_type));
    record.GraphicFile.setText(m_graphic);
    record.ComboGraphicFile.setText(m_comboGraphic);
    record.VoiceFile.setText(m_voice);
    record.ComboSoundFile.setText(m_comboSound);
    record.ProgramFile.setText(m_program);
    record.GraphicOption = static_cast<std::int16_t>(m_duration);
    record.Command.setText(m_command);
    return record;
}

bool EditCommandType(CommandRecord& command, const QString& groupCaption, int helpContext,
                     bool twoChoices, QWidget* parent)
{
    TCommandTypeForm form(command, groupCaption, helpContext, twoChoices, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    command = form.record();
    return true;
}
