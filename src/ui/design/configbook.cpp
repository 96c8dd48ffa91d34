// The chapter screens' bars window (module bcustcnf).
#include "ui/design/configbook.h"

#include "core/project/projectfiles.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TConfigBook::TConfigBook(WorkingState& state, QWidget* parent)
    : QDialog(parent), CheckBox1(new QCheckBox(tr(" Use Title Bar"))),
      titleBtn(new QPushButton(tr("Design Title Bar"))),
      CheckBox2(new QCheckBox(tr(" Use Status Bar"))),
      statusbtn(new QPushButton(tr("Design Status Bar"))),
      OKBtn(new QPushButton(tr("&Save"), this)), CancelBtn(new QPushButton(tr("Cancel"), this)),
      m_state(state), m_bars(state.Project.ChapterBars)
{
    setObjectName(QStringLiteral("TConfigBook"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 210);
    CheckBox1->setChecked(m_bars.TitleShown != 0);
    CheckBox2->setChecked(m_bars.StatusShown != 0);
    titleBtn->setEnabled(CheckBox1->isChecked());
    statusbtn->setEnabled(CheckBox2->isChecked());

    connect(CheckBox1, &QCheckBox::toggled, titleBtn, &QWidget::setEnabled);
    connect(CheckBox2, &QCheckBox::toggled, statusbtn, &QWidget::setEnabled);
    connect(titleBtn, &QPushButton::clicked, this, [this] { designBar(Bar::Title, 211); });
    connect(statusbtn, &QPushButton::clicked, this, [this] { designBar(Bar::Status, 212); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* group = new QGroupBox(tr(" Chapter Presentation Screen "), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(CheckBox1, 0, 0);
    grid->addWidget(titleBtn, 0, 1);
    grid->addWidget(CheckBox2, 1, 0);
    grid->addWidget(statusbtn, 1, 1);
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TConfigBook::designBar(Bar bar, int helpContext)
{
    const HiddenWhileSubWindow hidden(this);
    EditBarText(m_bars, bar, helpContext, parentWidget());
}

void TConfigBook::done(int result)
{
    if (result == QDialog::Accepted) {
        m_bars.TitleShown = CheckBox1->isChecked() ? 1 : 0;
        m_bars.StatusShown = CheckBox2->isChecked() ? 1 : 0;
        if (!SaveProjectChange(m_state,
                               [this](ProjectRecord& project) { project.ChapterBars = m_bars; }))
            return;
    }
    QDialog::done(result);
}
