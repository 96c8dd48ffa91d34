// The tool's own shows and programs.
#include "preview/mediaactions.h"

#include "core/services/messages.h"
#include "preview/programrunner.h"
#include "preview/showmultform.h"

#include <QDir>

void BookMediaActions::showCommand(QWidget* parent, const QString& caption, const QString& value)
{
    ShowCommand(caption, value, m_mediaPrompt, parent);
}

void BookMediaActions::runProgram(QWidget*, HyperTextType mode, const QString& value)
{
    const QString projectDir = QDir::currentPath() + QLatin1Char('/');
    const std::optional<ProgramCommand> command = FindProgramCommand(mode, value, projectDir);
    if (!command)
        return;
    const QStringList exact = QStringList{command->program} + command->arguments;
    if (!m_allowed.contains(exact)) {
        if (!Confirm(ProgramQuestion(*command)))
            return;
        m_allowed.insert(exact);
    }
    RunProgramCommand(*command, projectDir);
}
