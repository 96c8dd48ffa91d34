// The caption windows' shared frame.
#include "ui/design/captionsform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/typinglimit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCaptionsForm::TCaptionsForm(const CaptionsRecord& captions, int helpContext, QWidget* parent)
    : QDialog(parent), DefaultsBtn(new QPushButton(tr("&Defaults"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_captions(captions), m_grid(nullptr), m_group(new QGroupBox(tr(" Menu Buttons "), this))
{
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    m_grid = new QGridLayout(m_group);
    OKBtn->setDefault(true);
    connect(DefaultsBtn, &QPushButton::clicked, this, [this] {
        m_captions = DefaultCaptions();
        fill();
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TCaptionsForm::addCaption(const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(m_group);
    LimitTyping(edit, maxLength);
    auto* name = new QLabel(label, m_group);
    name->setBuddy(edit);
    const int row = m_grid->rowCount();
    m_grid->addWidget(name, row, 0);
    m_grid->addWidget(edit, row, 1);
    return edit;
}

void TCaptionsForm::finishLayout(QWidget* below)
{
    // A label without a buddy shows its ampersand as it stands.
    m_grid->addWidget(new QLabel(tr("Use & to indicate the Hot Key"), m_group), m_grid->rowCount(),
                      0, 1, 2);
    auto* buttons = ButtonRow({DefaultsBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    if (below)
        layout->addWidget(below);
    layout->addLayout(buttons);
    fill();
}
