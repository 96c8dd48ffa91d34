// Test doubles of the platform services.
#include "doubles.h"

MessageAnswer MessageRecorder::show(MessageKind kind, const QString& text)
{
    m_shown.append({kind, text});
    switch (kind) {
    case MessageKind::Confirm:
    case MessageKind::YesNoCancel:
    case MessageKind::YesNoHelp:
        return m_answers.isEmpty() ? MessageAnswer::No : m_answers.takeFirst();
    default:
        return MessageAnswer::Ok;
    }
}

QStringList MessageRecorder::texts() const
{
    QStringList all;
    for (const Shown& shown : m_shown)
        all << shown.text;
    return all;
}

int ScriptedModalRunner::run(QDialog& dialog)
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    if (m_scripts.isEmpty()) {
        m_failures << QStringLiteral("unexpected window %1").arg(className);
        return QDialog::Rejected;
    }
    const Script script = m_scripts.takeFirst();
    if (script.className != className) {
        m_failures << QStringLiteral("expected %1, got %2").arg(script.className, className);
        return QDialog::Rejected;
    }
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    script.run(dialog);
    if (dialog.isVisible()) {
        m_failures << QStringLiteral("%1 was left open").arg(className);
        dialog.reject();
    }
    return dialog.result();
}

QString ScriptedFileDialogs::openFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

QString ScriptedFileDialogs::saveFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}
