// The executable builder.
#include "core/book/executable.h"

#include "core/book/booksource.h"
#include "core/book/compiledbook.h"
#include "core/book/unlinkedphrases.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/savefile.h"
#include "core/files/textcodec.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/services/messages.h"
#include "format/rtf/rtfnesting.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

bool runtimeReadable(QFile& runtime)
{
    if (runtime.open(QIODevice::ReadOnly))
        return true;
    ShowError(QStringLiteral("The reader program %1 could not be read, so the Executable E-Book "
                             "was not created.")
                  .arg(runtime.fileName()));
    return false;
}

// Copies the rest of `in` to `out` a block at a time: a book is never held whole.
void streamRest(QIODevice& in, filestore::SaveFile& out, const QString& name)
{
    QByteArray block(1 << 20, Qt::Uninitialized);
    qint64 got;
    while ((got = in.read(block.data(), block.size())) > 0)
        out.write(block.constData(), got);
    if (got < 0)
        throw filestore::errorFromErrno(name);
}

// Writes the runtime and then the book: compiled anew, or the book that follows the runtime in
// an executable made before (`compiled`, positioned at the book).
bool writeExecutable(WorkingState& state, const BookExecutable& executable, QFile& runtime,
                     QFile* compiled)
{
    // The runtime and the book go out in one piece through a save file: an executable from an
    // earlier build is replaced only by a complete new one.
    filestore::SaveFile out(ResolveProjectName(executable.name));
    out.open();
    streamRest(runtime, out, runtime.fileName());
    if (compiled) {
        streamRest(*compiled, out, compiled->fileName());
    } else if (!WriteCompiledBook(state, out)) {
        ShowError(QStringLiteral("Unable to create the Executable E-Book."));
        return false;
    }
    // The book is a program: it keeps the run permission of the runtime it starts with.
    out.setPermissions(runtime.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                       QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    out.commit();
    return true;
}

// Tells of every chapter a Windows reader is shown flattened: its text nests too deep.
void tellFlattenedChapters(const WorkingState& state, const QList<BookExecutable>& executables)
{
    if (std::none_of(executables.begin(), executables.end(),
                     [](const BookExecutable& e) { return e.system == ReaderSystem::Windows; }))
        return;
    TRecList chapters;
    if (!LoadChapterRecords(state, chapters))
        return;
    for (qsizetype i = 0; i < chapters.Count(); ++i) {
        const ChapterRecord chapter = chapters.at<ChapterRecord>(i);
        const int depth = bookformat::RtfNestingDepth(
            textcodec::view(ReadChapterFile(chapter.ChapterFile.text())));
        if (depth > bookformat::kMaxRtfNesting)
            ShowInfo(QString::fromStdString(
                bookformat::FlattenedChapterNote(chapter.MenuEntry.text().toStdString(), depth)));
    }
}

} // namespace

QList<BookExecutable> BookExecutables(const WorkingState& state, ReaderSystem readers)
{
    const BookExecutable windows{ExecutableName(state), ReaderSystem::Windows,
                                 state.ProgramDir + QStringLiteral("kestrin.exe")};
    BookExecutable linux{ExecutableName(state), ReaderSystem::Linux,
                         state.ProgramDir + QStringLiteral("kestrin.bin")};
    switch (readers) {
    case ReaderSystem::Windows:
        return {windows};
    case ReaderSystem::Both:
        linux.name =
            QFileInfo(ResolveProjectName(BaseName(state.ProjectFile) + QStringLiteral(".BIN")))
                .fileName();
        return {windows, linux};
    case ReaderSystem::Linux:
        break;
    }
    return {linux};
}

bool MakeExecutable(WorkingState& state)
{
    return MakeExecutable(state, BookReaders(state.HyperTextFile));
}

bool MakeExecutable(WorkingState& state, ReaderSystem readers)
{
    TellUnlinkedPhrases(state);
    const QList<BookExecutable> executables = BookExecutables(state, readers);
    std::vector<std::unique_ptr<QFile>> runtimes;
    for (const BookExecutable& executable : executables) {
        runtimes.push_back(std::make_unique<QFile>(executable.runtime));
        if (!runtimeReadable(*runtimes.back()))
            return false;
    }
    if (!writeExecutable(state, executables.first(), *runtimes.front(), nullptr))
        return false;
    tellFlattenedChapters(state, executables);
    if (executables.size() == 1)
        return true;
    // The second runtime gets the book the first one was given, streamed from the first.
    QFile first(ResolveProjectName(executables.first().name));
    if (!first.open(QIODevice::ReadOnly) || !first.seek(runtimes.front()->size()))
        throw filestore::errorFromErrno(executables.first().name);
    return writeExecutable(state, executables.last(), *runtimes.back(), &first);
}

QString ExecutableName(const WorkingState& state)
{
    return QFileInfo(ResolveProjectName(BaseName(state.ProjectFile) + QStringLiteral(".EXE")))
        .fileName();
}

std::optional<ReaderSystem> ExecutableSystem(const QByteArray& start)
{
    if (start.startsWith("MZ"))
        return ReaderSystem::Windows;
    if (start.startsWith("\x7F"
                         "ELF"))
        return ReaderSystem::Linux;
    return std::nullopt;
}
