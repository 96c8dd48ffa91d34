// The Create Executable action.
#include "ui/publish/buildandoffertest.h"

#include "core/book/executable.h"
#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "preview/programrunner.h"

#include <QDir>

void BuildAndOfferTest(WorkingState& state)
{
    if (!MakeExecutable(state))
        return;
    const QString executable = ExecutableName(state);
    if (Confirm(QStringLiteral("The Executable E-Book ") + executable +
                QStringLiteral(" has been created.") +
                QStringLiteral("\n\r\n\rDo you want to test it now?")))
        RunProgram(HyperTextType::ExecutableProgram, executable,
                   QDir::currentPath() + QLatin1Char('/'));
}
