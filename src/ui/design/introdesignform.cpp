// The introduction screen's design window (module PIntScrF).
#include "ui/design/introdesignform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/design/booktextform.h"
#include "ui/design/changetextform.h"
#include "ui/design/intdesignbackform.h"
#include "ui/design/toctitleform.h"
#include "ui/design/vpdesigntitleform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TIntroDesignForm::TIntroDesignForm(PresentationRecord& presentation, const ConfigRecord& config,
                                   const QByteArray& rtf, QWidget* parent)
    : QDialog(parent), TitleBarChkBx(new QCheckBox(tr(" Use TitleBar"))),
      TitleBarBtn(new QPushButton(tr("Create/Edit"))),
      StatusBarChkBx(new QCheckBox(tr(" Use StatusBar"))),
      StatusBarBtn(new QPushButton(tr("Create/Edit"))),
      VPChkBx(new QCheckBox(tr(" Use Text Window"))), VPBtn(new QPushButton(tr("Create/Edit"))),
      UseMenuChkBx(new QCheckBox(tr(" Use MenuBar"))), Button1(new QPushButton(tr("Define Text"))),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_presentationOut(presentation), m_presentation(presentation), m_config(config), m_rtf(rtf)
{
    setObjectName(QStringLiteral("TIntroDesignForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 460);
    const IntroRecord& intro = presentation.Intro;
    TitleBarChkBx->setChecked(intro.IntroBars.TitleShown != 0);
    StatusBarChkBx->setChecked(intro.IntroBars.StatusShown != 0);
    VPChkBx->setChecked(intro.IntroDisplay.FullScreen == 0);
    UseMenuChkBx->setChecked(intro.UseMenuBar != 0);
    build();
    connectControls();
}

void TIntroDesignForm::build()
{
    auto* group = new QGroupBox(tr(" Design Introduction Screen "), this);
    auto* grid = new QGridLayout(group);
    const std::pair<QCheckBox*, QPushButton*> rows[] = {{TitleBarChkBx, TitleBarBtn},
                                                        {StatusBarChkBx, StatusBarBtn},
                                                        {VPChkBx, VPBtn},
                                                        {UseMenuChkBx, Button1}};
    int row = 0;
    for (auto [box, button] : rows) {
        box->setParent(group);
        button->setParent(group);
        button->setEnabled(box->isChecked());
        grid->addWidget(box, row, 0);
        grid->addWidget(button, row, 1);
        ++row;
    }
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TIntroDesignForm::connectControls()
{
    for (const auto& row :
         {std::pair{TitleBarChkBx, TitleBarBtn}, std::pair{StatusBarChkBx, StatusBarBtn},
          std::pair{VPChkBx, VPBtn}, std::pair{UseMenuChkBx, Button1}}) {
        QPushButton* button = row.second;
        connect(row.first, &QCheckBox::toggled, this, [this, button](bool checked) {
            button->setEnabled(checked);
            storeStates();
        });
    }
    connect(TitleBarBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            EditIntroBarText(m_presentation.Intro.IntroBars, Bar::Title, 465, parentWidget());
        });
    });
    connect(StatusBarBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            EditIntroBarText(m_presentation.Intro.IntroBars, Bar::Status, 470, parentWidget());
        });
    });
    connect(VPBtn, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            TIntDesignBackForm background(m_presentation, m_config, m_rtf, parentWidget());
            RunModal(background);
        });
    });
    connect(Button1, &QPushButton::clicked, this, [this] {
        openHidden([this] {
            TChangeTextForm captions(m_presentation, parentWidget());
            RunModal(captions);
        });
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TIntroDesignForm::storeStates()
{
    IntroRecord& intro = m_presentation.Intro;
    intro.IntroBars.TitleShown = TitleBarChkBx->isChecked() ? 1 : 0;
    intro.IntroBars.StatusShown = StatusBarChkBx->isChecked() ? 1 : 0;
    intro.IntroDisplay.FullScreen = VPChkBx->isChecked() ? 0 : 1;
    intro.UseMenuBar = UseMenuChkBx->isChecked() ? 1 : 0;
}

void TIntroDesignForm::openHidden(const std::function<void()>& window)
{
    const HiddenWhileSubWindow hidden(this);
    window();
}

void TIntroDesignForm::done(int result)
{
    if (result == QDialog::Accepted) {
        storeStates();
        m_presentationOut = m_presentation;
    }
    QDialog::done(result);
}

bool DesignIntroductionScreen(PresentationRecord& presentation, const ConfigRecord& config,
                              const QByteArray& rtf, QWidget* parent)
{
    TIntroDesignForm form(presentation, config, rtf, parent);
    return RunModal(form) == QDialog::Accepted;
}
