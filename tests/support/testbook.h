// A new book in a temporary folder of its own, opened as the tool opens a project, to which a
// test adds chapters.
#pragma once

#include "testdir.h"

#include "core/project/openproject.h"
#include "core/project/projectfiles.h"

struct TestBook
{
    CurrentTempDir dir;
    WorkingState state;

    TestBook()
    {
        state.ProgramDir = QStringLiteral(QUORELLE_BIN_DIR "/");
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
    }

    // Writes ENTRY.QLF with the text and appends its chapter record.
    void addChapter(const char* entry, const QByteArray& text,
                    const QString& display = QStringLiteral("BOOK.QVD"))
    {
        addChapter(QString::fromLatin1(entry), text, display);
    }
    void addChapter(const QString& entry, const QByteArray& text,
                    const QString& display = QStringLiteral("BOOK.QVD"))
    {
        const QString file = entry + QStringLiteral(".QLF");
        writeBytes(dir.filePath(file), text);
        state.CurrentChapter = ChapterRecord{};
        state.CurrentChapter.MenuEntry.setText(entry);
        state.CurrentChapter.ChapterFile.setText(file);
        state.CurrentChapter.DisplayFile.setText(display);
        WriteChapter(state, -1);
    }

    QByteArray projectBytes() const { return readBytes(dir.filePath(state.ProjectFile)); }

    // The project as the file holds it, read apart from the open one.
    ProjectRecord projectOnDisk() const
    {
        WorkingState read;
        read.ProjectFile = state.ProjectFile;
        ReadProject(read);
        return read.Project;
    }
};
