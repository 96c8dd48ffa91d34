// The entry chooser (module Lnkmenuf).
#include "ui/common/buttlistform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/common/getinputtextform.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TButtListForm::TButtListForm(const QStringList& lines, int selected, int helpContext,
                             const QString& caption, QWidget* parent)
    : QDialog(parent), ListBox1(new QListWidget), BitBtn1(new QPushButton(tr("&Find"))),
      OKBitBtn(new QPushButton(tr("&Select"))), CancelBitBtn(new QPushButton(tr("&Close"))),
      m_lines(lines)
{
    setObjectName(QStringLiteral("TButtListForm"));
    setWindowTitle(caption);
    SetHelpContext(this, helpContext);
    setToolTip(tr(" Press F1 for Help"));
    PaintBackground(this, kTeal);
    QFont boldFont(QStringLiteral("MS Sans Serif"), 8, QFont::Bold);
    setFont(boldFont);

    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(ListBox1);
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette white = ListBox1->palette();
    white.setColor(QPalette::Base, Qt::white);
    ListBox1->setPalette(white);
    ListBox1->addItems(lines);
    if (selected >= 0 && selected < lines.size())
        ListBox1->setCurrentRow(selected);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(CancelBitBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    setFixedSize(272, 211);

    OKBitBtn->setDefault(true);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        ListBox1->setCurrentItem(item);
        accept();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TButtListForm::BitBtn1Click);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int TButtListForm::chosenIndex() const
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TButtListForm::BitBtn1Click()
{
    FindInList(ListBox1, m_lines, m_search, OKBitBtn);
}

int ChooseEntry(const QStringList& lines, int selected, int helpContext, const QString& caption,
                QWidget* parent)
{
    TButtListForm form(lines, selected, helpContext, caption, parent);
    if (RunModal(form) != QDialog::Accepted)
        return -1;
    return form.chosenIndex();
}
