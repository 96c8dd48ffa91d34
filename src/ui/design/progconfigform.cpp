// The program configuration window (module PConfigf).
#include "ui/design/progconfigform.h"

#include "core/files/filestore.h"
#include "core/project/programconfig.h"
#include "core/sections/booklanguage.h"
#include "core/sections/introduction.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "ui/common/commandtypeform.h"
#include "ui/design/cfgdesignbackform.h"
#include "ui/design/designaboutform.h"
#include "ui/design/helpfileform.h"
#include "ui/design/iconfile.h"
#include "ui/design/introentryform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgConfigForm::TProgConfigForm(PresentationRecord& presentation, ConfigRecord& config,
                                 const QString& hyperTextFile, QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit), LanguageCombo(new QComboBox),
      IconChkBx(new QCheckBox(tr("Use Icon"))), IconGrp(new QGroupBox(tr(" Select Icon File "))),
      IconEdit(new QLineEdit), FileListBox1(new FileListBox),
      Button1(new QPushButton(tr("&Find File"))), CheckBox3(new QCheckBox(tr(" Use Help File"))),
      HelpBtn(new QPushButton(tr("Select"))),
      VideoChkBx(new QCheckBox(tr(" Show Video Mode Advisory"))),
      Button2(new QPushButton(tr("Design Background Screen"))),
      OpenChkBx(new QCheckBox(tr(" Add Opening Screen"))),
      OpenBtn(new QPushButton(tr("Create/Edit"))),
      CloseChkBx(new QCheckBox(tr(" Add Closing Screen"))),
      CloseBtn(new QPushButton(tr("Create/Edit"))),
      IntroChkBx(new QCheckBox(tr(" Add an Introduction"))),
      IntroBtn(new QPushButton(tr("Create/Edit"))),
      AboutChkBx(new QCheckBox(tr(" Add an About Box"))),
      AboutBtn(new QPushButton(tr("Create/Edit"))), BitBtn1(new QPushButton(tr("&Save"), this)),
      BitBtn2(new QPushButton(tr("&Cancel"), this)), m_presentationOut(presentation),
      m_configOut(config), m_presentation(presentation), m_config(config),
      m_hyperTextFile(hyperTextFile)
{
    setObjectName(QStringLiteral("TProgConfigForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 400);
    LimitTyping(Edit1, 80);
    IconEdit->setPlaceholderText(QStringLiteral("*.ICO"));
    BindIconList(IconEdit, FileListBox1, QStringLiteral("*.ICO"));
    build();
    showRecords();
    connectControls();
}

void TProgConfigForm::build()
{
    auto* iconLayout = new QVBoxLayout(IconGrp);
    iconLayout->addWidget(IconEdit);
    iconLayout->addWidget(FileListBox1);
    iconLayout->addWidget(Button1);

    auto* group = new QGroupBox(tr(" Customize the Program Presentation "), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* titleRow = new QHBoxLayout;
    auto* title = new QLabel(tr("Title :"));
    title->setBuddy(Edit1);
    titleRow->addWidget(title);
    titleRow->addWidget(Edit1, 1);
    auto* languageRow = new QHBoxLayout;
    auto* language = new QLabel(tr("&Language :"));
    language->setBuddy(LanguageCombo);
    languageRow->addWidget(language);
    languageRow->addWidget(LanguageCombo);
    languageRow->addStretch(1);
    for (const BookLanguageChoice& choice : BookLanguageChoices())
        LanguageCombo->addItem(QStringLiteral("%1 [%2]").arg(choice.name, choice.tag), choice.tag);
    LanguageCombo->setMaxVisibleItems(20);
    groupLayout->addLayout(titleRow);
    groupLayout->addLayout(languageRow);
    auto* grid = new QGridLayout;
    groupLayout->addLayout(grid);
    grid->addWidget(IconChkBx, 1, 0);
    grid->addWidget(IconGrp, 2, 0, 5, 1);
    grid->addWidget(CheckBox3, 1, 1);
    grid->addWidget(HelpBtn, 1, 2);
    grid->addWidget(VideoChkBx, 2, 1, 1, 2);
    grid->addWidget(Button2, 3, 1, 1, 2);
    int row = 4;
    for (auto [box, button] : {std::pair{OpenChkBx, OpenBtn}, std::pair{CloseChkBx, CloseBtn},
                               std::pair{IntroChkBx, IntroBtn}, std::pair{AboutChkBx, AboutBtn}}) {
        grid->addWidget(box, row, 1);
        grid->addWidget(button, row, 2);
        ++row;
    }
    auto* buttons = ButtonRow({}, {BitBtn1, BitBtn2});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setMinimumWidth(600);
}

void TProgConfigForm::showRecords()
{
    // The stored name is a bare name of the book: found in any letter case, as everywhere.
    if (!m_config.IconFile.text().isEmpty() && !filestore::exists(m_config.IconFile.text()))
        m_config.IconFile.setText(QString());
    IconChkBx->setChecked(m_config.UseIcon != 0);
    IconEdit->setText(m_config.IconFile.text());
    IconGrp->setVisible(IconChkBx->isChecked());
    CheckBox3->setChecked(m_config.UseHelpFile != 0);
    HelpBtn->setEnabled(CheckBox3->isChecked());
    VideoChkBx->setChecked(m_config.VideoAdvisory != 0);
    Edit1->setText(m_config.BookTitle.text());
    const std::pair<QCheckBox*, QPushButton*> pairs[] = {{AboutChkBx, AboutBtn},
                                                         {OpenChkBx, OpenBtn},
                                                         {CloseChkBx, CloseBtn},
                                                         {IntroChkBx, IntroBtn}};
    const std::uint8_t shown[] = {m_presentation.AboutShown, m_presentation.OpeningShown,
                                  m_presentation.ClosingShown, m_presentation.IntroShown};
    for (int i = 0; i < 4; ++i) {
        pairs[i].first->setChecked(shown[i] != 0);
        pairs[i].second->setEnabled(shown[i] != 0);
    }
    m_openingDefined = !m_presentation.Opening.Command.text().isEmpty();
    m_closingDefined = !m_presentation.Closing.Command.text().isEmpty();
    m_shownLanguage = AuthorLanguage();
    ReportErrors([this] {
        m_introExisted = ReadIntroEntry(m_hyperTextFile, m_introLines);
        m_shownLanguage = BookLanguage(m_hyperTextFile);
    });
    showLanguage(m_shownLanguage);
    if (!m_introExisted)
        m_introLines.clear();
}

// A tag the list lacks (stored by hand, or a region such as "pt-BR") is shown and kept as it is.
void TProgConfigForm::showLanguage(const QString& tag)
{
    int index = LanguageCombo->findData(tag);
    if (index < 0) {
        LanguageCombo->insertItem(0, QStringLiteral("[%1]").arg(tag), tag);
        index = 0;
    }
    LanguageCombo->setCurrentIndex(index);
}

void TProgConfigForm::connectControls()
{
    connect(IconChkBx, &QCheckBox::toggled, this, [this](bool checked) {
        IconGrp->setVisible(checked);
        m_config.UseIcon = checked ? 1 : 0;
        IconEdit->setText(m_config.IconFile.text());
    });
    connect(CheckBox3, &QCheckBox::toggled, this, [this](bool checked) {
        m_config.UseHelpFile = checked ? 1 : 0;
        HelpBtn->setEnabled(checked);
    });
    connect(AboutChkBx, &QCheckBox::toggled, this, [this](bool checked) {
        m_presentation.AboutShown = checked ? 1 : 0;
        AboutBtn->setEnabled(checked);
    });
    connect(OpenChkBx, &QCheckBox::toggled, OpenBtn, &QWidget::setEnabled);
    connect(IntroChkBx, &QCheckBox::toggled, IntroBtn, &QWidget::setEnabled);
    connect(CloseChkBx, &QCheckBox::toggled, CloseBtn, &QWidget::setEnabled);
    connect(Button1, &QPushButton::clicked, this, [this] {
        ReportErrors([this] {
            FindIconFile(this, tr("Select an Icon File"), QStringLiteral("Icon Files|*.ico"),
                         IconEdit, FileListBox1);
        });
    });
    connect(OpenBtn, &QPushButton::clicked, this, [this] {
        editCommand(m_presentation.Opening, m_openingDefined, tr(" Opening Command Type "), 420,
                    true);
    });
    connect(CloseBtn, &QPushButton::clicked, this, [this] {
        editCommand(m_presentation.Closing, m_closingDefined, tr(" Closing Command Type "), 430,
                    false);
    });
    connect(IntroBtn, &QPushButton::clicked, this, [this] {
        const HiddenWhileSubWindow hidden(this);
        PresentationRecord presentation = m_presentation;
        ConfigRecord config = m_config;
        if (EditIntroduction(presentation, config, m_introLines, parentWidget(),
                             LanguageCombo->currentData().toString())) {
            m_introEdited = true;
            m_presentation = presentation;
            m_config = config;
        }
    });
    connect(AboutBtn, &QPushButton::clicked, this, [this] {
        AboutRecord about = m_presentation.About;
        if (DesignAboutBox(about, this))
            m_presentation.About = about;
    });
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        THelpfileForm help(m_config, this);
        RunModal(help);
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        TCFGDesignBackForm background(m_config, this);
        RunModal(background);
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TProgConfigForm::editCommand(CommandRecord& command, bool& defined, const QString& caption,
                                  int helpContext, bool opening)
{
    const HiddenWhileSubWindow hidden(this);
    CommandRecord edited = command;
    if (EditCommandType(edited, caption, helpContext, opening, parentWidget())) {
        command = edited;
        defined = true;
    }
}

bool TProgConfigForm::commandsDefined()
{
    if (OpenChkBx->isChecked() && !m_openingDefined) {
        ShowError(QStringLiteral("The Opening Command has not been defined"));
        OpenBtn->setFocus();
        return false;
    }
    if (CloseChkBx->isChecked() && !m_closingDefined) {
        ShowError(QStringLiteral("The Closing Command has not been defined"));
        CloseBtn->setFocus();
        return false;
    }
    return true;
}

void TProgConfigForm::save()
{
    m_config.UseIcon = IconChkBx->isChecked() ? 1 : 0;
    m_config.IconFile.setText(IconEdit->text().left(150));
    m_config.UseHelpFile = CheckBox3->isChecked() ? 1 : 0;
    SettleIconAndHelpFile(m_config);
    m_config.VideoAdvisory = VideoChkBx->isChecked() ? 1 : 0;
    m_config.BookTitle.setText(Edit1->text().left(80));
    m_presentation.AboutShown = AboutChkBx->isChecked() ? 1 : 0;
    m_presentation.OpeningShown = OpenChkBx->isChecked() ? 1 : 0;
    m_presentation.ClosingShown = CloseChkBx->isChecked() ? 1 : 0;
    m_presentation.IntroShown = IntroChkBx->isChecked() ? 1 : 0;
    const QString language = LanguageCombo->currentData().toString();
    if (language != m_shownLanguage) // a book keeps no language until its author picks one
        WriteBookLanguage(m_hyperTextFile, language);
    const IntroSave intro = SaveIntroduction(m_hyperTextFile, m_presentation.IntroShown != 0,
                                             m_introEdited, m_introExisted, m_introLines);
    if (intro == IntroSave::Empty) {
        ShowError(QStringLiteral("The Introduction has not been entered."));
        m_presentation.IntroShown = 0;
    }
}

void TProgConfigForm::done(int result)
{
    if (result == QDialog::Accepted) {
        if (!commandsDefined())
            return;
        bool saved = false;
        ReportErrors([&] {
            save();
            saved = true;
        });
        if (!saved)
            return; // the section file could not be written: nothing is handed back
        m_presentationOut = m_presentation;
        m_configOut = m_config;
    }
    QDialog::done(result);
}

bool ConfigureProgram(PresentationRecord& presentation, ConfigRecord& config,
                      const QString& hyperTextFile, QWidget* parent)
{
    TProgConfigForm form(presentation, config, hyperTextFile, parent);
    return RunModal(form) == QDialog::Accepted;
}
