// The find dialog of the entry chooser and the chapter order window (module fmnulnkf).
#include "ui/common/getinputtextform.h"

#include "core/sections/entrysearch.h"
#include "platform/modal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TGetInputTextForm::TGetInputTextForm(const QString& text, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(tr("Entry to Find :"), this)),
      Edit1(new QLineEdit(text, this)), FindFirstBtn(new QPushButton(tr("Find First"), this)),
      FindNextBtn(new QPushButton(tr("Find Next"), this)),
      CancelBtn(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TGetInputTextForm"));
    setWindowTitle(tr("Find"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FindFirstBtn);
    buttons->addWidget(FindNextBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    setFixedSize(283, 100);
    FindNextBtn->setDefault(true);
    Edit1->selectAll();

    connect(FindFirstBtn, &QPushButton::clicked, this, [this] { done(FindFirst); });
    connect(FindNextBtn, &QPushButton::clicked, this, [this] { done(FindNext); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void FindInList(QListWidget* list, const QStringList& lines, EntrySearch& search,
                QWidget* focusAfter)
{
    QString text = search.lastText();
    const int how = AskFindText(text, list->window());
    const int match = how == TGetInputTextForm::Cancelled
                          ? -1
                          : search.find(lines, text, how == TGetInputTextForm::FindFirst);
    if (!lines.isEmpty())
        list->setCurrentRow(match >= 0 ? match : 0);
    focusAfter->setFocus();
}

int AskFindText(QString& text, QWidget* parent)
{
    TGetInputTextForm form(text, parent);
    const int result = RunModal(form);
    if (result == TGetInputTextForm::FindFirst || result == TGetInputTextForm::FindNext) {
        text = form.Edit1->text();
        return result;
    }
    return TGetInputTextForm::Cancelled;
}
