// Choosing and creating a project from the main window (module bmmain).
#include "core/files/filenames.h"
#include "core/files/runtimeerror.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/booklanguage.h"
#include "core/services/messages.h"
#include "platform/filedialogs.h"
#include "ui/authoring/chapeditform.h"
#include "ui/mainwindow/bookmainform.h"
#include "ui/mainwindow/makedirform.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

void Tbookmainform::openWithRollback(const std::function<void()>& open)
{
    // A project that fails to open leaves the tool as it was before the attempt.
    const WorkingState before = m_state;
    try {
        open();
    } catch (...) {
        m_state = before;
        QDir::setCurrent(m_state.ProjectDir);
        throw;
    }
}

void Tbookmainform::ChooseProject()
{
    FileChoice choice;
    choice.title = tr("Select an E-Book");
    // The open project's folder, else the last one opened, else home: never the tool's own.
    choice.folder = m_state.isProjectOpen()      ? m_state.ProjectDir
                    : m_lastProjectDir.isEmpty() ? QDir::homePath()
                                                 : m_lastProjectDir;
    choice.filter = QStringLiteral("E-Book Project Files|*.QVJ");
    choice.defaultExtension = QStringLiteral("QVJ");
    openProjectFile(fileDialogs().openFile(this, choice));
}

void Tbookmainform::OpenProjectFile(const QString& path)
{
    ReportErrors([&] {
        if (!QFileInfo(path).isFile())
            throw FileOpenError(path);
        openProjectFile(path);
    });
    UpdateButtons();
}

void Tbookmainform::openProjectFile(const QString& picked)
{
    openWithRollback([&] {
        if (!picked.isEmpty()) {
            const QFileInfo file(picked);
            m_state.ProjectDir = file.absolutePath() + QLatin1Char('/');
            QDir::setCurrent(m_state.ProjectDir);
            m_state.ProjectFile = ChangeFileExt(file.fileName(), QStringLiteral(".QVJ")).toUpper();
        }
        // Cancelling while a project is open reads that project again.
        if (!m_state.ProjectFile.isEmpty()) {
            OpenProject(m_state);
            if (!m_state.ProjectFile.isEmpty()) {
                ProjectLbl->setText(BaseName(m_state.ProjectFile));
                m_lastProjectDir = m_state.ProjectDir;
            }
        }
    });
    // Text the editor had not saved when the tool last stopped is offered back.
    if (!picked.isEmpty() && m_state.isProjectOpen())
        OfferRecoveredChapters(this, BookLanguage(m_state.HyperTextFile));
}

void Tbookmainform::CreateProject()
{
    QString folder;
    QString name;
    if (!AskNameAndFolder(QStringLiteral("*.QVJ"), folder, name, 105, tr("Enter E-Book Name"),
                          this)) {
        QDir::setCurrent(m_state.ProjectDir);
        return;
    }
    QDir().mkpath(folder); // a folder that exists already is simply used
    if (!QDir::setCurrent(folder)) {
        ShowError(tr("Unable to create the directory"));
        QDir::setCurrent(m_state.ProjectDir);
        return;
    }
    openWithRollback([&] {
        m_state.ProjectDir = QDir::current().absolutePath() + QLatin1Char('/');
        m_state.ProjectFile = ChangeFileExt(name, QStringLiteral(".QVJ"));
        if (!m_state.ProjectFile.isEmpty()) {
            ProjectLbl->setText(BaseName(m_state.ProjectFile));
            OpenProject(m_state);
            m_lastProjectDir = m_state.ProjectDir;
        }
    });
}
