// The book's presentation window (module bmcustf).
#include "ui/design/custmenuform.h"

#include "platform/f1help.h"
#include "platform/modal.h"
#include "ui/design/booktextform.h"
#include "ui/design/configbook.h"
#include "ui/design/menudesignform.h"

#include <QPushButton>
#include <QVBoxLayout>

TCustMenuform::TCustMenuform(WorkingState& state, QWidget* parent)
    : QDialog(parent), ChapterBtn(new QPushButton(tr("Design Chapter &Presentation"), this)),
      ContentsBtn(new QPushButton(tr("Design &Table of Contents"), this)),
      TextBtn(new QPushButton(tr("Customize &E-Book Text"), this)),
      CloseBtn(new QPushButton(tr("&Close"), this)), m_state(state)
{
    setObjectName(QStringLiteral("TCustMenuform"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 205);

    connect(ChapterBtn, &QPushButton::clicked, this, [this] {
        TConfigBook bars(m_state, parentWidget());
        openHidden(bars);
    });
    connect(ContentsBtn, &QPushButton::clicked, this, [this] {
        TMenuDesignForm contents(m_state, parentWidget());
        openHidden(contents);
    });
    connect(TextBtn, &QPushButton::clicked, this, [this] {
        TBookTextForm captions(m_state, parentWidget());
        openHidden(captions);
    });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {ChapterBtn, ContentsBtn, TextBtn, CloseBtn}) {
        button->setMinimumHeight(32);
        layout->addWidget(button);
    }
    setMinimumWidth(300);
}

void TCustMenuform::openHidden(QDialog& window)
{
    const HiddenWhileSubWindow hidden(this);
    RunModal(window);
}

void CustomizeBook(WorkingState& state, QWidget* parent)
{
    TCustMenuform form(state, parent);
    RunModal(form);
}
