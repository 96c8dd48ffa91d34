// The table of contents design window (module BMengetf).
#include "ui/design/menudesignform.h"

#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/design/authorform.h"
#include "ui/design/menudesignbackform.h"
#include "ui/design/menutestform.h"
#include "ui/design/toctitleform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TMenuDesignForm::TMenuDesignForm(WorkingState& state, QWidget* parent)
    : QDialog(parent), TitleChkBx(new QCheckBox(tr(" Use Title Bar"), this)),
      TitleBtn(new QPushButton(tr("Create &Title Bar"), this)),
      StatusChkBx(new QCheckBox(tr(" Use Status Bar"), this)),
      StatusBtn(new QPushButton(tr("Create Status &Bar"), this)),
      AuthorChkBx(new QCheckBox(tr(" Use Author Box"), this)),
      AuthorBtn(new QPushButton(tr("Create &Author Box"), this)),
      DesignBtn(new QPushButton(tr("&Design Menu Background Screen"), this)),
      ViewBitBtn(new QPushButton(tr("&View"), this)), OKBitBtn(new QPushButton(tr("&Save"), this)),
      CancelBitBtn(new QPushButton(tr("&Cancel"), this)), m_state(state),
      m_menu(state.Project.Menu), m_config(state.Project.Config),
      m_presentation(state.Project.Presentation)
{
    setObjectName(QStringLiteral("TMenuDesignForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 220);
    TitleChkBx->setChecked(m_menu.MenuBars.TitleShown != 0);
    StatusChkBx->setChecked(m_menu.MenuBars.StatusShown != 0);
    AuthorChkBx->setChecked(m_menu.UseAuthorBox != 0);
    TitleBtn->setEnabled(TitleChkBx->isChecked());
    StatusBtn->setEnabled(StatusChkBx->isChecked());
    AuthorBtn->setEnabled(AuthorChkBx->isChecked());
    connectControls();

    auto* grid = new QGridLayout;
    grid->addWidget(TitleChkBx, 0, 0);
    grid->addWidget(TitleBtn, 0, 1);
    grid->addWidget(StatusChkBx, 1, 0);
    grid->addWidget(StatusBtn, 1, 1);
    grid->addWidget(AuthorChkBx, 2, 0);
    grid->addWidget(AuthorBtn, 2, 1);
    grid->addWidget(DesignBtn, 3, 0, 1, 2);
    auto* buttons = ButtonRow({ViewBitBtn}, {OKBitBtn, CancelBitBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TMenuDesignForm::connectControls()
{
    const auto storeIn = [this](QCheckBox* box, QPushButton* button, std::uint8_t& field) {
        connect(box, &QCheckBox::toggled, this, [button, &field](bool checked) {
            button->setEnabled(checked);
            field = checked ? 1 : 0;
        });
    };
    storeIn(TitleChkBx, TitleBtn, m_menu.MenuBars.TitleShown);
    storeIn(StatusChkBx, StatusBtn, m_menu.MenuBars.StatusShown);
    storeIn(AuthorChkBx, AuthorBtn, m_menu.UseAuthorBox);
    connect(TitleBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] { EditBarText(m_menu.MenuBars, Bar::Title, 465, parentWidget()); });
    });
    connect(StatusBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] { EditBarText(m_menu.MenuBars, Bar::Status, 470, parentWidget()); });
    });
    connect(AuthorBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            TAuthorForm author(m_menu, parentWidget());
            RunModal(author);
        });
    });
    connect(DesignBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            TMenuDesignBackForm background(m_menu, parentWidget());
            RunModal(background);
        });
    });
    connect(ViewBitBtn, &QPushButton::clicked, this, [this] {
        ReportErrors([this] {
            TestTableOfContents(m_state, m_menu, m_presentation, m_config, m_state.HelpFilePath,
                                this);
        });
    });
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TMenuDesignForm::openHidden(const std::function<void()>& window)
{
    const HiddenWhileSubWindow hidden(this);
    window();
}

void TMenuDesignForm::done(int result)
{
    if (result == QDialog::Accepted &&
        !SaveProjectChange(m_state, [this](ProjectRecord& project) { project.Menu = m_menu; }))
        return;
    QDialog::done(result);
}
