// The chapter display design window (module chpdesnF).
#include "ui/design/chapdesignform.h"

#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/filelists.h"
#include "platform/inputbox.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/readerscreen.h"
#include "ui/design/chapdesignbackform.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TChapDesignForm::TChapDesignForm(WorkingState& state, const ProjectRecord& project,
                                 const QString& chapterFile, QWidget* parent)
    : QDialog(parent), RadioButton3(new QRadioButton(tr("Create New Display File"))),
      RadioButton4(new QRadioButton(tr("Modify  File"))), DisplayEdit(new QLineEdit),
      FileListBox1(new FileListBox), ColorGrpBx(new QGroupBox(tr(" Background Color "), this)),
      Panel1(new QFrame), Button3(new QPushButton(tr("S&elect"))),
      RadioButton1(new QRadioButton(tr("Display full Screen"))),
      RadioButton2(new QRadioButton(tr("Display in Text Window"))),
      DesignBtn(new QPushButton(tr("&Design Text Window"))),
      CheckBox1(new QCheckBox(tr(" Printing allowed"), this)),
      OKBtn(new QPushButton(tr("&Save"), this)), cancelbtn(new QPushButton(tr("&Cancel"), this)),
      m_state(state), m_project(project), m_chapterFile(chapterFile), m_display(DefaultDisplay())
{
    setObjectName(QStringLiteral("TChapDesignForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 166);
    build();

    DisplayEdit->setReadOnly(true);
    LimitTyping(DisplayEdit, 25);
    DisplayEdit->setText(QStringLiteral("*.QVD"));
    FileListBox1->setMask(QStringLiteral("*.QVD"));
    FileListBox1->setDirectory(QDir::currentPath());
    DisplayEdit->hide();
    FileListBox1->hide();
    RadioButton3->setChecked(true);

    connect(RadioButton3, &QRadioButton::clicked, this, &TChapDesignForm::createNew);
    connect(RadioButton4, &QRadioButton::clicked, this, &TChapDesignForm::modifyFile);
    connect(FileListBox1, &FileListBox::fileClicked, this,
            [this](const QString& name) { ReportErrors([&] { pickFile(name); }); });
    connect(CheckBox1, &QCheckBox::clicked, this,
            [this](bool checked) { m_display.PrintAllowed = checked ? 1 : 0; });
    connect(RadioButton1, &QRadioButton::clicked, this, [this] {
        m_display.FullScreen = 1;
        DesignBtn->setEnabled(false);
    });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] {
        m_display.FullScreen = 0;
        DesignBtn->setEnabled(true);
    });
    connect(Button3, &QPushButton::clicked, this, &TChapDesignForm::selectColour);
    connect(DesignBtn, &QPushButton::clicked, this, &TChapDesignForm::designTextWindow);
    connect(OKBtn, &QPushButton::clicked, this, [this] { ReportErrors([this] { save(); }); });
    connect(cancelbtn, &QPushButton::clicked, this, &QDialog::reject);
    showDisplay();
}

void TChapDesignForm::build()
{
    auto* fileGroup = new QGroupBox(tr(" Select Chapter Display File "), this);
    auto* fileLayout = new QVBoxLayout(fileGroup);
    fileLayout->addWidget(RadioButton3);
    fileLayout->addWidget(RadioButton4);
    fileLayout->addWidget(DisplayEdit);
    fileLayout->addWidget(FileListBox1);
    fileLayout->addStretch();

    Panel1->setFixedSize(80, 40);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* colourLayout = new QHBoxLayout(ColorGrpBx);
    colourLayout->addWidget(Panel1);
    colourLayout->addWidget(Button3);

    auto* displayGroup = new QGroupBox(tr(" Chapter Display "), this);
    auto* displayLayout = new QVBoxLayout(displayGroup);
    displayLayout->addWidget(RadioButton1);
    displayLayout->addWidget(RadioButton2);
    displayLayout->addWidget(DesignBtn);

    auto* right = new QVBoxLayout;
    right->addWidget(ColorGrpBx);
    right->addWidget(displayGroup);
    right->addWidget(CheckBox1);
    right->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addWidget(fileGroup, 1);
    groups->addLayout(right);
    auto* buttons = ButtonRow({}, {OKBtn, cancelbtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    resize(520, 340);
}

void TChapDesignForm::showDisplay()
{
    CheckBox1->setChecked(m_display.PrintAllowed != 0);
    PaintBackground(Panel1, BookColour(m_display.TextColor));
    const bool textWindow = m_display.FullScreen == 0;
    (textWindow ? RadioButton2 : RadioButton1)->setChecked(true);
    DesignBtn->setEnabled(textWindow);
}

void TChapDesignForm::createNew()
{
    m_fileName.clear();
    DisplayEdit->hide();
    FileListBox1->hide();
    m_display = DefaultDisplay();
    showDisplay();
}

void TChapDesignForm::modifyFile()
{
    FileListBox1->refresh();
    DisplayEdit->show();
    FileListBox1->show();
}

void TChapDesignForm::pickFile(const QString& name)
{
    m_fileName = name;
    DisplayEdit->setText(name);
    ReadDisplayFile(m_state, name);
    m_display = m_state.CurrentDisplay;
    showDisplay();
}

void TChapDesignForm::selectColour()
{
    const std::optional<QColor> chosen =
        fileDialogs().chooseColor(this, BookColour(m_display.TextColor));
    if (!chosen)
        return;
    m_display.TextColor = BookColourOf(*chosen);
    showDisplay();
}

void TChapDesignForm::designTextWindow()
{
    const HiddenWhileSubWindow hidden(this);
    DisplayRecord designed = m_display;
    TChapDesignBackForm background(designed, m_project, m_chapterFile, parentWidget());
    if (RunModal(background) == QDialog::Accepted)
        m_display = designed;
}

void TChapDesignForm::save()
{
    const std::optional<QString> answer =
        InputBox(tr("Save Chapter Display File"), tr("Enter a Display Filename"), m_fileName, this);
    if (!answer || answer->isEmpty())
        return; // cancelled: nothing is written
    const std::optional<QString> name = DisplayFileNameFor(answer->left(80));
    if (!name) {
        ShowError(QStringLiteral("That is not a valid file name."));
        return;
    }
    // A file of that name in another letter case is that file. Another display file (perhaps
    // another chapter's) is replaced only when the author says so; the file being modified is
    // simply rewritten.
    const QString file = QFileInfo(ResolveProjectName(*name)).fileName();
    const bool other = m_fileName.isEmpty() || file != ResolveProjectName(m_fileName);
    if (other && filestore::exists(file) &&
        !ConfirmDiscard(QStringLiteral("The Display file %1 already exists.\n\r\n\rDo you "
                                       "want to replace it?")
                            .arg(file)))
        return;
    m_state.CurrentDisplay = m_display;
    WriteDisplayFile(m_state, file);
    m_savedName = file;
    accept();
}

std::optional<QString> DesignChapterDisplay(WorkingState& state, const ProjectRecord& project,
                                            const QString& chapterFile, QWidget* parent)
{
    TChapDesignForm form(state, project, chapterFile, parent);
    if (RunModal(form) != QDialog::Accepted || form.savedName().isEmpty())
        return std::nullopt;
    return form.savedName();
}
