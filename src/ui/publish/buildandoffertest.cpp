// The build and its test.
#include "ui/publish/buildandoffertest.h"

#include "core/book/executable.h"
#include "core/services/messages.h"
#include "preview/programrunner.h"

#include <QDir>
#include <QStandardPaths>

namespace {

void runHere(const QString& program, const QStringList& arguments)
{
    RunProgramCommand(ProgramCommand{program, arguments}, QDir::currentPath() + QLatin1Char('/'));
}

// A Windows book runs here under Wine; where Wine is not installed, the author is told how to
// test it.
void offerWindowsTest(const QString& executable)
{
    const QString created = QStringLiteral("The Executable E-Book ") + executable +
                            QStringLiteral(" for Windows readers has been created.");
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        ShowInfo(created + QStringLiteral("\n\r\n\rTo test it here, install Wine (the Debian "
                                          "package wine), or open it on a Windows computer."));
        return;
    }
    if (Confirm(created + QStringLiteral("\n\r\n\rDo you want to test it now under Wine?")))
        runHere(wine, {QDir::current().absoluteFilePath(executable)});
}

} // namespace

void BuildAndOfferTest(WorkingState& state)
{
    if (!MakeExecutable(state))
        return;
    const QList<BookExecutable> executables =
        BookExecutables(state, BookReaders(state.HyperTextFile));
    if (executables.size() == 1 && executables.first().system == ReaderSystem::Windows) {
        offerWindowsTest(executables.first().name);
        return;
    }
    // A Linux book, or both: the Linux one is tested here.
    const QString linux = executables.last().name;
    const QString created =
        executables.size() == 1
            ? QStringLiteral("The Executable E-Book ") + linux +
                  QStringLiteral(" has been created.")
            : QStringLiteral("The Executable E-Books %1 for Windows readers and %2 for Linux "
                             "readers have been created.")
                  .arg(executables.first().name, linux);
    const QString question = executables.size() == 1
                                 ? QStringLiteral("Do you want to test it now?")
                                 : QStringLiteral("Do you want to test %1 now?").arg(linux);
    if (Confirm(created + QStringLiteral("\n\r\n\r") + question))
        RunProgram(HyperTextType::ExecutableProgram, linux, QDir::currentPath() + QLatin1Char('/'));
}
