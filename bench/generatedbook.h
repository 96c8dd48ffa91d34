// The generated book the benchmarks time: chapters of about a given size of RTF, each paragraph
// with a HyperText phrase of the fifty the book defines as pop-ups.
#pragma once

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <vector>

namespace generated {

// A chapter of about `bytes` of RTF: paragraphs of words with a HyperText phrase in each.
inline QByteArray chapterText(int chapter, qsizetype bytes)
{
    QByteArray text = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
    for (int paragraph = 0; text.size() < bytes; ++paragraph) {
        text += "\\pard The ship left the harbour at dawn, and the sea lay grey and still under "
                "the low clouds of the morning; see the {\\ul Phrase " +
                QByteArray::number((chapter * 7 + paragraph) % 50) +
                "} for more. The crew worked in silence while the gulls followed the wake "
                "far out beyond the last light of the coast.\\par ";
    }
    return text + "}";
}

inline void makeBook(WorkingState& state, const QString& projectFile, int chapters, qsizetype bytes)
{
    state.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    state.ProjectDir = QDir::currentPath() + QLatin1Char('/');
    state.ProjectFile = projectFile;
    OpenProject(state);
    QByteArray list;
    for (int i = 0; i < chapters; ++i) {
        const QString file = QStringLiteral("CH%1.QLF").arg(i, 4, 10, QLatin1Char('0'));
        filestore::writeAll(file, chapterText(i, bytes));
        ChapterRecord chapter{};
        chapter.MenuEntry.setText(QStringLiteral("Chapter %1").arg(i + 1));
        chapter.ChapterFile.setText(file);
        chapter.DisplayFile.setText(BaseName(projectFile) + QStringLiteral(".QVD"));
        list.append(filestore::bytesOf(chapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    QByteArray entries;
    for (int i = 0; i < 50; ++i)
        entries += "[Phrase " + QByteArray::number(i) +
                   "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\nfullscreen=false\r\n"
                   "Sbackcolor=clWhite\r\nSGraphic=\r\nSWallpaper=\r\nVPBack=clWhite\r\n"
                   "VPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\nRLTop=0\r\n"
                   "RLLeft=0\r\nprint=false\r\ntext=\r\n{\\rtf1 A note on phrase " +
                   QByteArray::number(i) + ".}\r\n]\r\n\r\n";
    filestore::writeAll(state.HyperTextFile, entries);
}

inline double median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

} // namespace generated
