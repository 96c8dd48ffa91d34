// The chapter-order window (module Breorder).
#include "ui/chapters/hypreorgfm.h"

#include "core/project/chapters.h"
#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "ui/common/getinputtextform.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

THypReorgFm::THypReorgFm(WorkingState& state, QWidget* parent)
    : QDialog(parent), ToMoveRBtn(new QRadioButton(tr("Move this Chapter"), this)),
      MovetoRbtn(new QRadioButton(tr("Before this Chapter"), this)), ListBox1(new QListWidget),
      Find1Btn(new QPushButton(tr("Find"))), OK1Btn(new QPushButton(tr("Select"))),
      ListBox2(new QListWidget), Find2Btn(new QPushButton(tr("Find"))),
      OK2Btn(new QPushButton(tr("Select"))), Edit1(new QLineEdit(this)), Edit2(new QLineEdit(this)),
      SortBitBtn(new QPushButton(tr("Move"), this)),
      CancelBitBtn(new QPushButton(tr("&Close"), this)), m_state(state)
{
    setObjectName(QStringLiteral("THypReorgFm"));
    setWindowTitle(tr("Re-Arrange Chapter  Entries"));
    SetHelpContext(this, 245);
    List1Pnl = buildListPanel(ListBox1, Find1Btn, OK1Btn);
    List2Pnl = buildListPanel(ListBox2, Find2Btn, OK2Btn);
    Edit1->setReadOnly(true);
    Edit2->setReadOnly(true);

    auto* radios = new QHBoxLayout;
    radios->addWidget(ToMoveRBtn);
    radios->addWidget(MovetoRbtn);
    auto* edits = new QGridLayout;
    edits->addWidget(new QLabel(tr("Move this Chapter"), this), 0, 0);
    edits->addWidget(Edit1, 0, 1);
    edits->addWidget(new QLabel(tr("Before this Chapter"), this), 1, 0);
    edits->addWidget(Edit2, 1, 1);
    auto* buttons = ButtonRow({}, {SortBitBtn, CancelBitBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(radios);
    layout->addWidget(List1Pnl, 1);
    layout->addWidget(List2Pnl, 1);
    layout->addLayout(edits);
    layout->addLayout(buttons);
    resize(380, 400);

    connect(ToMoveRBtn, &QRadioButton::toggled, this, [this](bool on) {
        List1Pnl->setVisible(on);
        List2Pnl->setVisible(!on);
        updateMoveButton();
    });
    connect(OK1Btn, &QPushButton::clicked, this, [this] { choose(ListBox1, Edit1); });
    connect(OK2Btn, &QPushButton::clicked, this, [this] { choose(ListBox2, Edit2); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { choose(ListBox1, Edit1); });
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, [this] { choose(ListBox2, Edit2); });
    connect(Find1Btn, &QPushButton::clicked, this, &THypReorgFm::Find1BtnClick);
    connect(Find2Btn, &QPushButton::clicked, this, &THypReorgFm::Find2BtnClick);
    connect(SortBitBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { SortBitBtnClick(); }); });
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    reset();
}

QFrame* THypReorgFm::buildListPanel(QListWidget* list, QPushButton* find, QPushButton* select)
{
    auto* panel = new QFrame(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find);
    buttons->addWidget(select);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    layout->addLayout(buttons);
    return panel;
}

void THypReorgFm::reset()
{
    m_entries.clear();
    LoadMenuEntries(m_state, m_entries);
    for (QListWidget* list : {ListBox1, ListBox2}) {
        list->clear();
        list->addItems(m_entries);
        list->setCurrentRow(0);
    }
    // A chapter can also go to the end: "before" the place after the last chapter.
    if (!m_entries.isEmpty())
        ListBox2->addItem(tr("(the end of the list)"));
    Edit1->clear();
    Edit2->clear();
    m_moveRow = m_beforeRow = -1;
    ToMoveRBtn->setChecked(true);
    List1Pnl->setVisible(true);
    List2Pnl->setVisible(false);
    SortBitBtn->setVisible(false);
}

void THypReorgFm::choose(QListWidget* list, QLineEdit* edit)
{
    if (!list->currentItem())
        return;
    edit->setText(list->currentItem()->text());
    (list == ListBox1 ? m_moveRow : m_beforeRow) = list->currentRow();
    updateMoveButton();
}

void THypReorgFm::updateMoveButton()
{
    SortBitBtn->setVisible(!Edit1->text().isEmpty() && !Edit2->text().isEmpty());
}

void THypReorgFm::findIn(QListWidget* list, EntrySearch& search, QPushButton* select)
{
    FindInList(list, m_entries, search, select);
}

void THypReorgFm::Find1BtnClick()
{
    findIn(ListBox1, m_search1, OK1Btn);
}

void THypReorgFm::Find2BtnClick()
{
    findIn(ListBox2, m_search2, OK2Btn);
}

void THypReorgFm::SortBitBtnClick()
{
    MoveChapter(m_state, m_moveRow, m_beforeRow);
    reset();
}
