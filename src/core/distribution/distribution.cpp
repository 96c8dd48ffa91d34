// Collecting and copying the distribution.
#include "core/distribution/distribution.h"

#include "core/book/executable.h"
#include "core/book/unlinkedphrases.h"
#include "core/distribution/readerlibraries.h"
#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/sections/hypertext.h"
#include "core/services/messages.h"
#include "format/reader/bookfiles.h"

#include <QDir>
#include <QScopeGuard>

namespace {

// The files in order, once each; a name that leaves the book's folder is refused, with a message
// naming who stores it.
class FileList
{
public:
    void setOwner(const QString& owner) { m_owner = owner; }
    void add(const QString& name)
    {
        if (name.isEmpty())
            return;
        if (!IsBookFileName(name)) {
            refuse(NotABookFileMessage(m_owner, name));
            return;
        }
        if (!m_names.contains(name))
            m_names << name;
    }
    // A page link's file: a web page of the book, never anything the desktop would run.
    void addPage(const QString& value)
    {
        if (value.isEmpty() || IsWebAddress(value))
            return;
        if (IsBookFileName(value) && !bookformat::IsWebPageName(value.toStdString())) {
            refuse(QString::fromStdString(
                bookformat::NotAWebPageMessage(m_owner.toStdString(), value.toStdString())));
            return;
        }
        add(value);
    }
    const QStringList& names() const { return m_names; }
    const QStringList& refused() const { return m_refused; }

private:
    void refuse(const QString& message)
    {
        if (!m_refused.contains(message))
            m_refused << message;
    }

    QString m_owner;
    QStringList m_names;
    QStringList m_refused;
};

QString beforeComma(const QString& value)
{
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    return comma < 0 ? value : value.left(comma);
}

// The document of "program document", when it exists.
QString documentOf(const QString& value)
{
    const qsizetype blank = value.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {};
    const QString document = value.mid(blank + 1);
    return filestore::exists(document) ? document : QString();
}

void addDisplay(FileList& files, const DisplayRecord& display)
{
    files.add(display.GraphicFile.text());
    files.add(display.WallpaperFile.text());
}

// An opening or closing command: its program is asked about as a link's program is.
void addCommand(FileList& files, const CommandRecord& command, const IncludeProgram& include)
{
    files.add(command.GraphicFile.text());
    files.add(command.ComboGraphicFile.text());
    files.add(command.VoiceFile.text());
    files.add(command.ComboSoundFile.text());
    const QString program = command.ProgramFile.text();
    if (program.isEmpty())
        return;
    const HyperTextType type = ToHyperTextType(command.CommandType);
    if (type == HyperTextType::ExecutableProgram) {
        if (include(beforeComma(program)))
            files.add(beforeComma(program));
    } else if (type == HyperTextType::WindowsProgram)
        files.add(documentOf(program));
    else if (type == HyperTextType::HtmlFile)
        files.addPage(program);
    else
        files.add(program);
}

void addHyperText(FileList& files, const WorkingState& state, const IncludeProgram& include)
{
    QStringList phrases;
    ListEntries(phrases, state.HyperTextFile, kHyperSource);
    for (const QString& phrase : std::as_const(phrases)) {
        files.setOwner(QStringLiteral("The HyperText entry \"%1\"").arg(phrase));
        QStringList lines;
        if (!ReadEntry(state.HyperTextFile, phrase, kHyperSource, lines) || lines.size() < 4)
            continue;
        const QString value = EntryCommand(lines);
        const QStringList parts = value.split(QLatin1Char(','));
        switch (EntryType(lines)) {
        case HyperTextType::GraphicOnly:
            files.add(parts.value(0));
            break;
        case HyperTextType::VoiceOnly:
        case HyperTextType::VideoPlayer:
        case HyperTextType::MidiPlayer:
            files.add(value);
            break;
        case HyperTextType::HtmlFile:
            files.addPage(value);
            break;
        case HyperTextType::ExecutableProgram:
            if (include(beforeComma(value)))
                files.add(beforeComma(value));
            break;
        case HyperTextType::GraphicAndText:
            for (int line : {6, 7}) {
                const QString name = EntryLineValue(lines.value(line));
                if (ValidFileName(name))
                    files.add(name);
            }
            break;
        case HyperTextType::GraphicAndSound:
            files.add(parts.value(0));
            files.add(parts.value(1));
            break;
        case HyperTextType::WindowsProgram:
            files.add(documentOf(value));
            break;
        case HyperTextType::NotePad:
            if (filestore::exists(value))
                files.add(value);
            break;
        case HyperTextType::None:
        case HyperTextType::TextOnly:
            break;
        }
    }
}

} // namespace

QStringList DistributionFiles(WorkingState& state, const IncludeProgram& include,
                              QStringList* refused)
{
    const ProjectRecord& project = state.Project;
    const PresentationRecord& p = project.Presentation;
    FileList files;
    files.setOwner(QStringLiteral("The opening command"));
    if (p.OpeningShown)
        addCommand(files, p.Opening, include);
    files.setOwner(QStringLiteral("The closing command"));
    if (p.ClosingShown)
        addCommand(files, p.Closing, include);
    files.setOwner(QStringLiteral("The About box"));
    if (p.AboutShown)
        files.add(p.About.IconFile.text());
    files.setOwner(QStringLiteral("The introduction"));
    if (p.IntroShown)
        addDisplay(files, p.Intro.IntroDisplay);
    files.setOwner(QStringLiteral("The program presentation"));
    if (project.Config.UseIcon)
        files.add(project.Config.IconFile.text());
    if (IsBackground(project.Config.ProgBackType, BackgroundType::Picture))
        files.add(project.Config.ProgGraphicFile.text());
    else if (IsBackground(project.Config.ProgBackType, BackgroundType::Wallpaper))
        files.add(project.Config.ProgWallpaperFile.text());
    if (project.Config.UseHelpFile)
        files.add(project.Config.HelpFile.text());
    files.setOwner(QStringLiteral("The table of contents"));
    addDisplay(files, project.Menu.MenuDisplay);
    if (filestore::exists(state.HyperTextFile))
        addHyperText(files, state, include);
    TRecList chapters;
    QStringList displays;
    if (LoadChapterRecords(state, chapters)) {
        for (qsizetype i = 0; i < chapters.Count(); ++i) {
            const QString name = chapters.at<ChapterRecord>(i).DisplayFile.text();
            if (displays.contains(name) || !IsBookFileName(name))
                continue; // a chapter's own names are checked when the book is built
            displays << name;
            files.setOwner(QStringLiteral("The display file %1").arg(name));
            addDisplay(files, DisplayFileRecord(name));
        }
    }
    if (refused)
        *refused = files.refused();
    return files.names();
}

bool IsProjectDirectory(const QString& folder, const QString& projectDir)
{
    // Real paths: a folder that is a link to the project is the project.
    const auto real = [](const QString& path) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        return (canonical.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : canonical) +
               QLatin1Char('/');
    };
    return real(folder).compare(real(projectDir), Qt::CaseInsensitive) == 0;
}

namespace {

// Whether every executable the readers need is there and not made for the other system; the
// message when one is not.
bool executablesMade(const WorkingState& state, const QList<BookExecutable>& executables)
{
    for (const BookExecutable& executable : executables) {
        const QString path = state.ProjectDir + executable.name;
        if (!QFileInfo::exists(path)) {
            ShowError(executable.name +
                      QStringLiteral(" was not found. Please create the Executable program."));
            return false;
        }
        QFile file(path);
        const std::optional<ReaderSystem> system =
            file.open(QIODevice::ReadOnly) ? ExecutableSystem(file.read(4)) : std::nullopt;
        if (system && *system != executable.system) {
            ShowError(QStringLiteral("%1 was not made for %2 readers. Please create the "
                                     "Executable program again.")
                          .arg(executable.name, ReaderSystemTitle(executable.system)));
            return false;
        }
    }
    return true;
}

} // namespace

bool CopyDistribution(WorkingState& state, const QString& folder, const IncludeProgram& include,
                      ReaderLibraries libraries)
{
    return CopyDistribution(state, folder, include, libraries, BookReaders(state.HyperTextFile));
}

bool CopyDistribution(WorkingState& state, const QString& folder, const IncludeProgram& include,
                      ReaderLibraries libraries, ReaderSystem readers)
{
    if (IsProjectDirectory(folder, state.ProjectDir)) {
        ShowError(kProjectDirectoryRefused);
        return false;
    }
    const auto backHome = qScopeGuard([&state] { QDir::setCurrent(state.ProjectDir); });
    QDir::setCurrent(state.ProjectDir);
    const QList<BookExecutable> executables = BookExecutables(state, readers);
    if (!executablesMade(state, executables))
        return false;
    TellUnlinkedPhrases(state);
    QStringList refused;
    QStringList files = DistributionFiles(state, include, &refused);
    for (const QString& message : std::as_const(refused))
        ShowError(message);
    if (!refused.isEmpty())
        return false;
    bool missing = false;
    for (const QString& name : std::as_const(files)) {
        if (!filestore::exists(name)) {
            ShowError(QStringLiteral("The file ") + name + QStringLiteral(" is missing."));
            missing = true;
        }
    }
    if (missing)
        return false;
    QStringList programs;
    for (const BookExecutable& executable : executables)
        programs << state.ProjectDir + executable.name;
    if (!QDir().mkpath(folder)) {
        ShowError(QStringLiteral("Unable to create the directory"));
        return false;
    }
    for (const QString& name : std::as_const(files))
        CopyFileInto(ResolveProjectName(name), QDir(folder).filePath(QFileInfo(name).fileName()));
    for (const QString& name : std::as_const(programs)) {
        const QString target = QDir(folder).filePath(QFileInfo(name).fileName());
        CopyFileInto(name, target);
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner |
                                          QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }
    // The reader libraries serve the Linux runtime only.
    if (libraries == ReaderLibraries::Include && readers != ReaderSystem::Windows &&
        !CopyReaderLibraries(
            folder, InstalledReaderSources(state.ProgramDir + QStringLiteral("kestrin.bin"))))
        return false;
    ShowPlain(QStringLiteral("All the files have been copied to the Directory ") + folder);
    return true;
}
