// Converting the book's media for an EPUB.
#include "core/epub/epubmedia.h"

#include "core/distribution/readerlibraries.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/pictures/pictures.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

constexpr int kConversionLimitMs = 5 * 60 * 1000;
constexpr rlim_t kConversionMemory = rlim_t(2) << 30;

// A path as a quoted value of a gst-launch property.
QString launchValue(const QString& path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The converter's reason: what its first error says after naming the element, else its last
// line.
QString converterError(const QByteArray& output)
{
    const QList<QByteArray> lines = output.trimmed().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("ERROR: from element ")) {
            const QByteArray reason = line.mid(line.lastIndexOf(": ") + 2).trimmed();
            if (!reason.isEmpty())
                return QString::fromLocal8Bit(reason);
        }
    }
    QString last = lines.isEmpty() ? QString() : QString::fromLocal8Bit(lines.last().trimmed());
    if (last.startsWith(QLatin1String("ERROR: ")))
        last = last.mid(7);
    return last;
}

// Runs the pipeline, whose "%in" and "%out" are the input file and a temporary output; the
// output's bytes, or an error.
EpubMedia runPipeline(const QString& fileName, QString pipeline, const QString& suffix,
                      const QString& mediaType)
{
    EpubMedia media{{}, suffix, mediaType, {}};
    QTemporaryDir work;
    if (!work.isValid()) {
        media.error = QStringLiteral("no temporary folder could be made");
        return media;
    }
    const QString output = work.filePath(QStringLiteral("out.") + suffix);
    pipeline.replace(QLatin1String("%in"), launchValue(QFileInfo(fileName).absoluteFilePath()));
    pipeline.replace(QLatin1String("%out"), launchValue(output));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setChildProcessModifier([] {
        const rlimit limit{kConversionMemory, kConversionMemory};
        setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QStringLiteral("gst-launch-1.0"),
                  QStringList{QStringLiteral("-q")} + pipeline.split(QLatin1Char('\n')));
    if (!process.waitForStarted()) {
        media.error = QStringLiteral("gst-launch-1.0 could not be started");
        return media;
    }
    if (!process.waitForFinished(kConversionLimitMs)) {
        process.kill();
        process.waitForFinished();
        media.error = QStringLiteral("the conversion took longer than five minutes");
        return media;
    }
    const QByteArray log = process.readAll();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        media.error = converterError(log);
        if (media.error.isEmpty())
            media.error = QStringLiteral("the converter stopped");
        return media;
    }
    media.bytes = filestore::exists(output) ? filestore::readAll(output) : QByteArray();
    if (media.bytes.isEmpty())
        media.error = QStringLiteral("the converter wrote nothing");
    return media;
}

// Each line is one argument of gst-launch, so that a quoted path keeps its blanks.
const QString kMp3 = QStringLiteral(
    "audioconvert\n!\naudioresample\n!\nlamemp3enc\ntarget=bitrate\nbitrate=128\ncbr=true\n!\n"
    "xingmux\n!\nid3v2mux\n!\nfilesink\nlocation=%out");

} // namespace

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

EpubMedia ConvertPicture(const QString& fileName)
{
    const LoadedPicture picture = LoadPicture(fileName);
    if (picture.image.isNull())
        return {{}, {}, {}, picture.error};
    // Judged by what the file holds, not by its name: only a JPEG is kept as it is; a bitmap,
    // GIF or SVG named .JPG is drawn and stored as PNG (an SVG's scripts stay out).
    if (picture.jpeg)
        return {
            filestore::readAll(fileName), QStringLiteral("jpg"), QStringLiteral("image/jpeg"), {}};
    return {PngBytes(picture.image), QStringLiteral("png"), QStringLiteral("image/png"), {}};
}

EpubMedia ConvertSound(const QString& fileName, const QString& soundFont)
{
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    QString source = QStringLiteral("filesrc\nlocation=%in\n!\ndecodebin\n!\n");
    if (suffix.startsWith(QLatin1String("MID")))
        source = QStringLiteral("filesrc\nlocation=%in\n!\nmidiparse\n!\nfluiddec\nsoundfont=") +
                 launchValue(soundFont) + QStringLiteral("\nsynth-gain=0.8\n!\n");
    return runPipeline(fileName, source + kMp3, QStringLiteral("mp3"),
                       QStringLiteral("audio/mpeg"));
}

namespace {

// A film's pipeline into `mux` ("webmmux", "mp4mux"), its picture encoded by `video` and its
// sound, when it has one, by `sound` (each a run of gst-launch lines ending in "!").
EpubMedia convertFilm(const QString& fileName, const QString& mux, const QString& video,
                      const QString& sound, const QString& suffix, const QString& mediaType)
{
    QString pipeline = mux +
                       QStringLiteral("\nname=mux\n!\nfilesink\nlocation=%out\nfilesrc\n"
                                      "location=%in\n!\ndecodebin\nname=d\n"
                                      "d.\n!\nvideo/x-raw\n!\nqueue\n!\nvideoconvert\n!\n") +
                       video + QStringLiteral("\nqueue\n!\nmux.\n");
    // A sound branch waits for ever on a film without sound, so it is there only when the film
    // has a sound track.
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly) && AviHasSound(file.read(64 * 1024)))
        pipeline += QStringLiteral("d.\n!\naudio/x-raw\n!\nqueue\n!\naudioconvert\n!\n"
                                   "audioresample\n!\n") +
                    sound + QStringLiteral("\nqueue\n!\nmux.\n");
    pipeline.chop(1);
    return runPipeline(fileName, pipeline, suffix, mediaType);
}

} // namespace

EpubMedia ConvertFilm(const QString& fileName)
{
    return convertFilm(fileName, QStringLiteral("webmmux"),
                       QStringLiteral("vp8enc\ndeadline=1\ncpu-used=4\ntarget-bitrate=1000000\n!"),
                       QStringLiteral("vorbisenc\nquality=0.4\n!"), QStringLiteral("webm"),
                       QStringLiteral("video/webm"));
}

EpubMedia ConvertFilmMp4(const QString& fileName)
{
    // H.264 wants whole 2 x 2 blocks of colour in 4:2:0; AAC is what Apple's browsers play.
    return convertFilm(fileName, QStringLiteral("mp4mux\nfaststart=true"),
                       QStringLiteral("video/x-raw,format=I420\n!\nopenh264enc\n"
                                      "bitrate=1000000\n!\nh264parse\n!"),
                       QStringLiteral("avenc_aac\n!\naacparse\n!"), QStringLiteral("mp4"),
                       QStringLiteral("video/mp4"));
}

EpubMedia ConvertBookSound(const QString& fileName)
{
    return ConvertSound(fileName, InstalledSoundFont());
}

QString BookMediaProblem(const QString& name, const QString& owner)
{
    if (!IsBookFileName(name))
        return NotABookFileMessage(owner, name);
    if (!filestore::exists(name))
        return QStringLiteral("The file ") + name + QStringLiteral(" is missing.");
    return {};
}

bool AviHasSound(const QByteArray& avi)
{
    // Each stream header chunk, "strh" and its size, starts with the stream's type.
    for (qsizetype at = avi.indexOf("strh"); at >= 0; at = avi.indexOf("strh", at + 4)) {
        if (avi.mid(at + 8, 4) == "auds")
            return true;
    }
    return false;
}
