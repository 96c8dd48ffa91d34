// The distribution window and action (module bkDistf).
#include "ui/publish/distribform.h"

#include "core/epub/accessibilityclaim.h"
#include "core/epub/epubexport.h"
#include "core/services/messages.h"
#include "core/web/webedition.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/publish/readersystemform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

TDistribForm::TDistribForm(const QString& projectDir, const QString& startFolder, QWidget* parent)
    : QDialog(parent), DriveLbl(new QLabel(tr("Select  Drive :"), this)),
      DriveComboBox1(new DriveComboBox(this)),
      DirectoryLbl(new QLabel(tr("Create or Select a Distribution Directory "), this)),
      Edit1(new QLineEdit(this)), DirectoryListBox1(new DirectoryListBox(this)),
      SystemLbl(new QLabel(tr("The book's &readers use:"), this)),
      SystemBox(new ReaderSystemBox(this)),
      ReaderLibrariesBox(new QCheckBox(
          tr(" Include the reader libraries (runs where Qt is not installed)"), this)),
      AccessibilityBox(new QCheckBox(tr("I have checked this book's &accessibility"), this)),
      CheckedByLbl(new QLabel(tr("Checked &by:"), this)), CheckedByEdit(new QLineEdit(this)),
      EpubBtn(new QPushButton(tr("Create &EPUB"), this)),
      WebBtn(new QPushButton(tr("Create &Web Book"), this)),
      BitBtn1(new QPushButton(tr("&OK"), this)), BitBtn2(new QPushButton(tr("&Cancel"), this)),
      m_projectDir(projectDir)
{
    setObjectName(QStringLiteral("TDistribForm"));
    setWindowTitle(tr("Press F1 for Help"));
    setToolTip(tr(" Press F1 for Help"));
    SetHelpContext(this, 290);
    SetHelpContext(WebBtn, 295);
    auto* drive = new QHBoxLayout;
    drive->addWidget(DriveLbl);
    drive->addWidget(DriveComboBox1, 1);
    auto* buttons = ButtonRow({EpubBtn, WebBtn}, {BitBtn1, BitBtn2});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(drive);
    layout->addWidget(DirectoryLbl);
    layout->addWidget(Edit1);
    layout->addWidget(DirectoryListBox1, 1);
    auto* system = new QHBoxLayout;
    system->addWidget(SystemLbl);
    system->addWidget(SystemBox, 1);
    layout->addLayout(system);
    layout->addWidget(ReaderLibrariesBox);
    layout->addWidget(AccessibilityBox);
    // The name certified, on a line of its own under the box, wide enough for a name.
    auto* checked = new QHBoxLayout;
    checked->addSpacing(20);
    checked->addWidget(CheckedByLbl);
    checked->addWidget(CheckedByEdit, 1);
    layout->addLayout(checked);
    layout->addLayout(buttons);
    resize(380, 370);

    DriveComboBox1->setDirList(DirectoryListBox1);
    const bool listed = !startFolder.isEmpty() && QDir(startFolder).exists();
    DirectoryListBox1->setDirectory(listed ? startFolder : QDir::currentPath());
    DriveComboBox1->selectDriveOf(DirectoryListBox1->directory());
    DirectoryListBox1->bindFolderEdit(Edit1);
    if (!startFolder.isEmpty())
        Edit1->setText(startFolder);
    SystemLbl->setBuddy(SystemBox);
    SystemBox->setSystem(ReaderSystem::Linux);
    // The reader libraries serve the Linux runtime only.
    connect(SystemBox, &QComboBox::currentIndexChanged, this, [this] {
        ReaderLibrariesBox->setEnabled(SystemBox->system() != ReaderSystem::Windows);
    });
    CheckedByLbl->setBuddy(CheckedByEdit);
    CheckedByEdit->setMaxLength(200);
    CheckedByEdit->setEnabled(false);
    connect(AccessibilityBox, &QCheckBox::toggled, CheckedByEdit, &QWidget::setEnabled);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDistribForm::folder() const
{
    QString text = Edit1->text();
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return text;
}

QString TDistribForm::editionFolder() const
{
    const QString typed = Edit1->text().trimmed();
    return typed.isEmpty() ? m_projectDir : typed;
}

void TDistribForm::setAccessibilityCheckedBy(const std::optional<QString>& name,
                                             const QString& defaultName)
{
    AccessibilityBox->setChecked(name.has_value());
    CheckedByEdit->setText(name && !name->isEmpty() ? *name : defaultName);
}

std::optional<QString> TDistribForm::accessibilityCheckedBy() const
{
    if (!AccessibilityBox->isChecked())
        return std::nullopt;
    return CheckedByEdit->text().simplified();
}

ReaderLibraries TDistribForm::readerLibraries() const
{
    return ReaderLibrariesBox->isChecked() ? ReaderLibraries::Include : ReaderLibraries::Leave;
}

void TDistribForm::done(int result)
{
    if (result == QDialog::Accepted && IsProjectDirectory(Edit1->text(), m_projectDir)) {
        ShowError(kProjectDirectoryRefused);
        Edit1->setFocus();
        return;
    }
    QDialog::done(result);
}

namespace {

// The last distribution folder of each project (by its project file) while the tool runs.
QString& lastFolder(const WorkingState& state)
{
    static QHash<QString, QString> folders;
    return folders[QDir::cleanPath(state.ProjectDir + state.ProjectFile)];
}

} // namespace

void PrepareDistribution(WorkingState& state, QWidget* parent)
{
    TDistribForm form(state.ProjectDir, lastFolder(state), parent);
    const ReaderSystem stored = BookReaders(state.HyperTextFile);
    form.SystemBox->setSystem(stored);
    form.setAccessibilityCheckedBy(AccessibilityCheckedBy(state.HyperTextFile),
                                   state.Project.Presentation.About.AuthorText.text().trimmed());
    QObject::connect(form.EpubBtn, &QPushButton::clicked, &form, [&state, &form] {
        bool stored = true;
        if (form.accessibilityCheckedBy() != AccessibilityCheckedBy(state.HyperTextFile)) {
            stored = false;
            ReportErrors([&] {
                WriteAccessibilityCheckedBy(state.HyperTextFile, form.accessibilityCheckedBy());
                stored = true;
            });
        }
        if (stored && CreateEpub(state, form.editionFolder()))
            lastFolder(state) = form.Edit1->text();
    });
    QObject::connect(form.WebBtn, &QPushButton::clicked, &form, [&state, &form] {
        if (CreateWebBook(state, form.editionFolder()))
            lastFolder(state) = form.Edit1->text();
    });
    if (RunModal(form) != QDialog::Accepted)
        return;
    lastFolder(state) = form.Edit1->text();
    const auto include = [](const QString& program) {
        for (;;) {
            const MessageAnswer answer =
                AskYesNoHelp(QStringLiteral("Do you want to include the executable program ") +
                             program + QStringLiteral(". See Help for information"));
            if (answer != MessageAnswer::Help)
                return answer == MessageAnswer::Yes;
            ShowHelp(440);
        }
    };
    const ReaderSystem readers = form.SystemBox->system();
    if (readers != stored)
        WriteBookReaders(state.HyperTextFile, readers);
    CopyDistribution(state, form.folder(), include, form.readerLibraries(), readers);
}

namespace {

// Writes an edition named `name` into `folder` (made when missing; a folder typed without a
// root is taken in the project folder) with `write`, then says `done` of it, with what the
// edition could not carry over.
template <class Write>
bool createEdition(WorkingState& state, const QString& folder, const QString& name, Write write,
                   const QString& done)
{
    bool written = false;
    ReportErrors([&] {
        const QString target =
            QDir(QDir(state.ProjectDir).absoluteFilePath(folder)).absoluteFilePath(name);
        if (!QDir().mkpath(QFileInfo(target).path())) {
            ShowError(QStringLiteral("Unable to create the directory"));
            return;
        }
        QStringList notCarried;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        {
            const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            written = write(state, target, &notCarried);
        }
        if (!written)
            return;
        QString text = done.arg(target);
        if (!notCarried.isEmpty())
            text += QStringLiteral("\n\n") + notCarried.join(QLatin1Char('\n'));
        ShowPlain(text);
    });
    return written;
}

} // namespace

bool CreateEpub(WorkingState& state, const QString& folder)
{
    return createEdition(state, folder, EpubName(state), ExportEpub,
                         QStringLiteral("The EPUB E-Book %1 has been created."));
}

bool CreateWebBook(WorkingState& state, const QString& folder)
{
    return createEdition(state, folder, WebEditionName(state), ExportWebEdition,
                         QStringLiteral("The web edition %1 has been created: open its index.html "
                                        "in a browser, or put the folder on a web site."));
}
