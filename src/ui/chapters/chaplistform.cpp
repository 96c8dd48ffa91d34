// The chapter list window (module ChppickF).
#include "ui/chapters/chaplistform.h"

#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/modal.h"
#include "ui/chapters/chapmodform.h"
#include "ui/chapters/chapterhooks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kWordsRole = Qt::UserRole + 1;

// Each line: the menu entry, and its chapter's words at the right once they are counted.
class WordsDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QVariant words = index.data(kWordsRole);
        if (!words.isValid())
            return;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                          QLocale().toString(words.toLongLong()));
        painter->restore();
    }
};

} // namespace

TChapListForm::TChapListForm(WorkingState& state, QWidget* parent)
    : QDialog(parent), ListBox1(new QListWidget(this)),
      OKBitBtn(new QPushButton(tr("&Modify"), this)), BitBtn1(new QPushButton(tr("&View"), this)),
      CancelBitBtn(new QPushButton(tr("&Close"), this)), TotalLbl(new QLabel(this)), m_state(state),
      m_counting(new QTimer(this))
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
    layout->addWidget(TotalLbl);
    layout->addLayout(buttons);
    TotalLbl->setWordWrap(true);
    ListBox1->setItemDelegate(new WordsDelegate(ListBox1));
    connect(m_counting, &QTimer::timeout, this, &TChapListForm::countNext);
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
    TRecList chapters;
    LoadChapterRecords(m_state, chapters);
    ListBox1->clear();
    m_files.clear();
    for (qsizetype i = 0; i < chapters.Count(); ++i) {
        const ChapterRecord& chapter = chapters.at<ChapterRecord>(i);
        ListBox1->addItem(chapter.MenuEntry.text());
        m_files << chapter.ChapterFile.text();
    }
    m_nextCount = 0;
    m_total = {};
    TotalLbl->setText(tr("Counting the words..."));
    m_counting->start(0);
}

bool TChapListForm::counted() const
{
    return m_nextCount >= m_files.size();
}

void TChapListForm::countNext()
{
    if (!counted()) {
        const TextCount count = CountChapterFile(m_files.at(m_nextCount));
        QListWidgetItem* item = ListBox1->item(m_nextCount);
        item->setData(kWordsRole, qlonglong(count.words));
        item->setToolTip(CountSummary(count));
        m_total += count;
        ++m_nextCount;
    }
    // The book's total shows as soon as the last chapter is counted.
    if (counted()) {
        m_counting->stop();
        const int minutes = ReadingMinutes(m_total);
        TotalLbl->setText(tr("The book: %1, about %2 %3 of reading")
                              .arg(CountSummary(m_total), QLocale().toString(minutes),
                                   minutes == 1 ? tr("minute") : tr("minutes")));
    }
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
