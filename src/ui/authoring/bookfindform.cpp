#include "ui/authoring/bookfindform.h"

#include "core/files/runtimeerror.h"
#include "core/sections/booklanguage.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/modal.h"
#include "ui/authoring/chapeditform.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The hit list opens its current hit on Enter, as on a double click (and not as the form's
// default button).
class HitListWidget : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
            emit itemDoubleClicked(currentItem());
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

} // namespace

TBookFindForm::TBookFindForm(WorkingState& state, QWidget* parent)
    : QDialog(parent), FindEdit(new QLineEdit(this)), ReplaceEdit(new QLineEdit(this)),
      CaseBox(new QCheckBox(tr("Match &case"), this)),
      WordBox(new QCheckBox(tr("&Whole word"), this)),
      FindBtn(new QPushButton(tr("&Find All"), this)),
      ReplaceBtn(new QPushButton(tr("Replace &All"), this)),
      CloseBtn(new QPushButton(tr("&Close"), this)), HitList(new HitListWidget(this)),
      CountLbl(new QLabel(this)), m_state(state), m_searching(new QTimer(this))
{
    setObjectName(QStringLiteral("TBookFindForm"));
    setWindowTitle(tr("Find and Replace in the Book"));
    SetHelpContext(this, 265);
    auto* fields = new QFormLayout;
    fields->addRow(tr("Fi&nd what:"), FindEdit);
    fields->addRow(tr("Re&place with:"), ReplaceEdit);
    auto* options = new QHBoxLayout;
    options->addWidget(CaseBox);
    options->addWidget(WordBox);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FindBtn);
    buttons->addWidget(ReplaceBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addWidget(HitList, 1);
    layout->addWidget(CountLbl);
    layout->addLayout(buttons);
    resize(560, 420);
    FindBtn->setDefault(true);
    connect(FindBtn, &QPushButton::clicked, this, &TBookFindForm::find);
    connect(ReplaceBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { replaceAll(); }); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HitList, &QListWidget::itemDoubleClicked, this, [this] { openHit(); });
    connect(m_searching, &QTimer::timeout, this, &TBookFindForm::searchNext);
}

bool TBookFindForm::searched() const
{
    return !m_search || m_search->done();
}

SearchRequest TBookFindForm::request() const
{
    return {FindEdit->text(), CaseBox->isChecked(), WordBox->isChecked()};
}

// The hits of one chapter at a time come in while the window answers.
void TBookFindForm::find()
{
    HitList->clear();
    m_hits.clear();
    if (FindEdit->text().isEmpty()) {
        m_search.reset();
        CountLbl->clear();
        return;
    }
    m_search = std::make_unique<BookSearch>(m_state, request());
    CountLbl->setText(tr("Searching..."));
    m_searching->start(0);
}

void TBookFindForm::searchNext()
{
    if (!m_search || m_search->done()) {
        m_searching->stop();
        showCount();
        return;
    }
    for (const SearchHit& hit : m_search->next()) {
        m_hits << hit;
        const QString where = hit.chapter >= 0 ? hit.place : tr("HyperText \"%1\"").arg(hit.place);
        HitList->addItem(where + QStringLiteral(" \u2014 ") + hit.context);
        if (HitList->count() == 1)
            HitList->setCurrentRow(0);
    }
    if (m_search->done()) {
        m_searching->stop();
        showCount();
    }
}

void TBookFindForm::showCount()
{
    QSet<QString> places;
    for (const SearchHit& hit : std::as_const(m_hits))
        places.insert(hit.chapter >= 0 ? hit.file.toUpper() : QStringLiteral("\n") + hit.place);
    CountLbl->setText(
        m_hits.isEmpty()
            ? tr("\"%1\" is not in the book.").arg(FindEdit->text())
            : tr("%1 found in %2 (chapters and HyperText texts).")
                  .arg(m_hits.size() == 1 ? tr("1 place") : tr("%1 places").arg(m_hits.size()),
                       places.size() == 1 ? tr("1 text") : tr("%1 texts").arg(places.size())));
}

void TBookFindForm::openHit()
{
    const int row = HitList->currentRow();
    if (row < 0 || row >= m_hits.size())
        return;
    const SearchHit& hit = m_hits.at(row);
    if (hit.chapter < 0) {
        ShowInfo(tr("The text of the HyperText entry \"%1\" is changed in the link dialog "
                    "(HyperText Utilities).")
                     .arg(hit.place));
        return;
    }
    OpenChapterEditorAt(this, hit.file, hit.position, hit.length,
                        BookLanguage(m_state.HyperTextFile));
    find(); // the author may have changed the text
}

void TBookFindForm::replaceAll()
{
    const SearchRequest wanted = request();
    if (wanted.text.isEmpty())
        return;
    const ReplacePlan plan = PlanReplaceAll(m_state, wanted, ReplaceEdit->text());
    if (!plan.refusal.isEmpty()) {
        ShowError(plan.refusal);
        return;
    }
    if (plan.places == 0) {
        ShowInfo(tr("\"%1\" is in no chapter.").arg(wanted.text));
        return;
    }
    QString question = tr("Replace %1 of \"%2\" with \"%3\" in %4?")
                           .arg(plan.places == 1 ? tr("1 place") : tr("%1 places").arg(plan.places),
                                wanted.text, ReplaceEdit->text(),
                                plan.files.size() == 1 ? tr("1 chapter")
                                                       : tr("%1 chapters").arg(plan.files.size()));
    constexpr qsizetype kMovesNamed = 5;
    for (const PhraseMove& move : plan.moves.first(std::min(plan.moves.size(), kMovesNamed)))
        question += tr("\nThe link of \"%1\" goes to \"%2\".").arg(move.from, move.to);
    if (plan.moves.size() > kMovesNamed)
        question += tr("\nThe links of %1 more phrases go to their new text.")
                        .arg(plan.moves.size() - kMovesNamed);
    if (!Confirm(question))
        return;
    const QStringList written = ReplaceAll(m_state, wanted, ReplaceEdit->text());
    ShowInfo(tr("%1 changed: %2.")
                 .arg(written.size() == 1 ? tr("1 chapter") : tr("%1 chapters").arg(written.size()),
                      written.join(QStringLiteral(", "))));
    find();
}

void OpenBookFind(WorkingState& state, QWidget* parent)
{
    TBookFindForm form(state, parent);
    RunModal(form);
}
