// The media and program pickers.
#include "ui/authoring/pickers.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/documents.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/mediaactions.h"
#include "preview/mediaplayform.h"
#include "preview/showmultform.h"
#include "ui/authoring/bringfile.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

FileChoice choice(const char* filter, const char* title)
{
    FileChoice c;
    c.filter = QString::fromLatin1(filter);
    c.title = QString::fromLatin1(title);
    return c;
}

QString projectDir()
{
    return QDir::currentPath();
}

// A duration field: empty becomes "0"; anything but a whole number is refused. False when
// refused.
bool checkDuration(QLineEdit* field)
{
    if (field->text().isEmpty()) {
        field->setText(QStringLiteral("0"));
    } else if (!IsNumber(field->text())) {
        ShowError(QStringLiteral("That is not a valid number"));
        field->setText(QStringLiteral("0"));
        field->setFocus();
        return false;
    }
    return true;
}

// Checks a duration field when it loses the focus.
class DurationCheck : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && event->type() == QEvent::FocusOut)
            checkDuration(field);
        return false;
    }
};

} // namespace

TPickerForm::TPickerForm(const QString& objectName, int helpContext,
                         const QList<PickerColumn>& columns, QWidget* parent)
    : QDialog(parent), BitBtn1(new QPushButton(tr("&View"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(objectName);
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    PaintBackground(this, kTeal, Qt::white);

    auto* columnsRow = new QHBoxLayout;
    for (const PickerColumn& config : columns) {
        Column column{new QGroupBox(config.groupCaption, this), new QLineEdit, nullptr, nullptr,
                      config};
        auto* layout = new QVBoxLayout(column.group);
        layout->addWidget(column.edit);
        if (!config.listMask.isEmpty()) {
            column.list = new FileListBox;
            column.list->setMask(config.listMask);
            column.list->setDirectory(projectDir());
            column.findBtn = new QPushButton(tr("&Find File"));
            layout->addWidget(column.list);
            layout->addWidget(column.findBtn);
            const int index = int(m_columns.size());
            connect(column.list, &FileListBox::fileClicked, this,
                    [this, index](const QString& name) {
                        m_columns[index].edit->setText(name);
                        updateView();
                    });
            connect(column.findBtn, &QPushButton::clicked, this,
                    [this, index] { ReportErrors([&] { FindFile(index); }); });
        }
        columnsRow->addWidget(column.group);
        m_columns.append(column);
    }
    auto* extra = new QFormLayout;
    m_extraRows = extra;
    auto* buttons = ButtonRow({}, {BitBtn1, OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnsRow, 1);
    layout->addLayout(extra);
    layout->addLayout(buttons);
    OKBtn->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (m_preview)
            ReportErrors(m_preview);
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TPickerForm::addExtraField(const QString& label, int maxLength)
{
    auto* field = new QLineEdit(this);
    LimitTyping(field, maxLength);
    static_cast<QFormLayout*>(m_extraRows)->addRow(new QLabel(label, this), field);
    return field;
}

void TPickerForm::makeDurationField(QLineEdit* field)
{
    field->installEventFilter(new DurationCheck(field));
    m_durationFields << field;
}

void TPickerForm::updateView()
{
    bool named = true;
    for (const Column& column : std::as_const(m_columns))
        named = named && !column.edit->text().isEmpty();
    BitBtn1->setEnabled(m_viewAlways || named);
}

void TPickerForm::FindFile(int index)
{
    Column& column = m_columns[index];
    FileChoice find = column.config.findChoice;
    find.folder = QDir::homePath();
    QString result = BringFileIntoProject(this, find, projectDir(), column.edit->text());
    column.list->refresh();
    for (const QString& mask : std::as_const(column.config.fallbacks)) {
        if (!result.isEmpty())
            break;
        FindInProject(projectDir(), mask, result);
    }
    column.edit->setText(result);
    updateView();
}

void TPickerForm::done(int result)
{
    if (result == QDialog::Accepted) {
        // Enter accepts without the field losing its focus, so durations are checked here too.
        for (QLineEdit* field : std::as_const(m_durationFields)) {
            if (!checkDuration(field))
                return;
        }
        for (const Column& column : std::as_const(m_columns)) {
            if (column.edit->text().isEmpty()) {
                ShowError(column.config.missingMessage);
                column.edit->setFocus();
                return;
            }
        }
    }
    QDialog::done(result);
}

namespace {

const PickerColumn kGraphicColumn{QStringLiteral(" Select .BMP or .JPG Graphic  "),
                                  QStringLiteral("*.BMP;*.JPG"),
                                  choice("Graphic Files|*.JPG;*.BMP", "Select a Graphic File"),
                                  {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")},
                                  QStringLiteral("No Graphic file has been selected")};

QString graphicCommand(const QString& graphic, const QString& duration)
{
    return graphic + QLatin1Char(',') + duration;
}

} // namespace

TGetGraphicForm::TGetGraphicForm(const QString& graphic, int duration, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetGraphicForm"), 520, {kGraphicColumn}, parent),
      Edit1(nameEdit()), Edit2(addExtraField(tr("Duration (1/10th sec)"), 4)),
      FileListBox1(fileList()), GetBtn(findButton())
{
    Edit1->setText(graphic);
    Edit2->setText(QString::number(duration));
    makeDurationField(Edit2);
    setPreview([this] {
        if (!Edit1->text().isEmpty())
            ShowCommand(CurrentHyperPhrase(), graphicCommand(Edit1->text(), Edit2->text()),
                        QString(), this);
    });
    updateView();
}

TGetGrAudioForm::TGetGrAudioForm(const QString& graphic, const QString& sound, int duration,
                                 QWidget* parent)
    : TPickerForm(QStringLiteral("TGetGrAudioForm"), 560,
                  {kGraphicColumn,
                   {QStringLiteral(" Select .WAV or .MID Audio  "),
                    QStringLiteral("*.WAV;*.MID"),
                    choice("Sound Files|*.WAV;*.MID", "Select a Sound File"),
                    {QStringLiteral("*.WAV"), QStringLiteral("*.MID")},
                    QStringLiteral("No Sound file has been selected")}},
                  parent),
      Edit1(nameEdit(0)), Edit2(nameEdit(1)), Edit3(addExtraField(tr("Duration (1/10th sec)"), 4)),
      Button1(findButton(0)), Button2(findButton(1))
{
    Edit1->setText(graphic);
    Edit2->setText(sound);
    Edit3->setText(QString::number(duration));
    makeDurationField(Edit3);
    setPreview([this] {
        ShowCommand(CurrentHyperPhrase(),
                    Edit1->text() + QLatin1Char(',') + Edit2->text() + QLatin1Char(',') +
                        Edit3->text(),
                    QString(), this);
    });
    updateView();
}

namespace {

PickerColumn fileColumn(TGetFileForm::Kind kind)
{
    switch (kind) {
    case TGetFileForm::Audio:
        return {QStringLiteral(" Select a .WAV  Audio  file "),
                QStringLiteral("*.WAV"),
                choice("WAV Files|*.WAV", "Select a WAV Voice File"),
                {QStringLiteral("*.wav")},
                QStringLiteral("No Voice file has been selected")};
    case TGetFileForm::Video:
        return {QStringLiteral(" Select .AVI Video file "),
                QStringLiteral("*.AVI"),
                choice("AVI Files|*.avi", "Select an AVI File"),
                {QStringLiteral("*.avi")},
                QStringLiteral("No Video file has been selected")};
    case TGetFileForm::Midi:
        return {QStringLiteral(" Select a MIDI file "),
                QStringLiteral("*.MID"),
                choice("MIDI Sound|*.mid", "Copy a MIDI file"),
                {QStringLiteral("*.mid")},
                QStringLiteral("No MIDI file has been selected")};
    case TGetFileForm::Html:
        return {QStringLiteral(" Enter HTML filename "),
                QStringLiteral("*.htm"),
                choice("HTML Files|*.HTM", "Select HTML Web Browser File"),
                {QStringLiteral("*.htm")},
                QStringLiteral("No HTML file has been selected")};
    }
    return {};
}

const char* fileFormName(TGetFileForm::Kind kind)
{
    switch (kind) {
    case TGetFileForm::Audio:
        return "TGetAudioForm";
    case TGetFileForm::Video:
        return "TGetVideoForm";
    case TGetFileForm::Midi:
        return "TGetMidiForm";
    case TGetFileForm::Html:
        return "TGetHTMForm";
    }
    return "";
}

int fileFormHelp(TGetFileForm::Kind kind)
{
    const int help[] = {530, 570, 580, 547};
    return help[kind];
}

} // namespace

TGetFileForm::TGetFileForm(Kind kind, const QString& file, QWidget* parent)
    : TPickerForm(QString::fromLatin1(fileFormName(kind)), fileFormHelp(kind), {fileColumn(kind)},
                  parent),
      Edit1(nameEdit()), FileListBox1(fileList()), GetBtn(findButton())
{
    Edit1->setText(kind == Html ? file.toUpper() : file);
    if (kind == Html) {
        Edit1->setReadOnly(true);
        // Filled from the list or by Find File, and kept in capitals.
        connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (text != text.toUpper())
                Edit1->setText(text.toUpper());
        });
    }
    if (kind == Video)
        setViewAlwaysEnabled();
    setPreview([this, kind] {
        const QString name = Edit1->text();
        if (name.isEmpty())
            return;
        if (kind == Audio)
            PlayWave(name);
        else if (kind == Html)
            OpenDocument(name);
        else // as the book plays it: the book's own prompt, the book's message for a lost file
            MediaSlot::get().showCommand(this, CurrentHyperPhrase(), name);
    });
    updateView();
}

TGetExeForm::TGetExeForm(const QString& value, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetExeForm"), 545,
                  {{QStringLiteral(" Enter Executable filename "),
                    QStringLiteral("*.exe;*.com;*.bat"),
                    choice("Executable Files|*.exe;*.com;*.bat", "Select Executable File"),
                    {QStringLiteral("*.exe"), QStringLiteral("*.com"), QStringLiteral("*.bat")},
                    QStringLiteral("No executable file has been selected")}},
                  parent),
      Edit1(nameEdit()), Edit2(addExtraField(tr("Parameters :"), 200)), GetBtn(findButton())
{
    LimitTyping(Edit1, 50);
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    Edit1->setText(comma < 0 ? value : value.left(comma));
    Edit2->setText(comma < 0 ? QString() : value.mid(comma + 1));
    setViewAlwaysEnabled();
    setPreview([this] {
        MediaSlot::get().runProgram(this, HyperTextType::ExecutableProgram, this->value());
    });
    updateView();
}

QString TGetExeForm::value() const
{
    return Edit2->text().isEmpty() ? Edit1->text()
                                   : Edit1->text() + QLatin1Char(',') + Edit2->text();
}

TGetWinExeForm::TGetWinExeForm(const QString& value, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetWinExeForm"), 546,
                  {{QStringLiteral(" Windows related Program "),
                    QString(),
                    {},
                    {},
                    QStringLiteral("No executable file has been selected")}},
                  parent),
      Edit1(nameEdit())
{
    LimitTyping(Edit1, 50);
    Edit1->setText(value.toUpper());
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = Edit1->cursorPosition();
        Edit1->setText(text.toUpper());
        Edit1->setCursorPosition(cursor);
        updateView();
    });
    setPreview([this] {
        MediaSlot::get().runProgram(this, HyperTextType::WindowsProgram, Edit1->text());
    });
    updateView();
}

bool GetGraphic(QString& command, QString& graphic, int& duration, QWidget* parent)
{
    TGetGraphicForm form(graphic, duration, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    graphic = form.Edit1->text();
    duration = ParseInteger(form.Edit2->text()).value_or(0);
    command = graphicCommand(form.Edit1->text(), form.Edit2->text());
    return true;
}

bool GetGraphicAudio(QString& command, QString& graphic, QString& sound, int& duration,
                     QWidget* parent)
{
    TGetGrAudioForm form(graphic, sound, duration, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    graphic = form.Edit1->text();
    sound = form.Edit2->text();
    duration = ParseInteger(form.Edit3->text()).value_or(0);
    command = graphic + QLatin1Char(',') + sound + QLatin1Char(',') + form.Edit3->text();
    return true;
}

namespace {

bool getFile(TGetFileForm::Kind kind, QString& command, QString& file, QWidget* parent)
{
    TGetFileForm form(kind, file, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    file = form.Edit1->text();
    command = file;
    return true;
}

} // namespace

bool GetAudio(QString& command, QString& voice, QWidget* parent)
{
    return getFile(TGetFileForm::Audio, command, voice, parent);
}

bool GetVideo(QString& command, QString& video, QWidget* parent)
{
    return getFile(TGetFileForm::Video, command, video, parent);
}

bool GetMidi(QString& command, QString& midi, QWidget* parent)
{
    return getFile(TGetFileForm::Midi, command, midi, parent);
}

bool GetHtml(QString& value, QWidget* parent)
{
    QString command;
    return getFile(TGetFileForm::Html, command, value, parent);
}

bool GetExe(QString& value, QWidget* parent)
{
    TGetExeForm form(value, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    value = form.value();
    return true;
}

bool GetWinExe(QString& value, QWidget* parent)
{
    TGetWinExeForm form(value, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    value = form.Edit1->text();
    return true;
}
