#include "core/writing/chapterimport.h"

#include "core/book/unlinkedphrases.h"
#include "core/files/filestore.h"
#include "core/files/runtimeerror.h"
#include "core/pictures/pictures.h"
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"
#include "core/writing/importlanguages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <sys/resource.h>

namespace {

constexpr int kPandocLimitMs = 60 * 1000;
constexpr rlim_t kPandocMemory = rlim_t(4) * 1024 * 1024 * 1024;
constexpr qint64 kLargestSource = 64 * 1024 * 1024;

QString suffixOf(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

// A document of an imported page: its pictures only from its own folder and below, each read
// by the bounded picture loader; nothing from elsewhere, nothing from the network.
class ImportedDocument : public QTextDocument
{
public:
    explicit ImportedDocument(const QString& folder) : m_folder(QDir(folder).canonicalPath()) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type != QTextDocument::ImageResource || !name.isRelative())
            return {};
        const QString file = QFileInfo(QDir(m_folder).filePath(name.toString(QUrl::PrettyDecoded)))
                                 .canonicalFilePath();
        if (file.isEmpty() || !file.startsWith(m_folder + QLatin1Char('/')))
            return {};
        const LoadedPicture picture = LoadPicture(file);
        return picture.image.isNull() ? QVariant() : QVariant(picture.image);
    }

private:
    QString m_folder;
};

// Qt's readers mark a heading by its level and a size relative to the text; a chapter's RTF
// holds sizes in points, and so does the editor.
void settleHeadings(QTextDocument& document)
{
    constexpr qreal kHeadingPoints[] = {18, 16, 14, 12, 12, 12};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 6)
            continue;
        QTextCursor cursor(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat heading;
        heading.setFontPointSize(kHeadingPoints[level - 1]);
        heading.setFontWeight(QFont::Bold);
        heading.setProperty(QTextFormat::FontSizeAdjustment, 0);
        cursor.mergeCharFormat(heading);
    }
}

ImportedChapter fromQtReader(const QString& path)
{
    if (QFileInfo(path).size() > kLargestSource)
        return {{}, QStringLiteral("%1 is too large to import.").arg(QFileInfo(path).fileName())};
    const QString text = QString::fromUtf8(filestore::readAll(path));
    ImportedDocument document(QFileInfo(path).absolutePath());
    document.setDefaultFont(QFont(QStringLiteral("Helvetica"), 12));
    if (suffixOf(path) == QLatin1String("md") || suffixOf(path) == QLatin1String("markdown"))
        document.setMarkdown(text);
    else
        document.setHtml(text);
    settleHeadings(document);
    return {WriteRtf(document), {}, 0};
}

// pandoc's reason: its last line of output.
QString pandocError(const QString& path, QProcess& process)
{
    const QList<QByteArray> lines = process.readAllStandardError().trimmed().split('\n');
    const QString reason = QString::fromLocal8Bit(lines.last().trimmed());
    return QStringLiteral("%1 could not be imported: %2")
        .arg(QFileInfo(path).fileName(),
             reason.isEmpty() ? QStringLiteral("pandoc failed") : reason);
}

ImportedChapter fromPandoc(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QTemporaryDir work;
    if (!work.isValid())
        return {{}, QStringLiteral("%1 could not be imported: no temporary folder").arg(name)};
    const QString output = work.filePath(QStringLiteral("chapter.rtf"));
    QProcess process;
    process.setWorkingDirectory(work.path());
    process.setChildProcessModifier([] {
        const rlimit limit{kPandocMemory, kPandocMemory};
        setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QStringLiteral("pandoc"),
                  {QStringLiteral("+RTS"), QStringLiteral("-M1024m"), QStringLiteral("-RTS"),
                   QStringLiteral("--from=") + suffixOf(path), QStringLiteral("--to=rtf"),
                   QStringLiteral("--standalone"), QStringLiteral("--output=") + output,
                   QFileInfo(path).absoluteFilePath()});
    if (!process.waitForStarted())
        return {{},
                QStringLiteral("%1 could not be imported: pandoc, which reads Word and "
                               "OpenDocument files, is not installed")
                    .arg(name)};
    if (!process.waitForFinished(kPandocLimitMs)) {
        process.kill();
        process.waitForFinished();
        return {
            {},
            QStringLiteral("%1 could not be imported: pandoc took longer than a minute").arg(name)};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {{}, pandocError(path, process)};
    return {filestore::readAll(output), {}, 0};
}

} // namespace

bool IsImportedKind(const QString& path)
{
    static const QStringList kinds{QStringLiteral("docx"), QStringLiteral("odt"),
                                   QStringLiteral("md"),   QStringLiteral("markdown"),
                                   QStringLiteral("html"), QStringLiteral("htm")};
    return kinds.contains(suffixOf(path));
}

ImportedChapter ImportChapter(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {{}, QStringLiteral("The file %1 is missing.").arg(QFileInfo(path).fileName())};
    ImportedChapter chapter;
    try {
        const QString kind = suffixOf(path);
        chapter = kind == QLatin1String("docx") || kind == QLatin1String("odt")
                      ? fromPandoc(path)
                      : fromQtReader(path);
        if (!chapter.error.isEmpty())
            return chapter;
        QTextDocument document;
        ReadRtf(chapter.rtf, document);
        // The converter keeps the structure; the languages come from the file's own text.
        if (kind == QLatin1String("docx") || kind == QLatin1String("odt")) {
            if (MarkLanguages(document, LanguageRunsOfFile(path)) > 0)
                chapter.rtf = WriteRtf(document);
        }
        chapter.underlined = UnderlinedPhrases(document).size();
    } catch (const RunTimeError& error) {
        return {{}, error.message()};
    }
    return chapter;
}

QString ImportedMessage(const QString& path, const ImportedChapter& chapter)
{
    const QString name = QFileInfo(path).fileName();
    if (chapter.underlined == 0)
        return QStringLiteral("%1 came in with no underlined phrase.").arg(name);
    return QStringLiteral("%1 came in with %2 underlined %3, which %4 HyperText.")
        .arg(name, QString::number(chapter.underlined),
             chapter.underlined == 1 ? QStringLiteral("phrase") : QStringLiteral("phrases"),
             chapter.underlined == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}
