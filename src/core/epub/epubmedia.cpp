// Converting the book's media for an EPUB.
#include "core/epub/epubmedia.h"

#include "core/files/filestore.h"
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

EpubMedia ConvertFilm(const QString& fileName)
{
    const QString video = QStringLiteral(
        "d.\n!\nvideo/x-raw\n!\nqueue\n!\nvideoconvert\n!\nvp8enc\ndeadline=1\ncpu-used=4\n"
        "target-bitrate=1000000\n!\nqueue\n!\nmux.\n");
    const QString sound = QStringLiteral(
        "d.\n!\naudio/x-raw\n!\nqueue\n!\naudioconvert\n!\naudioresample\n!\nvorbisenc\n"
        "quality=0.4\n!\nqueue\n!\nmux.\n");
    // A sound branch waits for ever on a film without sound, so it is there only when the film
    // has a sound track.
    QString pipeline = QStringLiteral("webmmux\nname=mux\n!\nfilesink\nlocation=%out\nfilesrc\n"
                                      "location=%in\n!\ndecodebin\nname=d\n") +
                       video;
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly) && AviHasSound(file.read(64 * 1024)))
        pipeline += sound;
    pipeline.chop(1);
    return runPipeline(fileName, pipeline, QStringLiteral("webm"), QStringLiteral("video/webm"));
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
