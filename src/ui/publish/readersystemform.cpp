// The readers' system choice and Create Executable's window.
#include "ui/publish/readersystemform.h"

#include "core/book/executable.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/publish/buildandoffertest.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr ReaderSystem kSystems[] = {ReaderSystem::Windows, ReaderSystem::Linux,
                                     ReaderSystem::Both};

} // namespace

ReaderSystemBox::ReaderSystemBox(QWidget* parent) : QComboBox(parent)
{
    for (const ReaderSystem system : kSystems)
        addItem(ReaderSystemTitle(system), int(system));
}

ReaderSystem ReaderSystemBox::system() const
{
    return ReaderSystem(currentData().toInt());
}

void ReaderSystemBox::setSystem(ReaderSystem system)
{
    setCurrentIndex(findData(int(system)));
}

QString ExecutablesText(const WorkingState& state, ReaderSystem readers)
{
    const QList<BookExecutable> executables = BookExecutables(state, readers);
    QStringList parts;
    for (const BookExecutable& executable : executables)
        parts << QStringLiteral("%1 for %2 readers")
                     .arg(executable.name, ReaderSystemTitle(executable.system));
    return QStringLiteral("Makes %1.").arg(parts.join(QStringLiteral(" and ")));
}

TReaderSystemForm::TReaderSystemForm(const WorkingState& state, QWidget* parent)
    : QDialog(parent), SystemLbl(new QLabel(tr("The book's &readers use:"), this)),
      SystemBox(new ReaderSystemBox(this)), FilesLbl(new QLabel(this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(QStringLiteral("TReaderSystemForm"));
    setWindowTitle(tr("Create Executable"));
    SetHelpContext(this, 280);
    SystemLbl->setBuddy(SystemBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SystemLbl);
    layout->addWidget(SystemBox);
    layout->addWidget(FilesLbl);
    layout->addLayout(ButtonRow({}, {OKBtn, CancelBtn}));
    SystemBox->setSystem(BookReaders(state.HyperTextFile));
    const auto showFiles = [this, &state] {
        FilesLbl->setText(ExecutablesText(state, SystemBox->system()));
    };
    showFiles();
    connect(SystemBox, &QComboBox::currentIndexChanged, this, showFiles);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void CreateExecutable(WorkingState& state, QWidget* parent)
{
    TReaderSystemForm form(state, parent);
    if (RunModal(form) != QDialog::Accepted)
        return;
    if (form.system() != BookReaders(state.HyperTextFile))
        WriteBookReaders(state.HyperTextFile, form.system());
    BuildAndOfferTest(state);
}
