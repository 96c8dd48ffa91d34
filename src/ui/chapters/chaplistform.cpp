// The chapter list window (module ChppickF).
#include "ui/chapters/chaplistform.h"

#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/modal.h"
#include "ui/chapters/chapmodform.h"
#include "ui/chapters/chapterhooks.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TChapListForm::TChapListForm(WorkingState& state, QWidget* parent)
    : QDialog(parent), ListBox1(new QListWidget(this)),
      OKBitBtn(new QPushButton(tr("&Modify"), this)), BitBtn1(new QPushButton(tr("&View"), this)),
      CancelBitBtn(new QPushButton(tr("&Close"), this)), m_state(state)
{
    setObjectName(QStringLiteral("TChapListForm"));
    setWindowTitle(tr("Highlight a Chapter to View or Modify"));
    SetHelpContext(this, 171);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(CancelBitBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(320, 300);
    connect(OKBitBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { OKBitBtnClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { BitBtn1Click(); }); });
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    loadEntries();
    ListBox1->setCurrentRow(0);
}

void TChapListForm::loadEntries()
{
    QStringList entries;
    LoadMenuEntries(m_state, entries);
    ListBox1->clear();
    ListBox1->addItems(entries);
}

void TChapListForm::OKBitBtnClick()
{
    const int index = ListBox1->currentRow();
    if (index < 0 || ListBox1->selectedItems().isEmpty())
        return;
    ReadChapter(m_state, index);
    TChapModForm modify(m_state, index, this);
    RunModal(modify);
    loadEntries();
    ListBox1->setCurrentRow(std::min(index, ListBox1->count() - 1));
    ListBox1->setFocus();
}

void TChapListForm::BitBtn1Click()
{
    const int index = ListBox1->currentRow();
    if (index < 0 || ListBox1->selectedItems().isEmpty())
        return;
    ReadChapter(m_state, index);
    ReadDisplayFile(m_state, m_state.CurrentChapter.DisplayFile.text());
    ChapterWindowsSlot::get().showChapter(this, m_state.CurrentChapter.ChapterFile.text(),
                                          m_state.CurrentDisplay, m_state.Project);
}
