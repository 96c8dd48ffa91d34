// quorelle-build: builds executable e-books and EPUBs from the command line, for authors with many
// books.
//   quorelle-build BOOK.QVJ [--reader windows|linux|both] [--dist FOLDER [--portable]]
//                  [--include-programs | --exclude-programs]
//   quorelle-build BOOK.QVJ --epub FILE.epub
//   quorelle-build BOOK.QVJ --web FOLDER | --web-single FILE.html
//   quorelle-build BOOK.QVJ --report
//   quorelle-build --import MANUSCRIPT.docx|.odt|.md|.html CHAPTER.QLF
// With --epub the EPUB alone is made, with --web the web edition alone (--web-single: as one
// page); --report prints each chapter's words, characters and phrases and writes nothing;
// --import writes a chapter file from a manuscript.
// Without --reader the book
// is made for the readers' system the author chose for it in the tool (Linux when none was chosen);
// --reader does not change the choice. Messages go to standard error with the tool's own texts; the
// exit code is 0 only when every file was written.
#include "core/book/executable.h"
#include "core/distribution/distribution.h"
#include "core/epub/epubexport.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/programdir.h"
#include "core/files/projectpath.h"
#include "core/files/savefile.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/web/webedition.h"
#include "core/writing/bookreport.h"
#include "core/writing/chapterimport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace {

struct Options
{
    QString project;
    QString dist;
    QString epub;
    QString web;
    QString webSingle;
    bool portable = false;
    bool report = false;
    QString import; // the manuscript; `project` is then the chapter file to write
    std::optional<bool> includePrograms;
    std::optional<ReaderSystem> readers;
};

std::optional<Options> parse(QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Builds the executable e-book of a Quorelle project."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("the project file, NAME.QVJ"));
    const QCommandLineOption dist(QStringLiteral("dist"),
                                  QStringLiteral("prepare the distribution in FOLDER"),
                                  QStringLiteral("FOLDER"));
    const QCommandLineOption include(QStringLiteral("include-programs"),
                                     QStringLiteral("copy the programs the book's links start"));
    const QCommandLineOption exclude(
        QStringLiteral("exclude-programs"),
        QStringLiteral("leave out the programs the book's links start"));
    const QCommandLineOption portable(
        QStringLiteral("portable"),
        QStringLiteral("include the reader libraries in the distribution (runs where Qt is not "
                       "installed)"));
    const QCommandLineOption epub(QStringLiteral("epub"),
                                  QStringLiteral("write the book as an EPUB 3 to FILE instead"),
                                  QStringLiteral("FILE"));
    const QCommandLineOption web(
        QStringLiteral("web"),
        QStringLiteral("write the book's web edition into FOLDER instead (index.html plays it)"),
        QStringLiteral("FOLDER"));
    const QCommandLineOption webSingle(
        QStringLiteral("web-single"),
        QStringLiteral("write the web edition as one self-contained FILE.html instead"),
        QStringLiteral("FILE"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("print each chapter's words, characters, HyperText phrases and phrases "
                       "without a link, and the totals, tab-separated; write nothing"));
    const QCommandLineOption import(
        QStringLiteral("import"),
        QStringLiteral("write the chapter file named in place of the project from FILE (Word, "
                       "OpenDocument, Markdown or HTML)"),
        QStringLiteral("FILE"));
    const QCommandLineOption reader(
        QStringLiteral("reader"),
        QStringLiteral("make the book for readers on SYSTEM: windows (BOOK.EXE), linux (BOOK.EXE) "
                       "or both (BOOK.EXE for Windows, BOOK.BIN for Linux)"),
        QStringLiteral("SYSTEM"));
    parser.addOptions(
        {reader, dist, portable, include, exclude, epub, web, webSingle, report, import});
    parser.process(app);
    const std::optional<ReaderSystem> readers =
        bookformat::ReaderSystemNamed(parser.value(reader).toStdString());
    if (parser.positionalArguments().size() != 1 || (parser.isSet(reader) && !readers) ||
        (parser.isSet(include) && parser.isSet(exclude)) ||
        (parser.isSet(portable) && !parser.isSet(dist)) ||
        (parser.isSet(epub) + parser.isSet(dist) + parser.isSet(web) + parser.isSet(webSingle) +
             parser.isSet(report) + parser.isSet(import) >
         1)) {
        std::fprintf(stderr, "%s", qUtf8Printable(parser.helpText()));
        return std::nullopt;
    }
    Options options;
    options.project = parser.positionalArguments().first();
    options.dist = parser.value(dist);
    options.portable = parser.isSet(portable);
    options.epub = parser.value(epub);
    options.web = parser.value(web);
    options.webSingle = parser.value(webSingle);
    options.report = parser.isSet(report);
    options.import = parser.value(import);
    if (parser.isSet(include) || parser.isSet(exclude))
        options.includePrograms = parser.isSet(include);
    if (parser.isSet(reader))
        options.readers = readers;
    return options;
}

// Opens the project the way the tool does; false when it is not opened.
bool openProject(WorkingState& state, const QString& projectFile)
{
    const QFileInfo file(projectFile);
    if (!file.exists()) {
        std::fprintf(stderr, "File not found: %s\n", qUtf8Printable(projectFile));
        return false;
    }
    state.ProgramDir = ProgramSupportDir();
    state.ProjectDir = file.absolutePath() + QLatin1Char('/');
    QDir::setCurrent(state.ProjectDir);
    state.ProjectFile = file.fileName();
    // Opening a project in the tool makes a missing default display file anew; a build must not
    // pass over it in silence.
    const QString defaultDisplay = BaseName(state.ProjectFile) + QStringLiteral(".QVD");
    if (!QFileInfo::exists(ResolveProjectName(defaultDisplay))) {
        std::fprintf(stderr, "The Display file %s was not found.\n",
                     qUtf8Printable(defaultDisplay));
        return false;
    }
    OpenProject(state);
    return state.isProjectOpen();
}

int distribute(WorkingState& state, const Options& options)
{
    bool asked = false;
    DistributionFiles(state, [&asked](const QString& program) {
        std::fprintf(stderr, "The book starts the program %s.\n", qUtf8Printable(program));
        asked = true;
        return false;
    });
    if (asked && !options.includePrograms) {
        std::fprintf(stderr, "Say --include-programs or --exclude-programs; nothing was copied.\n");
        return 2;
    }
    const bool include = options.includePrograms.value_or(false);
    const QString folder = QDir(QDir::currentPath()).absoluteFilePath(options.dist);
    const ReaderLibraries libraries =
        options.portable ? ReaderLibraries::Include : ReaderLibraries::Leave;
    return CopyDistribution(
               state, folder + QLatin1Char('/'), [include](const QString&) { return include; },
               libraries, options.readers.value_or(BookReaders(state.HyperTextFile)))
               ? 0
               : 1;
}

int exportEpub(WorkingState& state, const QString& file)
{
    QStringList notCarried;
    if (!ExportEpub(state, file, &notCarried))
        return 1;
    std::fprintf(stderr, "The EPUB e-book %s has been created.\n", qUtf8Printable(file));
    for (const QString& line : std::as_const(notCarried))
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    return 0;
}

int exportWeb(WorkingState& state, const QString& target, bool single)
{
    QStringList notCarried;
    if (!(single ? ExportWebEditionFile(state, target, &notCarried)
                 : ExportWebEdition(state, target, &notCarried)))
        return 1;
    std::fprintf(stderr, "The web edition %s has been created.\n", qUtf8Printable(target));
    for (const QString& line : std::as_const(notCarried))
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    return 0;
}

// The report on standard output; 1 when the chapter list or a chapter cannot be read.
int report(const WorkingState& state)
{
    const std::optional<QList<ChapterReport>> chapters = ReportBook(state);
    if (!chapters) {
        std::fprintf(stderr, "The chapter list %s could not be read.\n",
                     qUtf8Printable(state.ChapterListFile));
        return 1;
    }
    std::fputs(qUtf8Printable(ReportText(*chapters)), stdout);
    int result = 0;
    for (const ChapterReport& chapter : *chapters) {
        if (!chapter.read) {
            std::fprintf(stderr, "The chapter file %s could not be read.\n",
                         qUtf8Printable(chapter.file));
            result = 1;
        }
    }
    return result;
}

// The manuscript as a chapter file; 1 when it cannot be read or the file cannot be written.
int importChapter(const QString& manuscript, const QString& chapterFile)
{
    if (!IsImportedKind(manuscript)) {
        std::fprintf(stderr, "%s is not a Word, OpenDocument, Markdown or HTML file.\n",
                     qUtf8Printable(manuscript));
        return 1;
    }
    const ImportedChapter chapter = ImportChapter(manuscript);
    if (!chapter.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(chapter.error));
        return 1;
    }
    filestore::writeAll(chapterFile, chapter.rtf);
    std::fprintf(stderr, "%s\n%s has been written.\n",
                 qUtf8Printable(ImportedMessage(manuscript, chapter)), qUtf8Printable(chapterFile));
    return 0;
}

// Qt's own notes go to standard error as ever, but for the one about the runtime folder a GUI
// application wants and a batch job rarely has: the builder's output is the author's to read.
QtMessageHandler standardHandler = nullptr;

void quietRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context,
                            const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (standardHandler)
        standardHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char* argv[])
{
    // A GUI application on the offscreen platform: laying out a web page of the book for its
    // EPUB needs fonts and pictures, which Qt gives only a GUI application; it never shows a
    // window, and needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    filestore::FailWritesPastSizeLimit();
    standardHandler = qInstallMessageHandler(quietRuntimeFolderNote);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorelle-build"));
    const std::optional<Options> options = parse(app);
    if (!options)
        return 2;
    const QString startDir = QDir::currentPath();
    try {
        if (!options->import.isEmpty())
            return importChapter(options->import, options->project);
        WorkingState state;
        QDir::setCurrent(startDir);
        if (!openProject(state, options->project))
            return 1;
        if (options->report)
            return report(state);
        if (!options->epub.isEmpty())
            return exportEpub(state, QDir(startDir).absoluteFilePath(options->epub));
        if (!options->web.isEmpty())
            return exportWeb(state, QDir(startDir).absoluteFilePath(options->web), false);
        if (!options->webSingle.isEmpty())
            return exportWeb(state, QDir(startDir).absoluteFilePath(options->webSingle), true);
        if (!MakeExecutable(state, options->readers.value_or(BookReaders(state.HyperTextFile))))
            return 1;
        if (options->dist.isEmpty())
            return 0;
        QDir::setCurrent(startDir);
        Options resolved = *options;
        resolved.dist = QDir(startDir).absoluteFilePath(options->dist);
        QDir::setCurrent(state.ProjectDir);
        return distribute(state, resolved);
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error.message()));
        return 1;
    }
}
