// A program run to its end as a shell runs it: its exit code and what it printed. The batch
// builder and a built book's own check are the programs the end-to-end tests run most.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun
{
    int exitCode = -1; // -1: still running at the timeout; -2: ended by a signal
    QString out;
    QString err;
};

inline ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                             const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// quorelle-build of this build tree.
inline ProgramRun RunBuildTool(const QStringList& arguments, const QString& folder = QString())
{
    return RunProgram(QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build"), arguments, folder);
}

// A built book's check of itself: its summary on the output, or why it is refused.
inline ProgramRun VerifyBook(const QString& book)
{
    return RunProgram(book, {QStringLiteral("--verify")});
}
