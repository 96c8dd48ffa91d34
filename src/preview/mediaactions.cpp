// The tool's own shows and programs.
#include "preview/mediaactions.h"

#include "preview/hmltmedf.h"
#include "preview/programrunner.h"

#include <QDir>

void BookMediaActions::showCommand(QWidget* parent, const QString& caption, const QString& value)
{
    ShowCommand(caption, value, m_mediaPrompt, parent);
}

void BookMediaActions::runProgram(QWidget*, HyperTextType mode, const QString& value)
{
    RunProgram(mode, value, QDir::currentPath() + QLatin1Char('/'));
}
