// Times the RTF reader and writer on a generated 10 MB chapter in the rich-edit control's shape,
// and loading it into the editor's rich-edit area; with unrtf installed, times `unrtf --text` on
// the same file for comparison.
#include "core/richtext/rtfreader.h"
#include "core/richtext/rtfwriter.h"
#include "preview/richedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

namespace {

QByteArray chapter(qsizetype bytes)
{
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans "
        "Serif;}"
        "{\\f1\\fnil\\fcharset0 Times New Roman;}}\r\n{\\colortbl ;\\red128\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    int n = 0;
    // Paragraphs of about 700 bytes with a HyperText phrase, a bold and an italic word, a coloured
    // phrase in another font, and an accented letter, as an author's chapter has them.
    const QByteArray plain =
        "Sailing north from the harbour, the ship met a long grey swell that rolled in from "
        "the open water and kept rolling through the night, while passengers slept ";
    while (rtf.size() < bytes) {
        rtf += plain +
               "and the crew watched. The crossing of the \\ul North Sea\\ulnone  took \\b three "
               "days\\b0  in \\i calm\\i0  weather, and the caf\\'e9 on deck served "
               "\\cf1\\f1\\fs24 hot "
               "soup\\cf0\\f0\\fs20  to everyone. " +
               plain + plain + plain + "Paragraph " + QByteArray::number(++n) + ".\\par\r\n";
    }
    return rtf + "}\r\n";
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QByteArray rtf = chapter(10 * 1024 * 1024);
    const double megabytes = rtf.size() / (1024.0 * 1024.0);
    std::printf("chapter: %.1f MB of RTF\n", megabytes);

    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    ReadRtf(rtf, document);
    const double read = seconds(timer);
    std::printf("read into a document  %7.3f s  %7.1f MB/s  (target 50 MB/s) %s\n", read,
                megabytes / read, megabytes / read >= 50 ? "ok" : "MISSED");

    timer.restart();
    const QByteArray written = WriteRtf(document);
    const double write = seconds(timer);
    const double writtenMb = written.size() / (1024.0 * 1024.0);
    std::printf("write back            %7.3f s  %7.1f MB/s  (target 100 MB/s) %s\n", write,
                writtenMb / write, writtenMb / write >= 100 ? "ok" : "MISSED");

    timer.restart();
    TRichEdit editor;
    editor.loadContent(rtf);
    const double load = seconds(timer);
    std::printf("load into the editor  %7.3f s  (target 1 s) %s\n", load,
                load <= 1.0 ? "ok" : "MISSED");

    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (!unrtf.isEmpty()) {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("chapter.rtf")));
        file.open(QIODevice::WriteOnly);
        file.write(rtf);
        file.close();
        QProcess process;
        timer.restart();
        process.start(unrtf, {QStringLiteral("--text"), file.fileName()});
        process.waitForFinished(-1);
        const double external = seconds(timer);
        std::printf("unrtf --text          %7.3f s  (our reader takes %.2f x its time)\n", external,
                    read / external);
    } else {
        std::printf("unrtf not installed: no comparison\n");
    }
    return 0;
}
