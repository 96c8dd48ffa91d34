// The HyperText utilities window and its view and delete flows (module BHyperf).
#include "ui/authoring/hypermenuform.h"

#include "core/book/booksource.h"
#include "core/book/unlinkedphrases.h"
#include "core/files/filestore.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/entrydispatch.h"
#include "preview/previewcontext.h"
#include "ui/authoring/hypaddform.h"
#include "ui/common/buttlistform.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Thypermenuform::Thypermenuform(WorkingState& state, QWidget* parent)
    : QDialog(parent), AddBtn(new QPushButton(tr("&Add/Edit a HyperText Link"))),
      viewbtn(new QPushButton(tr("&View a HyperText Link"))),
      deleteBtn(new QPushButton(tr("&Delete a HyperText Link"))),
      CloseBtn(new QPushButton(tr("&Close"), this)), UnlinkedLbl(new QLabel(this)), m_state(state)
{
    setObjectName(QStringLiteral("Thypermenuform"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 250);
    PaintBackground(this, kTeal, Qt::white);
    auto* group = new QGroupBox(tr(" HyperLink Data "), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (QPushButton* button : {AddBtn, viewbtn, deleteBtn})
        groupLayout->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    UnlinkedLbl->setWordWrap(true);
    UnlinkedLbl->setMaximumWidth(360);
    UnlinkedLbl->setTextFormat(Qt::PlainText);
    layout->addWidget(UnlinkedLbl);
    layout->addWidget(CloseBtn, 0, Qt::AlignRight);
    connect(AddBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { AddBtnClick(); }); });
    connect(viewbtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { viewbtnClick(); }); });
    connect(deleteBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { deleteBtnClick(); }); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    enableButtons();
}

void Thypermenuform::enableButtons()
{
    const bool links = filestore::exists(m_state.HyperTextFile);
    viewbtn->setEnabled(links);
    deleteBtn->setEnabled(links);
    ReportErrors([this] {
        UnlinkedLbl->setText(UnlinkedPhrasesMessage(UnlinkedPhrases(m_state)));
        UnlinkedLbl->setVisible(!UnlinkedLbl->text().isEmpty());
    });
}

void Thypermenuform::AddBtnClick()
{
    {
        const HiddenWhileSubWindow hidden(this);
        QStringList entries;
        LoadMenuEntries(m_state, entries);
        const int index =
            ChooseEntry(entries, 0, 255, QStringLiteral("Select a Chapter with HyperText"), this);
        if (index >= 0) {
            ReadChapter(m_state, index);
            Thypaddform viewer(m_state.CurrentChapter.ChapterFile.text(), this);
            RunModal(viewer);
        }
    }
    enableButtons();
}

void Thypermenuform::viewbtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    ViewEntries(m_state, kHyperSource, 257, this);
}

void Thypermenuform::deleteBtnClick()
{
    {
        const HiddenWhileSubWindow hidden(this);
        DeleteEntries(m_state.HyperTextFile, kHyperSource, 258);
    }
    enableButtons();
}

void ViewEntries(WorkingState& state, const QString& source, int helpContext, QWidget* parent)
{
    const QString& file = state.HyperTextFile;
    const QString name =
        SelectEntry(file, source, QStringLiteral("Select an Entry to view"), helpContext);
    if (name.isEmpty())
        return;
    QStringList lines;
    if (!ReadEntry(file, name, source, lines))
        return;
    // Shown exactly as the reader would see it.
    ShowEntry(lines, parent);
}

void DeleteEntries(const QString& file, const QString& source, int helpContext)
{
    const QString name =
        SelectEntry(file, source, QStringLiteral("Select an Entry to delete"), helpContext);
    if (name.isEmpty())
        return;
    if (ConfirmDiscard(QStringLiteral("The \"") + name +
                       QStringLiteral("\" entry will be deleted.\n\rContinue?")))
        DeleteEntry(file, name, source);
}

void OpenHyperTextUtilities(WorkingState& state, QWidget* parent)
{
    Thypermenuform form(state, parent);
    RunModal(form);
}
