// Consent for programs.
#include "reader/consent.h"

#include "core/pictures/commandvalue.h"
#include "core/services/messages.h"

#include <QDir>

void ConsentingMediaActions::runProgram(QWidget* parent, HyperTextType mode, const QString& value)
{
    const QStringList words = ProgramArguments(mode, value, QDir::currentPath() + QLatin1Char('/'));
    if (words.isEmpty())
        return;
    const QString& program = words.first();
    if (!m_allowed.contains(program)) {
        if (!Confirm(QStringLiteral("This e-book wants to start the program ") + program +
                     QStringLiteral(".\n\r\n\rDo you allow it?")))
            return;
        m_allowed.insert(program);
    }
    m_inner.runProgram(parent, mode, value);
}
