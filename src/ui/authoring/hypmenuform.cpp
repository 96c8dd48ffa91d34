// The link dialog (module BHypmenf).
#include "ui/authoring/hypmenuform.h"

#include "core/files/filenames.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/sections/alttext.h"
#include "core/sections/booklanguage.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/mediaactions.h"
#include "ui/authoring/hypentryform.h"
#include "ui/authoring/notefileform.h"
#include "ui/common/exechoiceform.h"
#include "ui/common/getfileform.h"
#include "ui/common/getgraphicform.h"
#include "ui/common/getgraudioform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The type each row of radio buttons selects.
constexpr int kRowTypes[9] = {1, 2, 3, 4, 5, 6, 7, 8, 13};

const char* const kRowCaptions[9] = {" Text Only",    " Graphic Only",     " Voice Only",
                                     " Executable",   " Graphic and Text", " Graphic and Sound",
                                     " Video Player", " MIDI Player",      "Orvek NotePad"};

// The row of a stored type: the Executable row stands for 4, 9 and 10.
int rowOf(int type)
{
    if (type == 9 || type == 10)
        return 3;
    for (int row = 0; row < 9; ++row) {
        if (kRowTypes[row] == type)
            return row;
    }
    return 0; // what the dialog cannot show appears as " Text Only"
}

} // namespace

THypMenuForm::THypMenuForm(const QString& hyperTextFile, const QString& phrase, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), Edit1(new QLineEdit(phrase, this)),
      GroupBox1(new QGroupBox(this)), AltTextLabel(new QLabel(tr("Alt &text"), this)),
      AltTextEdit(new QLineEdit(this)), OKBtn(new QPushButton(tr("&Save"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)), m_file(hyperTextFile), m_phrase(phrase)
{
    setObjectName(QStringLiteral("THypMenuForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 500);
    PaintBackground(this, kTeal, Qt::white);
    CurrentHyperPhrase() = phrase; // the caption of the pop-ups and picture shows
    build();
    try {
        m_link = LoadLinkDefinition(hyperTextFile, phrase);
    } catch (const RunTimeError& error) {
        // The stored link cannot be read: say so, and let the author define it anew; saving
        // replaces the damaged section rather than adding a second one.
        ShowError(QStringLiteral("The HyperText link \"%1\" is damaged (%2). It opens as a new "
                                 "link; Save replaces it.")
                      .arg(phrase, error.message()));
        m_link = LinkDefinition{};
        m_link.editMode = true;
        m_link.oldName = phrase;
        m_link.selectedType = 1;
        m_damaged = true;
    }
    showState();
}

void THypMenuForm::build()
{
    Edit1->setReadOnly(true);
    auto* grid = new QGridLayout(GroupBox1);
    for (int row = 0; row < 9; ++row) {
        RadioButtons[row] = new QRadioButton(tr(kRowCaptions[row]), GroupBox1);
        Buttons[row] = new QPushButton(tr("Add"), GroupBox1);
        grid->addWidget(RadioButtons[row], row, 0);
        grid->addWidget(Buttons[row], row, 1);
        connect(RadioButtons[row], &QRadioButton::clicked, this, [this, row] { select(row); });
        connect(Buttons[row], &QPushButton::clicked, this,
                [this, row] { ReportErrors([this, row] { add(row); }); });
    }
    AltTextLabel->setBuddy(AltTextEdit);
    LimitTyping(AltTextEdit, kMaxAltText);
    AltTextEdit->setToolTip(tr("The words that stand for the link's picture, sound or film for "
                               "readers who cannot see or hear it (the EPUB edition)"));
    auto* altText = new QHBoxLayout;
    altText->addWidget(AltTextLabel);
    altText->addWidget(AltTextEdit, 1);
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addWidget(GroupBox1);
    layout->addLayout(altText);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, [this] { ReportErrors([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THypMenuForm::showState()
{
    const bool edit = m_link.editMode && !m_damaged;
    Label1->setText(edit ? tr("HyperLink Phrase") : tr("HyperText Link"));
    GroupBox1->setTitle(edit ? tr(" Select HyperLink type ") : tr(" Select HyperText type "));
    const int row = rowOf(m_link.selectedType);
    RadioButtons[row]->setChecked(true);
    AltTextEdit->setText(m_link.altText);
    enableRow(row);
}

void THypMenuForm::select(int row)
{
    m_link.selectedType = kRowTypes[row];
    enableRow(row);
}

void THypMenuForm::enableRow(int row)
{
    for (int r = 0; r < 9; ++r)
        Buttons[r]->setEnabled(r == row);
    AltTextLabel->setEnabled(TakesAltText(kRowTypes[row]));
    AltTextEdit->setEnabled(TakesAltText(kRowTypes[row]));
}

void THypMenuForm::add(int row)
{
    {
        const HiddenWhileSubWindow hidden(this);
        switch (kRowTypes[row]) {
        case 1:
        case 5:
            addText(row);
            break;
        case 4:
            addExecutable();
            break;
        case 13:
            addNotepad();
            break;
        default:
            addPicture(row);
        }
    }
    Edit1->setFocus();
}

void THypMenuForm::addText(int row)
{
    const bool textOnly = kRowTypes[row] == 1;
    m_link.display.FullScreen = 0;
    if (textOnly)
        m_link.display.BackType = 0;
    if (EditLinkText(textOnly ? THypEntryForm::TextWindow : THypEntryForm::DisplayScreen,
                     m_link.display, m_link.textLines, this, BookLanguage(m_file)))
        m_link.enteredType = kRowTypes[row];
}

void THypMenuForm::addPicture(int row)
{
    LinkDefinition& l = m_link;
    bool done = false;
    switch (kRowTypes[row]) {
    case 2:
        prepare(l.graphic, QStringLiteral("*.jpg"), QStringLiteral("*.bmp"));
        done = GetGraphic(l.command, l.graphic, l.duration, this);
        break;
    case 3:
        prepare(l.voice, QStringLiteral("*.wav"), QString());
        done = GetAudio(l.command, l.voice, this);
        break;
    case 6:
        prepare(l.graphic, QStringLiteral("*.jpg"), QStringLiteral("*.bmp"));
        prepare(l.sound, QStringLiteral("*.wav"), QStringLiteral("*.mid"));
        done = GetGraphicAudio(l.command, l.graphic, l.sound, l.duration, this);
        break;
    case 7:
        prepare(l.video, QStringLiteral("*.avi"), QString());
        done = GetVideo(l.command, l.video, this);
        break;
    case 8:
        prepare(l.midi, QStringLiteral("*.mid"), QString());
        done = GetMidi(l.command, l.midi, this);
        break;
    }
    if (done)
        l.enteredType = kRowTypes[row];
}

void THypMenuForm::addExecutable()
{
    HyperTextType type = static_cast<HyperTextType>(m_link.enteredType);
    if (!ChooseExecutable(m_link.command, m_link.program, type, true, this))
        return;
    m_link.enteredType = m_link.selectedType = static_cast<int>(type);
}

void THypMenuForm::addNotepad()
{
    // Only a notepad link's own file is offered, and only OK makes the link a notepad link.
    const QString current = m_link.enteredType == 13 ? m_link.command : QString();
    if (const std::optional<QString> name = AskNotepadFile(current, this)) {
        m_link.command = *name;
        m_link.enteredType = 13;
    }
}

// A file that is not in the project is forgotten; an empty one becomes the first match of the
// masks there.
void THypMenuForm::prepare(QString& file, const QString& firstMask, const QString& secondMask) const
{
    if (!file.isEmpty() && !QFileInfo::exists(ResolveProjectName(file)))
        file.clear();
    if (!file.isEmpty())
        return;
    if (!FindInProject(QDir::currentPath(), firstMask, file) && !secondMask.isEmpty())
        FindInProject(QDir::currentPath(), secondMask, file);
}

void THypMenuForm::OKBtnClick()
{
    m_link.altText = AltTextEdit->text();
    switch (SaveLinkDefinition(m_link, m_file, m_phrase)) {
    case LinkSaveResult::Written:
        accept();
        return;
    case LinkSaveResult::NoData:
        ShowError(QStringLiteral("No data has been entered."));
        return;
    case LinkSaveResult::NoText:
        ShowError(QStringLiteral("No Text information was entered."));
        return;
    case LinkSaveResult::NothingDone:
        return;
    }
}

void DefineLink(const QString& hyperTextFile, const QString& phrase, QWidget* parent)
{
    THypMenuForm form(hyperTextFile, phrase, parent);
    RunModal(form);
}

void LinkDialogDefiner::define(const QString& phrase)
{
    DefineLink(m_state.HyperTextFile, phrase, QApplication::activeWindow());
}
