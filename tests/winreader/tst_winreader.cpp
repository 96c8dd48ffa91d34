// The Windows reader runtime under Wine: the sample book built by the batch builder, moved behind
// kestrin.exe, checks as the Linux runtime checks it, damaged books too (the message and exit 1,
// never a crash); the runtime needs no DLL that Windows does not have.
#include "testdir.h"

#include "core/book/elfimage.h"
#include "core/project/records.h"
#include "format/book/imageend.h"

#include <QBuffer>
#include <QDataStream>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

const QString kBinDir = QStringLiteral(QUORELLE_BIN_DIR);

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end and gives what it printed.
Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

// Copies the sample book into the folder.
void copySample(const CurrentTempDir& dir)
{
    QDirIterator files(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample"), QDir::Files);
    while (files.hasNext()) {
        files.next();
        QFile::copy(files.filePath(), dir.filePath(files.fileName()));
    }
}

// The book of the folder compiled, as the batch builder puts it behind the Linux runtime.
QByteArray compiledBook(const CurrentTempDir& dir)
{
    const Run built = run(kBinDir + u"/quorelle-build"_s, {dir.filePath(u"SAMPLE.QVJ"_s)});
    if (built.exitCode != 0)
        qFatal("quorelle-build: %s", qPrintable(built.err));
    const QByteArray exe = readBytes(dir.filePath(u"SAMPLE.EXE"_s));
    return exe.mid(ElfImageEnd(exe));
}

// The sample book compiled.
QByteArray sampleBook(const CurrentTempDir& dir)
{
    copySample(dir);
    return compiledBook(dir);
}

// The book as BOOK.EXE in the folder, behind the Windows runtime; its path.
QString bookExe(const CurrentTempDir& dir, const QByteArray& book)
{
    const QString exe = dir.filePath(u"BOOK.EXE"_s);
    writeBytes(exe, readBytes(kBinDir + u"/kestrin.exe"_s) + book);
    return exe;
}

QProcessEnvironment wineEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"WINEPREFIX"_s, QStringLiteral(QUORELLE_WINE_PREFIX));
    environment.insert(u"WINEDEBUG"_s, u"-all"_s);
    environment.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s);
    // Wine turns Unix paths into Windows ones by the locale's encoding: a bare machine has no
    // locale, and the test folders' names hold non-ASCII letters.
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    return environment;
}

// Wine in a prefix of the build tree (made on the first run, which takes a while), quiet, with no
// display: checking a book opens no window.
Run wine(const QString& exe, const QStringList& arguments)
{
    QProcessEnvironment environment = wineEnvironment();
    environment.remove(u"DISPLAY"_s);
    return run(u"wine"_s, QStringList{exe} + arguments, environment);
}

// The prefix's default printer prints PostScript into the file.
void addFilePrinter(const QString& output)
{
    const QString ppd =
        u"Z:"_s + QStringLiteral(QUORELLE_SOURCE_DIR "/tests/winreader/data/fileprinter.ppd")
                      .replace(u'/', u'\\');
    const Run added = wine(QStringLiteral(QUORELLE_ADDPRINTER_EXE), {ppd, output});
    if (added.exitCode != 0)
        qWarning("addprinter: %d %s", added.exitCode, qPrintable(added.err));
}

// The bytes with the record they start with changed.
template <class Record, class Change> QByteArray withRecord(QByteArray bytes, Change change)
{
    Record record;
    std::memcpy(&record, bytes.constData(), sizeof record);
    change(record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

// A file of the book's folder with a text of it replaced.
void replaceInFile(const QString& path, const QByteArray& text, const QByteArray& by)
{
    writeBytes(path, readBytes(path).replace(text, by));
}

// A chapter of the book's folder with rich text added at its end.
void appendToChapter(const QString& path, const QByteArray& rtf)
{
    QByteArray chapter = readBytes(path);
    writeBytes(path, chapter.insert(chapter.lastIndexOf('}'), rtf));
}

// Paragraphs "Line 1 of the log." and on, enough to fill pages.
QByteArray logLines(int count)
{
    QByteArray lines;
    for (int line = 1; line <= count; ++line)
        lines += "\\pard Line " + QByteArray::number(line) + " of the log.\\par ";
    return lines;
}

// The chapters' display file of the sample, changed.
template <class Change> void changeSampleDisplay(const CurrentTempDir& dir, Change change)
{
    const QString file = dir.filePath(u"SAMPLE.QVD"_s);
    writeBytes(file, withRecord<DisplayRecord>(readBytes(file), change));
}

// The book with its program background changed.
QByteArray withBackground(const QByteArray& book, int type, Colour colour, const QString& file)
{
    return withRecord<ProjectRecord>(book, [&](ProjectRecord& project) {
        project.Config.ProgBackType = type;
        project.Config.ProgBackColor = colour;
        project.Config.ProgGraphicFile.setText(file);
        project.Config.ProgWallpaperFile.setText(file);
    });
}

// The book with a yellow author box of three lines on its table of contents, and its own help
// file HELP.HTM at topic 7.
QByteArray withAuthorBoxAndHelp(const QByteArray& book)
{
    return withRecord<ProjectRecord>(book, [](ProjectRecord& project) {
        project.Config.UseHelpFile = 1;
        project.Config.HelpFile.setText(u"HELP.HTM"_s);
        project.Config.HelpTopic = 7;
        project.Menu.UseAuthorBox = 1;
        AuthorRecord& author = project.Menu.Author;
        for (PString<60>* line : {&author.AuthorLine1, &author.AuthorLine2, &author.AuthorLine3})
            line->setText(u"Mm Mm"_s);
        author.AuthorColor = 0x00FFFF;
        author.AuthorLeft = 10;
        author.AuthorTop = 10;
        author.AuthorWidth = 160;
        author.AuthorHeight = 100;
    });
}

// Ends the prefix's Wine session and every program of it.
void stopWine(const QProcessEnvironment& environment)
{
    for (const char* option : {"-k", "-w"}) {
        QProcess server;
        server.setProcessEnvironment(environment);
        server.start(u"wineserver"_s, {QString::fromLatin1(option)});
        server.waitForFinished(30000);
    }
}

// A book played as a reader plays it, on an X display of its own (Xvfb picks a free number) of
// 1024 x 768 as the screens are designed for: the test waits for what the runtime reports, then
// presses keys and clicks where the report says.
// What a reader's desktop holds besides the book.
enum class Desktop
{
    Bare,
    // Openbox, and another program's window in front with the focus as the book starts.
    ManagedWithAnotherProgram,
};

class BookSession
{
public:
    explicit BookSession(const QString& exe, Desktop desktop = Desktop::Bare)
        : m_environment(wineEnvironment())
    {
        stopWine(m_environment);
        m_display.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                                    u"-nolisten"_s, u"tcp"_s});
        if (m_display.waitForReadyRead(20000))
            m_displayName = u":"_s + QString::fromLatin1(m_display.readLine().trimmed());
        m_environment.insert(u"DISPLAY"_s, m_displayName);
        // A wave device for PlaySound on a machine without sound: ALSA's null device.
        m_environment.insert(u"ALSA_CONFIG_PATH"_s, QStringLiteral(QUORELLE_ALSA_NULL_CONFIG));
        if (desktop == Desktop::ManagedWithAnotherProgram)
            openAnotherProgram();
        m_book.setProcessEnvironment(m_environment);
        m_book.setWorkingDirectory(QFileInfo(exe).path());
        m_book.start(u"wine"_s, {exe, u"--screen-report"_s});
    }
    ~BookSession()
    {
        stopWine(m_environment);
        m_book.waitForFinished();
        if (m_x)
            XCloseDisplay(m_x);
        m_manager.terminate();
        m_manager.waitForFinished();
        m_display.terminate();
        m_display.waitForFinished();
    }

    // The first line from the last wait on that starts with `start`; fails the test after a
    // minute without it.
    QString waitFor(const QString& start)
    {
        for (;;) {
            for (; m_read < m_report.size(); ++m_read) {
                if (m_report.at(m_read).startsWith(start))
                    return m_report.at(m_read++);
            }
            if (!m_book.canReadLine() && !m_book.waitForReadyRead(60000)) {
                qWarning("waited for '%s' after:\n%s", qPrintable(start),
                         qPrintable(m_report.join(u'\n')));
                return {};
            }
            while (m_book.canReadLine())
                m_report << QString::fromUtf8(m_book.readLine()).trimmed();
        }
    }
    void keys(const QStringList& keys) { xdotool(QStringList{u"key"_s} + keys); }
    // From the start of the sample book to its table of contents: Enter closes the About box,
    // Escape the introduction.
    bool toContents()
    {
        if (waitFor(u"painted KestrinAbout"_s).isEmpty())
            return false;
        keys({u"Return"_s});
        if (waitFor(u"painted KestrinIntroduction"_s).isEmpty())
            return false;
        keys({u"Escape"_s});
        return !waitFor(u"painted KestrinContents"_s).isEmpty();
    }
    // From the start to the chapter at `index` of the table of contents: the report's
    // "phrases: N" line once the chapter is painted.
    QString toChapter(int index)
    {
        if (!toContents())
            return {};
        QStringList keys(index, u"Down"_s);
        keys << u"Return"_s;
        this->keys(keys);
        return waitFor(u"phrases:"_s);
    }
    // Keys for a dialog or message box once it is on the screen (the report tells of a box just
    // before it shows).
    void answer(const QString& caption, const QStringList& keys)
    {
        xdotool(
            {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + caption + u"$"_s});
        if (!keys.isEmpty())
            this->keys(keys);
    }
    void type(const QString& text) { xdotool({u"type"_s, text}); }
    // Waits until exactly `count` windows of the caption are on the screen.
    void awaitWindows(const QString& caption, int count)
    {
        for (int wait = 0; wait < 300; ++wait) {
            if (xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + caption + u"$"_s})
                    .count('\n') == count)
                return;
            QThread::msleep(100);
        }
    }
    // Clicks the window of the caption at a place of it, as a reader does.
    void clickIn(const QString& caption, const QPoint& at)
    {
        const QByteArray geometry =
            xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s,
                     u"^"_s + caption + u"$"_s, u"getwindowgeometry"_s, u"--shell"_s});
        QPoint origin;
        for (const QByteArray& line : geometry.split('\n')) {
            if (line.startsWith("X="))
                origin.setX(line.mid(2).toInt());
            else if (line.startsWith("Y="))
                origin.setY(line.mid(2).toInt());
        }
        click(origin + at);
    }
    void move(const QPoint& to)
    {
        xdotool({u"mousemove"_s, QString::number(to.x()), QString::number(to.y())});
    }
    void click(const QPoint& at, int button = 1)
    {
        xdotool({u"mousemove"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s,
                 QString::number(button)});
    }
    // The screen once Wine's drawing has reached it.
    QImage screenshot() const
    {
        QThread::msleep(500);
        return grab();
    }
    // The screen once Wine's drawing has reached the X server, which is a moment after the
    // report (until then the corner is the server's black, and no background of these tests is
    // black), and has stopped changing (a window erased but not yet painted may be caught on a
    // loaded machine).
    QImage settledScreen() const
    {
        QElapsedTimer drawn;
        drawn.start();
        QImage screen = grab();
        while (screen.pixelColor(5, 5) == QColor(Qt::black) && drawn.elapsed() < 10000) {
            QThread::msleep(100);
            screen = grab();
        }
        for (QImage before; screen != before && drawn.elapsed() < 20000;) {
            before = screen;
            QThread::msleep(300);
            screen = grab();
        }
        return screen;
    }
    bool finished(int milliseconds) { return m_book.waitForFinished(milliseconds); }
    // The most memory the book's process has held, in bytes (the largest of the Linux processes
    // that run it under Wine); -1 when none is found.
    qint64 peakMemory() const
    {
        static const QRegularExpression peak(u"VmHWM:\\s+(\\d+) kB"_s);
        qint64 most = -1;
        for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            if (!readBytes(u"/proc/"_s + pid + u"/cmdline"_s).contains("BOOK.EXE"))
                continue;
            const QRegularExpressionMatch match =
                peak.match(QString::fromLatin1(readBytes(u"/proc/"_s + pid + u"/status"_s)));
            if (match.hasMatch())
                most = std::max(most, match.captured(1).toLongLong() * 1024);
        }
        return most;
    }
    // Whether the window manager's active window is the one of the caption, within ten seconds.
    // Activates the window of the caption once it is on the screen, as a click on it does.
    void activate(const QString& caption)
    {
        xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s,
                 u"^"_s + caption + u"$"_s, u"windowactivate"_s, u"--sync"_s});
    }
    bool activeWindowBecomes(const QString& caption, int tenthsOfASecond = 100) const
    {
        for (int wait = 0; wait < tenthsOfASecond; ++wait) {
            if (xdotool({u"getactivewindow"_s, u"getwindowname"_s}).trimmed() == caption.toUtf8())
                return true;
            QThread::msleep(100);
        }
        return false;
    }
    int exitCode() const { return m_book.exitCode(); }
    const QStringList& report() const { return m_report; }
    // The mouse cursor the display shows, as a picture.
    QImage cursor() const
    {
        Display* x = XOpenDisplay(m_displayName.toLatin1().constData());
        if (!x)
            return {};
        QImage image;
        if (XFixesCursorImage* cursor = XFixesGetCursorImage(x)) {
            image = QImage(cursor->width, cursor->height, QImage::Format_ARGB32);
            for (int y = 0; y < cursor->height; ++y) {
                for (int i = 0; i < cursor->width; ++i)
                    image.setPixel(i, y, QRgb(cursor->pixels[y * cursor->width + i]));
            }
            XFree(cursor);
        }
        XCloseDisplay(x);
        return image;
    }

private:
    void openAnotherProgram()
    {
        m_manager.setProcessEnvironment(m_environment);
        m_manager.start(u"openbox"_s, {u"--sm-disable"_s});
        m_x = XOpenDisplay(m_displayName.toLatin1().constData());
        QVERIFY(m_x);
        const Atom managed = XInternAtom(m_x, "_NET_SUPPORTING_WM_CHECK", False);
        for (int wait = 0; wait < 100 && !rootHolds(managed); ++wait)
            QThread::msleep(100);
        const Window window = XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 0, 0, 1000, 740, 0,
                                                  0, WhitePixel(m_x, DefaultScreen(m_x)));
        XStoreName(m_x, window, "Another program");
        XMapWindow(m_x, window);
        XFlush(m_x);
        // The reader clicks it, whether or not the manager focused it as it came up, and again
        // if the manager had not taken it in yet.
        bool active = false;
        for (int click = 0; click < 20 && !active; ++click) {
            xdotool({u"windowactivate"_s, QString::number(window)});
            active = activeWindowBecomes(u"Another program"_s, 10);
        }
        QVERIFY(active);
    }
    bool rootHolds(Atom property) const
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long left = 0;
        unsigned char* data = nullptr;
        const bool held =
            XGetWindowProperty(m_x, DefaultRootWindow(m_x), property, 0, 1, False, XA_WINDOW, &type,
                               &format, &count, &left, &data) == Success &&
            count == 1;
        XFree(data);
        return held;
    }
    // The display as it is.
    QImage grab() const
    {
        QProcess import;
        import.start(u"import"_s,
                     {u"-display"_s, m_displayName, u"-window"_s, u"root"_s, u"png:-"_s});
        import.waitForFinished(30000);
        return QImage::fromData(import.readAllStandardOutput(), "PNG");
    }
    // What the tool printed.
    QByteArray xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(m_environment);
        tool.start(u"xdotool"_s, arguments);
        tool.waitForFinished(30000);
        return tool.readAllStandardOutput();
    }

    QProcessEnvironment m_environment;
    QProcess m_display;
    QString m_displayName;
    QProcess m_manager;
    Display* m_x = nullptr;
    QProcess m_book;
    QStringList m_report;
    qsizetype m_read = 0;
};

// "phrase: ship's horn at 494,271" as the phrase and its place.
QHash<QString, QPoint> phrasesOf(const QStringList& report)
{
    QHash<QString, QPoint> phrases;
    static const QRegularExpression line(u"^phrase: (.*) at (\\d+),(\\d+)$"_s);
    for (const QString& said : report) {
        const QRegularExpressionMatch match = line.match(said);
        if (match.hasMatch())
            phrases.insert(match.captured(1),
                           QPoint(match.captured(2).toInt(), match.captured(3).toInt()));
    }
    return phrases;
}

// The sample book as a Windows author makes it: its programs are Windows programs (the recording
// program stands in for them), and the book's folder holds them.
QByteArray windowsSampleBook(const CurrentTempDir& dir)
{
    copySample(dir);
    replaceInFile(dir.filePath(u"SAMPLE.QVR"_s), "HELLO.SH", "RECORD.EXE");
    QFile::copy(QStringLiteral(QUORELLE_RECORD_EXE), dir.filePath(u"RECORD.EXE"_s));
    return compiledBook(dir);
}

// A valid PNG of 8000 x 8000 transparent pixels in about 250 KB: decoded, it takes 256 MB, and
// its header declares more than a picture may have.
QByteArray hugePng()
{
    const auto chunk = [](const QByteArray& type, const QByteArray& data) {
        QByteArray out;
        QDataStream stream(&out, QIODevice::WriteOnly);
        stream << quint32(data.size());
        const QByteArray body = type + data;
        out += body;
        QDataStream crc(&out, QIODevice::Append);
        crc << quint32(
            crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
        return out;
    };
    const quint32 side = 8000;
    QByteArray header;
    QDataStream sides(&header, QIODevice::WriteOnly);
    sides << side << side << quint8(8) << quint8(6) << quint8(0) << quint8(0) << quint8(0);
    const QByteArray rows(qsizetype(side) * (side * 4 + 1), '\0'); // RGBA, no filter
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) +
           chunk("IDAT", qCompress(rows, 9).mid(4)) + chunk("IEND", {});
}

// Pages (.HTM) of the prefix open with the recording program, as a browser would open them.
void openPagesWithRecorder()
{
    const QString recorder = u"Z:"_s + QStringLiteral(QUORELLE_RECORD_EXE).replace(u'/', u'\\');
    const QString classes = u"HKCR\\"_s;
    for (const QStringList& key : {QStringList{classes + u".htm"_s, u"KestrinTestPage"_s},
                                   QStringList{classes + u"KestrinTestPage\\shell\\open\\command"_s,
                                               u"\""_s + recorder + u"\" \"%1\""_s}})
        wine(u"reg"_s, {u"add"_s, key[0], u"/ve"_s, u"/d"_s, key[1], u"/f"_s});
}

// The lines RECORD.TXT holds once it holds `count` of them (programs write it a moment after
// they start).
QStringList recorded(const CurrentTempDir& dir, int count)
{
    QStringList lines;
    for (int wait = 0; wait < 300 && lines.size() < count; ++wait) {
        QThread::msleep(100);
        lines = QString::fromUtf8(readBytes(dir.filePath(u"RECORD.TXT"_s)))
                    .split(QRegularExpression(u"\r?\n"_s), Qt::SkipEmptyParts);
    }
    return lines;
}

// A chapter as a word processor writes one: the same word bold and then plain, then a table, a
// picture and a bulleted list before the sample chapter's phrases.
QByteArray wordProcessorChapter(QByteArray chapter)
{
    QImage dot(40, 30, QImage::Format_RGB32);
    dot.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    dot.save(&buffer, "PNG");
    const QByteArray row = "\\trowd\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\brdrw10\\cellx2000"
                           "\\clbrdrt\\brdrs\\brdrw10\\cellx4000\\pard\\plain\\intbl\\fs24 ";
    const QByteArray before =
        "\\pard\\fs24 Haul the {\\b\\ul rope}, then the {\\ul rope}. Ship's stores:\\par " + row +
        "Rope\\cell 40 fathoms\\cell\\row " + row +
        "Tar\\cell 2 barrels\\cell\\row \\pard\\fs24 {\\pict\\pngblip\\picw40\\pich30 " +
        png.toHex() +
        "}\\par {\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-360\\li720 Stow the tar.\\par \\pard ";
    chapter.replace("{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}}",
                    "{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
                    "{\\f1\\fnil\\fcharset2 Symbol;}}");
    chapter.insert(chapter.indexOf("\\pard\\f0"), before);
    return chapter;
}

// The pixels of an area of the screen that pass the test: how many, and the rectangle around them.
template <class Test>
std::pair<int, QRect> pixelsWhere(const QImage& screen, const QRect& area, Test test)
{
    int count = 0;
    QRect around;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(screen.pixel(x, y))) {
                ++count;
                around |= QRect(x, y, 1, 1);
            }
        }
    }
    return {count, around};
}

// How many dark pixels the screen has around a point: the ink of a word.
int inkAround(const QImage& screen, const QPoint& middle)
{
    return pixelsWhere(screen, QRect(middle - QPoint(14, 7), QSize(29, 15)),
                       [](QRgb pixel) { return qGray(pixel) < 128; })
        .first;
}

} // namespace

class WindowsReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // The prefix, made now on a new machine, so that Wine's words on making it reach no test.
    void initTestCase() { wine(u"wineboot"_s, {u"--init"_s}); }

    // The sample book gets the same summary from both runtimes' checks; cut short or with bytes
    // changed, it gets the same verdict and message from both: refused with exit 1, or (damage in a
    // chapter's text) its summary; never a crash. The runtime alone holds no book. Three hundred
    // mutants: the format library's own fuzzing covers the rest. Played, a damaged book is told in
    // a message box and the runtime ends with exit 1.
    void sampleAndDamagedBooks_getTheLinuxVerdict()
    {
        CurrentTempDir dir;
        const QByteArray book = sampleBook(dir);
        const QByteArray windowsImage = readBytes(kBinDir + u"/kestrin.exe"_s);
        const QByteArray linuxImage = readBytes(kBinDir + u"/kestrin.bin"_s);
        QVERIFY(windowsImage.size() + book.size() < 3 * 1024 * 1024);
        QRandomGenerator random(27);
        QList<QByteArray> books{book, {}}; // the sample, then the runtime alone
        for (int i = 0; i < 30; ++i)
            books << book.left(random.bounded(int(book.size())));
        while (books.size() < 302) {
            QByteArray mutant = book;
            for (int bytes = 1 + random.bounded(4); bytes > 0; --bytes)
                mutant[random.bounded(int(book.size()))] = char(random.bounded(256));
            books << mutant;
        }
        QList<Run> verdicts;
        for (const QByteArray& played : std::as_const(books)) {
            writeBytes(dir.filePath(u"BOOK.EXE"_s), windowsImage + played);
            writeBytes(dir.filePath(u"BOOK.BIN"_s), linuxImage + played);
            QFile::setPermissions(dir.filePath(u"BOOK.BIN"_s), QFile::ReadOwner | QFile::ExeOwner);
            Run windows = wine(dir.filePath(u"BOOK.EXE"_s), {u"--verify"_s});
            const Run linux = run(dir.filePath(u"BOOK.BIN"_s), {u"--verify"_s});
            // Under load Wine now and then loses all a short-lived program printed: once more.
            if (windows.out.isEmpty() && windows.err.isEmpty())
                windows = wine(dir.filePath(u"BOOK.EXE"_s), {u"--verify"_s});
            QCOMPARE(windows.exitCode, linux.exitCode);
            QCOMPARE(windows.err, linux.err);
            QCOMPARE(windows.out, linux.out);
            verdicts << windows;
        }
        QCOMPARE(verdicts.at(0).exitCode, 0);
        QCOMPARE(verdicts.at(1).err, u"The e-book is damaged: the program holds no book."_s);
        QCOMPARE(verdicts.at(1).exitCode, 1);
        QVERIFY(std::count_if(verdicts.cbegin(), verdicts.cend(),
                              [](const Run& verdict) { return verdict.exitCode == 1; }) >= 31);

        BookSession played(bookExe(dir, book.left(5000)));
        QVERIFY(played.waitFor(u"Error:"_s).startsWith(u"Error: The e-book is damaged: "_s));
        played.answer(u"Error"_s, {u"Return"_s});
        QVERIFY(played.finished(30000));
        QCOMPARE(played.exitCode(), 1);
    }

    // The program background fills the screen in the book's colour, with its wallpaper tiled from
    // the top left, or in its colour with the message when the wallpaper is missing.
    void programBackground_drawnAsTheBookSays()
    {
        CurrentTempDir dir;
        const QByteArray book = sampleBook(dir);
        // The screen once the background is painted, and what the report says of `awaited`.
        const auto play = [&](const QByteArray& played, const QString& awaited = {}) {
            BookSession session(bookExe(dir, played));
            const QString said = session.waitFor(u"painted KestrinBackground"_s);
            const QString told = awaited.isEmpty() ? said : session.waitFor(awaited);
            return std::pair{session.settledScreen(), told};
        };

        auto [screen, said] = play(withBackground(book, 1, 0x0000FF, {}));
        QCOMPARE(said, u"painted KestrinBackground 0,0 1024x768"_s);
        QCOMPARE(screen.pixelColor(5, 5), QColor(255, 0, 0));
        QCOMPARE(screen.pixelColor(1000, 700), QColor(255, 0, 0));

        const QImage sun(dir.filePath(u"SUN.BMP"_s));
        screen = play(withBackground(book, 3, 0x0000FF, u"SUN.BMP"_s)).first;
        QCOMPARE(screen.pixelColor(3, 4), sun.pixelColor(3, 4));
        QCOMPARE(screen.pixelColor(sun.width() + 3, sun.height() + 4), sun.pixelColor(3, 4));

        // A picture stretched over the screen reaches its edges in its own colours, the right
        // way up: no dark fringe from outside the picture on the right and at the bottom. Read
        // from a BMP's own bytes, or decoded from a JPEG (whose colours may be a little off).
        QImage bands(40, 30, QImage::Format_RGB32);
        bands.fill(QColor(0, 200, 0));
        for (int y = 15; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                bands.setPixel(x, y, qRgb(0, 0, 200));
        bands.save(dir.filePath(u"BANDS.BMP"_s), "BMP");
        bands.save(dir.filePath(u"BANDS.JPG"_s), "JPG", 100);
        const auto near = [](const QColor& seen, const QColor& meant) {
            return qAbs(seen.red() - meant.red()) + qAbs(seen.green() - meant.green()) +
                       qAbs(seen.blue() - meant.blue()) <=
                   12;
        };
        for (const QString& file : {u"BANDS.BMP"_s, u"BANDS.JPG"_s}) {
            screen = play(withBackground(book, 2, 0x0000FF, file)).first;
            // (The About box comes up over the middle of the screen.)
            for (const QPoint& at : {QPoint(0, 0), QPoint(1023, 0), QPoint(1023, 300)})
                QVERIFY2(near(screen.pixelColor(at), QColor(0, 200, 0)), qPrintable(file));
            for (const QPoint& at : {QPoint(0, 500), QPoint(500, 767), QPoint(1023, 767)})
                QVERIFY2(near(screen.pixelColor(at), QColor(0, 0, 200)), qPrintable(file));
        }

        // The message box is up over the background until the reader closes it.
        std::tie(screen, said) =
            play(withBackground(book, 3, 0x00FF00, u"GONE.BMP"_s), u"Error: The Wallpaper"_s);
        QCOMPARE(said, u"Error: The Wallpaper file GONE.BMP was not found"_s);
        QCOMPARE(screen.pixelColor(5, 5), QColor(0, 255, 0));
    }

    // The sample book, with an author box and a help file, looks as on Linux. Its About box comes
    // up at the start over the background; Enter closes it and the introduction follows. The
    // author box's lines lie 16 pixels apart, as in the tool's mock-up. In the chapters the scroll
    // bar is there while the text fits (the text wraps at the same width whatever its length), the
    // mouse shows the arrow over the text, not a field's text cursor, and a video's player shows
    // its first frame before Play. Help on the table of contents opens the book's help file in the
    // reader's browser at the book's topic; a missing file is told.
    void sampleBook_looksAsOnLinux()
    {
        CurrentTempDir dir;
        openPagesWithRecorder();
        BookSession book(bookExe(dir, withAuthorBoxAndHelp(sampleBook(dir))));
        QCOMPARE(book.waitFor(u"painted"_s), u"painted KestrinBackground 0,0 1024x768"_s);
        QVERIFY(book.waitFor(u"painted"_s).startsWith(u"painted KestrinAbout"_s));
        book.keys({u"Return"_s});
        QCOMPARE(book.waitFor(u""_s), u"closed KestrinAbout"_s);
        // The design screen is centred on the 1024 x 768 screen, its menu bar inside it.
        QVERIFY(book.waitFor(u""_s).startsWith(u"painted KestrinIntroduction 192,14"_s));
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"painted KestrinContents"_s).isEmpty());

        QImage screen = book.screenshot();
        const QRect box = pixelsWhere(screen, screen.rect(), [](QRgb pixel) {
                              return pixel == qRgb(255, 255, 0);
                          }).second;
        QVERIFY2(box.width() > 100, qPrintable(u"%1x%2"_s.arg(box.width()).arg(box.height())));
        QList<int> lineTops; // the first row of each line's ink
        bool inked = false;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            bool ink = false;
            for (int x = box.left(); x <= box.right() && !ink; ++x)
                ink = qGray(screen.pixel(x, y)) < 100;
            if (ink && !inked)
                lineTops << y;
            inked = ink;
        }
        QCOMPARE(lineTops.size(), 3);
        QCOMPARE(lineTops[1] - lineTops[0], 16);
        QCOMPARE(lineTops[2] - lineTops[1], 16);

        book.keys({u"Return"_s});
        QCOMPARE(book.waitFor(u"phrases:"_s), u"phrases: 6"_s);
        // The text window of the sample lies from 253 to 771 across; its last line is high up.
        screen = book.screenshot();
        QCOMPARE(screen.pixelColor(500, 500), QColor(Qt::white));
        QVERIFY2(screen.pixelColor(760, 500) != QColor(Qt::white),
                 qPrintable(screen.pixelColor(760, 500).name()));
        book.move(QPoint(100, 400)); // the background: the desktop's arrow
        QImage arrow;
        QTRY_VERIFY_WITH_TIMEOUT(!(arrow = book.cursor()).isNull(), 5000);
        book.move(QPoint(500, 450)); // below the text, inside its window
        QThread::msleep(500);
        QCOMPARE(book.cursor(), arrow);

        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinChapter"_s).isEmpty());
        book.keys({u"Down"_s, u"Return"_s});
        QCOMPARE(book.waitFor(u"phrases:"_s), u"phrases: 5"_s);
        book.click(phrasesOf(book.report()).value(u"waves"_s));
        const QStringList player = book.waitFor(u"painted KestrinMediaPlayer"_s).split(u' ');
        const QStringList corner = player.value(2).split(u',');
        QVERIFY(corner.size() == 2);
        // Below the button row: the film's sky and sea are blue, the player's face grey.
        const QRect video(corner[0].toInt(), corner[1].toInt() + 48, 338, 64);
        const int blue = pixelsWhere(book.screenshot(), video, [](QRgb pixel) {
                             return qBlue(pixel) > qRed(pixel) + 60;
                         }).first;
        QVERIFY2(blue > 1000, qPrintable(QString::number(blue)));

        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinMediaPlayer"_s).isEmpty());
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinChapter"_s).isEmpty());
        book.keys({u"alt+h"_s});
        QCOMPARE(book.waitFor(u"Error:"_s), u"Error: The help file HELP.HTM was not found"_s);
        book.answer(u"Error"_s, {u"Return"_s});
        writeBytes(dir.filePath(u"HELP.HTM"_s), "<section id=\"7\"><h2>Steering</h2></section>");
        book.keys({u"alt+h"_s});
        const QString opened = book.waitFor(u"Help:"_s);
        QVERIFY2(opened.startsWith(u"Help: file:///"_s) &&
                     opened.endsWith(u"/kestrin-help.htm#7"_s),
                 qPrintable(opened));
        QVERIFY(recorded(dir, 1).value(0).endsWith(u"kestrin-help-topic.htm"_s));
    }

    // The reader goes from the introduction to the table of contents and into each chapter with
    // the keyboard, and clicks every phrase where the runtime reports it: each reaches its own
    // action, a pop-up where its author placed it.
    void everyKindOfPhrase_reachesItsAction()
    {
        CurrentTempDir dir;
        const QString exe = bookExe(dir, windowsSampleBook(dir));
        openPagesWithRecorder();
        BookSession book(exe);
        QVERIFY(book.toContents());
        book.keys({u"Return"_s});
        QVERIFY(!book.waitFor(u"painted KestrinChapter"_s).isEmpty());
        QCOMPARE(book.waitFor(u"phrases:"_s), u"phrases: 6"_s);
        QHash<QString, QPoint> phrases = phrasesOf(book.report());

        book.click(phrases.value(u"note"_s));
        QCOMPARE(book.waitFor(u"painted KestrinPopup"_s),
                 u"painted KestrinPopup 312,224 403x200"_s);
        book.keys({u"Return"_s});
        QVERIFY(!book.waitFor(u"closed KestrinPopup"_s).isEmpty());

        book.click(phrases.value(u"sunrise"_s)); // a picture for three seconds
        QVERIFY(!book.waitFor(u"painted KestrinShow 192,144 640x480"_s).isEmpty());
        QVERIFY(!book.waitFor(u"closed KestrinShow"_s).isEmpty());
        book.click(phrases.value(u"ship's horn"_s));
        QCOMPARE(book.waitFor(u"Sound:"_s), u"Sound: WAVE.WAV"_s);
        book.click(phrases.value(u"sun and wave"_s));
        QVERIFY(!book.waitFor(u"painted KestrinShow"_s).isEmpty());
        QCOMPARE(book.waitFor(u"Sound:"_s), u"Sound: WAVE.WAV"_s);
        QVERIFY(!book.waitFor(u"closed KestrinShow"_s).isEmpty());

        book.click(phrases.value(u"harbour chart"_s));
        QVERIFY(!book.waitFor(u"painted KestrinTextScreen"_s).isEmpty());
        book.click(QPoint(210, 600), 3); // a right click on its background closes it
        QVERIFY(!book.waitFor(u"closed KestrinTextScreen"_s).isEmpty());
        book.click(phrases.value(u"harbour page"_s));
        QCOMPARE(book.waitFor(u"Open:"_s), u"Open: PAGE.HTM"_s);
        const QStringList page = recorded(dir, 1);
        QVERIFY2(page.value(0).endsWith(u"PAGE.HTM"_s), qPrintable(page.join(u'|')));

        // Find (Alt+F, the book's caption) finds text after the caret, which the last click left in
        // "harbour page", and selects it; the reader
        // leaves its box open, clicks the text (the page's program took the focus) and closes the
        // chapter, and the box with it.
        book.keys({u"alt+f"_s});
        book.answer(u"Find"_s, {});
        book.type(u"harbour"_s);
        book.keys({u"Return"_s});
        QCOMPARE(book.waitFor(u"Found:"_s), u"Found: nothing"_s);
        book.keys(QStringList(7, u"BackSpace"_s));
        book.type(u"browser"_s);
        book.keys({u"Return"_s});
        QVERIFY(book.waitFor(u"Found:"_s).startsWith(u"Found: browser at "_s));
        book.click(QPoint(512, 500));
        book.keys({u"Escape"_s}); // back to the table of contents
        QVERIFY(!book.waitFor(u"closed KestrinChapter"_s).isEmpty());
        book.keys({u"Down"_s, u"Return"_s});
        QVERIFY(!book.waitFor(u"painted KestrinChapter"_s).isEmpty());
        QCOMPARE(book.waitFor(u"phrases:"_s), u"phrases: 5"_s);
        phrases = phrasesOf(book.report());

        book.click(phrases.value(u"sea shanty"_s)); // a tune: the player's button row only
        QVERIFY(book.waitFor(u"painted KestrinMediaPlayer"_s).endsWith(u"338x48"_s));
        book.keys({u"Escape"_s});
        book.click(phrases.value(u"waves"_s)); // a video: the player shows it below its buttons
        QVERIFY(book.waitFor(u"painted KestrinMediaPlayer"_s).endsWith(u"338x112"_s));
        book.keys({u"Escape"_s});

        // A program starts once the reader allows it, asked with the Linux runtime's question.
        book.click(phrases.value(u"log program"_s));
        QVERIFY(book.waitFor(u"Confirm:"_s).contains(u"RECORD.EXE"_s));
        book.answer(u"Confirm"_s, {u"Return"_s});
        QCOMPARE(recorded(dir, 3).mid(1), QStringList({u"the"_s, u"log"_s}));
        book.click(phrases.value(u"captain's letter"_s));
        QVERIFY(!book.waitFor(u"Confirm:"_s).isEmpty());
        book.answer(u"Confirm"_s, {u"Return"_s});
        const QStringList letter = recorded(dir, 4);
        QVERIFY(letter.value(3).endsWith(u"\\LETTER.TXT"_s));

        // The notepad: typed text is saved when the reader says so on leaving it.
        book.click(phrases.value(u"notes"_s));
        QVERIFY(!book.waitFor(u"painted KestrinNotepad"_s).isEmpty());
        book.type(u"Ahoy "_s);
        book.keys({u"Escape"_s});
        QCOMPARE(book.waitFor(u"Confirm:"_s), u"Confirm: File NOTES.TXT has changed. Save Now?"_s);
        book.answer(u"Confirm"_s, {u"Return"_s});
        QVERIFY(!book.waitFor(u"closed KestrinNotepad"_s).isEmpty());
        QCOMPARE(readBytes(dir.filePath(u"NOTES.TXT"_s)),
                 QByteArray("Ahoy Your notes about the crossing.\r\n"));

        // Closing the chapter and the table of contents ends the book.
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinChapter"_s).isEmpty());
        book.keys({u"Escape"_s});
        QVERIFY(book.finished(30000));
        QCOMPARE(book.exitCode(), 0);
    }

    // The notepad keeps the reader's files and the book's place: a read-only file is refused and
    // stays read-only, Replace All starts at the caret, a failed Open keeps the file's name, the
    // file dialogs leave the book's folder current, and its Find leaves the chapter's Find box
    // its keys.
    void notepad_keepsFilesNamesAndTheBooksPlace()
    {
        CurrentTempDir dir;
        const QString exe = bookExe(dir, windowsSampleBook(dir));
        const QString notes = dir.filePath(u"NOTES.TXT"_s);
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QFile::setPermissions(notes, readOnly);
        QDir(dir.path()).mkdir(u"old"_s);
        writeBytes(dir.filePath(u"old/OLD.TXT"_s), "Last year's notes.\r\n");
        QFile big(dir.filePath(u"BIG.TXT"_s)); // beyond what the notepad opens
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(65 << 20));
        big.close();
        BookSession book(exe);
        QCOMPARE(book.toChapter(1), u"phrases: 5"_s);
        const QHash<QString, QPoint> phrases = phrasesOf(book.report());
        book.keys({u"alt+f"_s}); // the chapter's Find box stays open
        book.answer(u"Find"_s, {});
        book.click(phrases.value(u"notes"_s));
        QVERIFY(!book.waitFor(u"painted KestrinNotepad"_s).isEmpty());

        book.type(u"Ahoy "_s);
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"Confirm:"_s).isEmpty());
        book.answer(u"Confirm"_s, {u"Return"_s});
        QCOMPARE(book.waitFor(u"Error:"_s), u"Error: File access denied: NOTES.TXT"_s);
        book.answer(u"Error"_s, {u"Return"_s});
        QCOMPARE(readBytes(notes), QByteArray("Your notes about the crossing.\r\n"));
        QCOMPARE(QFile::permissions(notes) & QFile::WriteOwner, QFile::Permissions());

        book.keys({u"alt+e"_s, u"e"_s});
        book.answer(u"Replace"_s, {});
        book.type(u"o"_s);
        book.keys({u"Tab"_s});
        book.type(u"0"_s);
        book.keys({u"alt+a"_s, u"Escape"_s});
        book.keys({u"alt+e"_s, u"f"_s});
        book.awaitWindows(u"Find"_s, 2);
        book.keys({u"Escape"_s});
        book.awaitWindows(u"Find"_s, 1);
        QFile::setPermissions(notes, readOnly | QFile::WriteOwner);
        book.keys({u"ctrl+s"_s});
        QTRY_COMPARE_WITH_TIMEOUT(readBytes(notes),
                                  QByteArray("Ahoy Y0ur n0tes ab0ut the cr0ssing.\r\n"), 20000);

        book.keys({u"ctrl+o"_s});
        book.answer(u"Open Text File"_s, {});
        book.type(u"BIG.TXT"_s);
        book.keys({u"Return"_s});
        QVERIFY(book.waitFor(u"Error:"_s).startsWith(u"Error: Cannot open file "_s));
        book.answer(u"Error"_s, {u"Return"_s});
        book.keys({u"ctrl+s"_s}); // saves the notes again, never under the name that failed
        book.keys({u"ctrl+o"_s});
        book.answer(u"Open Text File"_s, {});
        book.type(u"old"_s); // into the folder, as a reader browses
        book.keys({u"Return"_s});
        QThread::msleep(500);
        book.type(u"OLD.TXT"_s);
        book.keys({u"Return"_s});
        book.awaitWindows(u"Open Text File"_s, 0);
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinNotepad"_s).isEmpty());
        QCOMPARE(QFileInfo(big).size(), qint64(65) << 20);

        book.clickIn(u"Find"_s, QPoint(150, 18)); // its Find What field
        book.type(u"."_s);                        // after "notes", where the click left the caret
        book.keys({u"Return"_s});
        QVERIFY(book.waitFor(u"Found:"_s).startsWith(u"Found: . at "_s));
        book.keys({u"Escape"_s}); // the box lies over the phrase
        book.awaitWindows(u"Find"_s, 0);
        book.click(phrases.value(u"sea shanty"_s)); // found in the book's folder still
        QVERIFY(!book.waitFor(u"painted KestrinMediaPlayer"_s).isEmpty());
    }

    // The first chapter on a wallpaper, with a long sound under its picture show, its sunrise
    // picture a link out of the book's folder and many more lines, behaves as on Linux:
    // - the wallpaper under a title bar tiles from the corner of the screen area below the bar:
    //   the tile's dark corner is the first thing under the bar;
    // - a name of the book's folder that is a link to a file elsewhere is refused: the book
    //   reaches only the files of its own folder, and its own picture still shows;
    // - a picture show's sound plays to its end: Escape during it closes the show once the sound
    //   has ended;
    // - a click in a chapter the reader has scrolled leaves the view where it is: finding out
    //   whether the click was on a phrase once scrolled back to the old caret.
    void firstChapter_behavesAsOnLinux()
    {
        CurrentTempDir dir;
        copySample(dir);
        QImage tile(64, 64, QImage::Format_RGB32);
        tile.fill(Qt::green);
        QPainter(&tile).fillRect(0, 0, 8, 8, Qt::black);
        QVERIFY(tile.save(dir.filePath(u"TILE.BMP"_s), "BMP"));
        changeSampleDisplay(dir, [](DisplayRecord& display) {
            display.BackType = 3;
            display.WallpaperFile.setText(u"TILE.BMP"_s);
        });
        QTemporaryDir elsewhere;
        QFile::copy(dir.filePath(u"SUN.BMP"_s), elsewhere.filePath(u"PRIVATE.BMP"_s));
        QVERIFY(QFile::link(elsewhere.filePath(u"PRIVATE.BMP"_s), dir.filePath(u"LINKED.BMP"_s)));
        replaceInFile(dir.filePath(u"SAMPLE.QVR"_s), "command=SUN.BMP,30", "command=LINKED.BMP,30");
        const auto le = [](quint32 value, int size) {
            return QByteArray(reinterpret_cast<const char*>(&value), size);
        };
        const QByteArray silence(8000 * 3, char(0x80)); // three seconds of 8-bit mono at 8 kHz
        writeBytes(dir.filePath(u"LONG.WAV"_s), "RIFF" + le(36 + silence.size(), 4) + "WAVEfmt " +
                                                    le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
                                                    le(8000, 4) + le(1, 2) + le(8, 2) + "data" +
                                                    le(silence.size(), 4) + silence);
        replaceInFile(dir.filePath(u"SAMPLE.QVR"_s), "command=SUN.BMP,WAVE.WAV,20",
                      "command=SUN.BMP,LONG.WAV");
        appendToChapter(dir.filePath(u"DEPART.QLF"_s), logLines(80));
        BookSession book(bookExe(dir, compiledBook(dir)));
        QCOMPARE(book.toChapter(0), u"phrases: 6"_s);
        const QImage screen = book.screenshot();
        // Down the chapter screen's left edge from its menu bar: the title bar, then the area.
        const int x = 196;
        int top = 150;
        while (top < 400 && screen.pixelColor(x, top) != QColor(Qt::green) &&
               qGray(screen.pixel(x, top)) > 40)
            ++top;
        QCOMPARE(screen.pixelColor(x, top + 3), QColor(Qt::black));

        const QHash<QString, QPoint> phrases = phrasesOf(book.report());
        book.click(phrases.value(u"sunrise"_s));
        QCOMPARE(book.waitFor(u"Error:"_s),
                 u"Error: The HyperText entry \"sunrise\" names LINKED.BMP, which is not a file "
                 "of the book's folder."_s);
        book.answer(u"Error"_s, {u"Return"_s});
        book.click(phrases.value(u"sun and wave"_s));
        QVERIFY(!book.waitFor(u"painted KestrinShow"_s).isEmpty());
        QCOMPARE(book.waitFor(u"Sound:"_s), u"Sound: LONG.WAV"_s);
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinShow"_s).isEmpty());
        const QStringList said = book.report();
        QVERIFY2(said.indexOf(u"Sound ended: LONG.WAV"_s) >= 0 &&
                     said.indexOf(u"Sound ended: LONG.WAV"_s) <
                         said.indexOf(u"closed KestrinShow"_s),
                 qPrintable(said.join(u'\n')));

        const QRect lines10(270, 250, 460, 200);
        const QImage unscrolled = book.screenshot().copy(lines10);
        book.click(QPoint(700, 550)); // the caret at the foot of the first page
        for (int turn = 0; turn < 10; ++turn)
            book.click(QPoint(500, 400), 5); // the wheel, downwards
        const QImage scrolled = book.screenshot().copy(lines10);
        QVERIFY(scrolled != unscrolled);
        book.click(QPoint(300, 500)); // below the lines compared: the caret blinks there
        QCOMPARE(book.screenshot().copy(lines10), scrolled);
    }

    // A chapter from a word processor, with many paragraphs after its phrases, one nested deeper
    // than the rich-text control copes with and a picture that would take gigabytes:
    // - the builder and both runtimes' checks name the nesting alike, and the chapter is shown
    //   flattened (it once crashed the runtime);
    // - the picture is bounded by what its header declares, before it is decoded: it is left
    //   out, and the chapter shows without it;
    // - every phrase is found where it is drawn and opens its own action, though the rich-text
    //   control counts the table, picture and list in its own way; text the chapter never makes
    //   bold is drawn plain, a Symbol bullet as a bullet, and the picture in its own colours;
    // - every page prints, as an untitled document.
    void wordProcessorChapter_shownAsWrittenAndPrinted()
    {
        CurrentTempDir dir;
        copySample(dir);
        changeSampleDisplay(dir, [](DisplayRecord& display) { display.PrintAllowed = 1; });
        QByteArray deep = "\\pard ";
        for (int i = 0; i < 35; ++i)
            deep += "{\\i ";
        deep += "Deep below the waves." + QByteArray(35, '}') + "\\par ";
        const QByteArray huge =
            "{\\pict\\pngblip\\picw8000\\pich8000\\picwgoal6000\\pichgoal6000 " +
            hugePng().toHex() + "}\\par ";
        const QString chapter = dir.filePath(u"CROSS.QLF"_s);
        writeBytes(chapter, wordProcessorChapter(readBytes(chapter)));
        appendToChapter(chapter, logLines(150) + deep + huge);
        const Run built = run(kBinDir + u"/quorelle-build"_s,
                              {dir.filePath(u"SAMPLE.QVJ"_s), u"--reader"_s, u"both"_s});
        QCOMPARE(built.exitCode, 0);
        const QString note = u"The chapter \"The Crossing\" nests its text 36 groups deep; the "
                             "Windows reader shows it flattened to 30."_s;
        QVERIFY2(built.err.contains(note), qPrintable(built.err));
        const Run linux = run(dir.filePath(u"SAMPLE.BIN"_s), {u"--verify"_s});
        const Run windows = wine(dir.filePath(u"SAMPLE.EXE"_s), {u"--verify"_s});
        QVERIFY2(linux.out.endsWith(u'\n' + note), qPrintable(linux.out));
        QCOMPARE(windows.out, linux.out);

        const QString printed = dir.filePath(u"printed.ps"_s);
        addFilePrinter(printed);
        QVERIFY(QFile::rename(dir.filePath(u"SAMPLE.EXE"_s), dir.filePath(u"BOOK.EXE"_s)));
        BookSession book(dir.filePath(u"BOOK.EXE"_s));
        QCOMPARE(book.toChapter(1), u"phrases: 7"_s);
        const qint64 peak = book.peakMemory();
        QVERIFY2(peak > 0 && peak < (200LL << 20), qPrintable(QString::number(peak)));
        const QStringList ropes =
            book.report().filter(QRegularExpression(u"^phrase: rope at \\d+,\\d+$"_s));
        QCOMPARE(ropes.size(), 2);
        const QHash<QString, QPoint> phrases = phrasesOf(book.report());
        QCOMPARE(QSet<QString>(phrases.keyBegin(), phrases.keyEnd()),
                 QSet<QString>({u"rope"_s, u"sea shanty"_s, u"waves"_s, u"log program"_s,
                                u"captain's letter"_s, u"notes"_s}));
        const QImage screen = book.screenshot();
        const int bold = inkAround(screen, phrasesOf({ropes.at(0)}).value(u"rope"_s));
        const int plain = inkAround(screen, phrasesOf({ropes.at(1)}).value(u"rope"_s));
        QVERIFY2(plain * 100 < bold * 85, qPrintable(u"%1 %2"_s.arg(plain).arg(bold)));
        // The list item's Symbol bullet, on the line above the sample's first: a solid dot, not
        // a box or a point.
        const auto dark = [](QRgb pixel) { return qGray(pixel) < 100; };
        const QPoint shanty = phrases.value(u"sea shanty"_s);
        const QRect bullet =
            pixelsWhere(screen, QRect(QPoint(263, shanty.y() - 26), QPoint(299, shanty.y() - 8)),
                        dark)
                .second;
        const int ink = pixelsWhere(screen, bullet, dark).first;
        QVERIFY2(ink >= 9 && ink * 2 >= bullet.width() * bullet.height(),
                 qPrintable(u"%1 in %2x%3"_s.arg(ink).arg(bullet.width()).arg(bullet.height())));
        // The picture in its own colours: the rich-text control reads its pixels where they are.
        const int cyan = pixelsWhere(screen, screen.rect(), [](QRgb pixel) {
                             return pixel == QColor(Qt::darkCyan).rgb();
                         }).first;
        QVERIFY2(cyan >= 40 * 30 - 40, qPrintable(QString::number(cyan)));

        book.click(phrases.value(u"waves"_s));
        QVERIFY(book.waitFor(u"painted KestrinMediaPlayer"_s).endsWith(u"338x112"_s));
        book.keys({u"Escape"_s});
        book.click(phrases.value(u"notes"_s));
        QVERIFY(!book.waitFor(u"painted KestrinNotepad"_s).isEmpty());
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinNotepad"_s).isEmpty());
        book.keys({u"alt+p"_s, u"Return"_s}); // Print, then its first item, Print
        book.answer(u"Print"_s, {u"Return"_s});
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(printed).contains("%%EOF"), 30000);
        const QByteArray pages = readBytes(printed);
        QVERIFY2(pages.count("%%Page:") >= 3, pages.left(300).constData());
        QVERIFY(pages.contains("%%Title: \n"));
        QVERIFY(!book.report().join(u'\n').contains(u"Error:"_s));
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"closed KestrinChapter"_s).isEmpty());
    }

    // On a desktop with a window manager and another program in front, each screen of the
    // book comes up in front of it with the keys: closing the About box or the introduction
    // must not leave the manager a moment without a window of the book to give the focus to.
    void bookScreens_comeUpInFrontOfAnotherProgram()
    {
        CurrentTempDir dir;
        BookSession book(bookExe(dir, sampleBook(dir)), Desktop::ManagedWithAnotherProgram);
        QVERIFY(!book.waitFor(u"painted KestrinAbout"_s).isEmpty());
        book.activate(u"About this book"_s); // the reader started it: it has the focus
        QVERIFY(book.activeWindowBecomes(u"About this book"_s));
        book.keys({u"Return"_s});
        QVERIFY(!book.waitFor(u"painted KestrinIntroduction"_s).isEmpty());
        QVERIFY(book.activeWindowBecomes(u"A Short Crossing"_s));
        book.keys({u"Escape"_s});
        QVERIFY(!book.waitFor(u"painted KestrinContents"_s).isEmpty());
        QVERIFY(book.activeWindowBecomes(u"A Short Crossing"_s));
    }

    // What the runtime imports is part of Windows itself.
    void runtime_importsOnlySystemLibraries()
    {
        const Run dump =
            run(u"x86_64-w64-mingw32-objdump"_s, {u"-p"_s, kBinDir + u"/kestrin.exe"_s});
        QCOMPARE(dump.exitCode, 0);
        const QStringList system{u"KERNEL32.dll"_s, u"USER32.dll"_s,  u"GDI32.dll"_s,
                                 u"msvcrt.dll"_s,   u"SHELL32.dll"_s, u"COMDLG32.dll"_s,
                                 u"WINMM.dll"_s,    u"gdiplus.dll"_s, u"WINSPOOL.DRV"_s,
                                 u"ole32.dll"_s,    u"COMCTL32.dll"_s};
        int imports = 0;
        for (const QString& line : dump.out.split(u'\n')) {
            if (!line.contains(u"DLL Name:"_s))
                continue;
            ++imports;
            const QString name = line.section(u':', 1).trimmed();
            QVERIFY2(system.contains(name, Qt::CaseInsensitive), qPrintable(name));
        }
        QVERIFY(imports > 0);
    }
};

QTEST_GUILESS_MAIN(WindowsReaderTest)
#include "tst_winreader.moc"
