// What a reader's runtime is told to do: command values, the action of a click, the files a book
// may open and the order of a book's screens. Where Qt had the rule before (splitting a command
// line, reading a number), the library is held against Qt on random texts.
#include "format/formaterror.h"
#include "format/reader/background.h"
#include "format/reader/bookfiles.h"
#include "format/reader/bookscreens.h"
#include "format/reader/linkaction.h"
#include "format/reader/phraserule.h"
#include "format/reader/picturestretch.h"
#include "format/reader/showplan.h"
#include "format/sections/commandsyntax.h"
#include "format/sections/linkvalues.h"
#include "format/sections/systemsection.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using bookformat::BookStep;
using bookformat::HyperTextType;
using bookformat::LinkActionKind;
using Lines = std::vector<std::string>;

Q_DECLARE_METATYPE(BookStep)
Q_DECLARE_METATYPE(LinkActionKind)
Q_DECLARE_METATYPE(bookformat::ShowMode)

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QStringList q(const Lines& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << q(line);
    return list;
}

// A random text of the characters that matter to `alphabet`'s rule.
QString randomText(QRandomGenerator& random, const QString& alphabet)
{
    QString text;
    const int length = random.bounded(9);
    for (int i = 0; i < length; ++i)
        text += alphabet.at(random.bounded(alphabet.size()));
    return text;
}

// A text control of plain characters, underlined where the mask holds "_".
class MaskedText : public bookformat::ControlTextView
{
public:
    MaskedText(std::u16string text, std::u16string mask) : m_text(text), m_mask(mask) {}
    int length() const override { return int(m_text.size()); }
    char16_t at(int position) const override { return m_text.at(std::size_t(position)); }
    bool underlinedAt(int position) const override
    {
        return position >= 0 && position < length() && m_mask.at(std::size_t(position)) == u'_';
    }

private:
    std::u16string m_text;
    std::u16string m_mask;
};

Lines entry(const std::string& name, int type, const std::string& command)
{
    return {name, "source=HYPER", "type=" + std::to_string(type), "command=" + command, "]"};
}

} // namespace

class ReaderDecisionsTest : public QObject
{
    Q_OBJECT

private slots:
    // The parts of a show command, and what the runtimes do with them: the media player for a
    // film or a tune, the wave file alone with no window, else the picture for its time.
    void showCommand_data()
    {
        using Mode = bookformat::ShowMode;
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("video");
        QTest::addColumn<int>("delay");
        QTest::addColumn<Mode>("mode");
        QTest::newRow("picture, sound, tenths")
            << u"pic.bmp,snd.wav,50"_s << u"PIC.BMP"_s << u"SND.WAV"_s << QString() << 5000
            << Mode::Picture;
        QTest::newRow("later picture wins")
            << u"a.jpg,b.wmf"_s << u"B.WMF"_s << QString() << QString() << 0 << Mode::Picture;
        QTest::newRow("substring tests") << u"x.bmp.wav"_s << u"X.BMP.WAV"_s << u"X.BMP.WAV"_s
                                         << QString() << 0 << Mode::Picture;
        QTest::newRow("video and midi")
            << u"f.avi,t.mid"_s << QString() << u"T.MID"_s << u"F.AVI"_s << 0 << Mode::Player;
        QTest::newRow("tune alone")
            << u"t.mid"_s << QString() << u"T.MID"_s << QString() << 0 << Mode::Player;
        QTest::newRow("wave alone")
            << u"s.wav,20"_s << QString() << u"S.WAV"_s << QString() << 2000 << Mode::Sound;
        QTest::newRow("only six elements") << u"1,2,3,4,5,6,a.bmp"_s << QString() << QString()
                                           << QString() << 600 << Mode::Nothing;
        QTest::newRow("not whole numbers")
            << u"p.bmp,1.5"_s << u"P.BMP"_s << QString() << QString() << 0 << Mode::Picture;
        QTest::newRow("a name in any script keeps its letters")
            << u"\u0444\u043E\u0442\u043E.bmp"_s << u"\u0444\u043E\u0442\u043E.BMP"_s << QString()
            << QString() << 0 << Mode::Picture;
        // A delay of years would overflow the milliseconds: it is held at the largest.
        QTest::newRow("huge delay") << u"p.bmp,2000000000"_s << u"P.BMP"_s << QString() << QString()
                                    << std::numeric_limits<int>::max() << Mode::Picture;
    }
    void showCommand()
    {
        QFETCH(QString, value);
        const bookformat::ShowCommandParts parts =
            bookformat::ParseShowCommand(value.toStdString());
        QTEST(q(parts.picture), "picture");
        QTEST(q(parts.sound), "sound");
        QTEST(q(parts.video), "video");
        QTEST(parts.delayMs, "delay");
        QTEST(bookformat::PlanShow(parts).mode, "mode");
    }

    // A delay element reads as Qt's whole-number reading did, for any mix of digits, signs and
    // blanks.
    void showCommand_delayReadsAsQtRead()
    {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 20000; ++round) {
            const QString element = randomText(random, u"0123456789-+ \t.x\u00A0"_s);
            bool isNumber = false;
            const qint64 tenths = element.toInt(&isNumber, 10);
            const bool counts = isNumber && !element.isEmpty() &&
                                (element.front().isDigit() || element.front() == u'-');
            const int expected =
                counts ? int(std::clamp<qint64>(tenths * 100, INT_MIN, INT_MAX)) : 0;
            QCOMPARE(bookformat::ParseShowCommand(element.toStdString()).delayMs, expected);
        }
    }

    // Parameters split as Qt's command-line splitter splits them: blanks of any script, quotes,
    // and three quotes for one.
    void commandLine_splitsAsQtSplits()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 20000; ++round) {
            const QString line = randomText(random, u"a\u00E9\u4E00 \t\"\u3000"_s);
            QCOMPARE(q(bookformat::SplitCommandLine(line.toStdString())),
                     QProcess::splitCommand(line));
        }
    }

    void programArguments_keepPathsWhole()
    {
        using bookformat::ProgramArguments;
        QCOMPARE(ProgramArguments(HyperTextType::ExecutableProgram,
                                  "C:\\TOOLS\\VIEW.EXE,DATA.TXT \"a b\"", {}),
                 Lines({"C:\\TOOLS\\VIEW.EXE", "DATA.TXT", "a b"}));
        QCOMPARE(ProgramArguments(HyperTextType::ExecutableProgram, "MY GAME.EXE", {}),
                 Lines{"MY GAME.EXE"});
        QCOMPARE(
            ProgramArguments(HyperTextType::WindowsProgram, "WRITE.EXE NOTES.TXT", "/my books/a/"),
            Lines({"WRITE.EXE", "/my books/a/NOTES.TXT"}));
        QVERIFY(ProgramArguments(HyperTextType::WindowsProgram, "", "/a/").empty());
    }

    // A show's duration is read from at most five characters after its files; a damaged one is
    // the error the link dialog reports.
    void linkValues_durationFollowsTheFiles()
    {
        using bookformat::ReadLinkValues;
        const auto both = ReadLinkValues(HyperTextType::GraphicAndSound, "A.BMP,B.WAV,1234567");
        QCOMPARE(both.graphic, "A.BMP");
        QCOMPARE(both.sound, "B.WAV");
        QCOMPARE(both.duration, 12345);
        QCOMPARE(ReadLinkValues(HyperTextType::GraphicOnly, "SKY.BMP").duration, 0);
        QCOMPARE(ReadLinkValues(HyperTextType::WindowsProgram, "W.EXE A.TXT").program,
                 "W.EXE A.TXT");
        try {
            ReadLinkValues(HyperTextType::GraphicOnly, u"SKY.BMP,двадцать"_s.toStdString());
            QFAIL("a word read as a duration");
        } catch (const bookformat::ConvertError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), u"'двадц' is not a valid integer value"_s);
        }
    }

    void webAddress_onlyWithItsScheme()
    {
        for (const char* address : {"https://example.org/", "HTTP://X", "mailto:me@example.org",
                                    "MailTo:x", "git+ssh://host/repo"})
            QVERIFY2(bookformat::IsWebAddress(address), address);
        for (const char* file : {"PAGE.HTM", "C://x", "1a://x", "://x", "a b://x", "mailto"})
            QVERIFY2(!bookformat::IsWebAddress(file), file);
    }

    void click_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("command");
        QTest::addColumn<LinkActionKind>("kind");
        QTest::addColumn<QString>("message");
        const auto refused = [](const QString& name) {
            return u"The HyperText entry \"Sky\" names %1, which is not a file of the book's "
                   "folder."_s.arg(name);
        };
        QTest::newRow("pop-up") << 1 << QString() << LinkActionKind::PopupText << QString();
        QTest::newRow("screen") << 5 << QString() << LinkActionKind::TextScreen << QString();
        QTest::newRow("picture") << 2 << u"SKY.BMP,30"_s << LinkActionKind::Show << QString();
        QTest::newRow("midi") << 8 << u"T.MID"_s << LinkActionKind::Show << QString();
        QTest::newRow("program") << 4 << u"GAME.EXE,-x /etc"_s << LinkActionKind::Program
                                 << QString();
        QTest::newRow("windows program")
            << 9 << u"WRITE.EXE NOTES.TXT"_s << LinkActionKind::Program << QString();
        QTest::newRow("page") << 10 << u"PAGE.HTM"_s << LinkActionKind::Page << QString();
        QTest::newRow("address")
            << 10 << u"https://example.org/"_s << LinkActionKind::WebAddress
            << u"This e-book wants to open the address https://example.org/ in the web "
               "browser.\n\r\n\rDo you allow it?"_s;
        QTest::newRow("empty notepad") << 13 << QString() << LinkActionKind::Notepad << QString();
        QTest::newRow("type never written")
            << 11 << u"X.BMP"_s << LinkActionKind::Nothing << QString();
        QTest::newRow("picture above")
            << 2 << u"../SKY.BMP,30"_s << LinkActionKind::Refused << refused(u"../SKY.BMP"_s);
        QTest::newRow("program by path")
            << 4 << u"/bin/sh,-c x"_s << LinkActionKind::Refused << refused(u"/bin/sh"_s);
        QTest::newRow("document of a drive")
            << 13 << u"C:\\AUTOEXEC.BAT"_s << LinkActionKind::Refused
            << refused(u"C:\\AUTOEXEC.BAT"_s);
        QTest::newRow("page above") << 10 << u".."_s << LinkActionKind::Refused << refused(u".."_s);
        // The desktop's opener runs what it is given: a page link opens web pages only.
        QTest::newRow("page in lower case")
            << 10 << u"guide.html"_s << LinkActionKind::Page << QString();
        for (const QString& program :
             {u"RUN.BAT"_s, u"SETUP.EXE"_s, u"x.desktop"_s, u"HTM"_s, u"PAGE.HTM.LNK"_s}) {
            QTest::addRow("page that is %s", qPrintable(program))
                << 10 << program << LinkActionKind::Refused
                << u"The HyperText entry \"Sky\" names %1, which is not a web page of the book."_s
                       .arg(program);
        }
        // Shown, "TXT.EXE" with a right-to-left override reads as a text file's name.
        const QString disguised = u"\u202EEXE.TXT"_s;
        QTest::newRow("notepad file in disguise")
            << 13 << disguised << LinkActionKind::Refused << refused(disguised);
        QTest::newRow("picture with an isolate")
            << 2 << u"SKY\u2067.BMP,3"_s << LinkActionKind::Refused << refused(u"SKY\u2067.BMP"_s);
    }
    // Exactly the embeddings, overrides and isolates: their neighbours are letters and spaces.
    void directionControls_exactlyTheirRanges()
    {
        for (char16_t c = 0x2000; c < 0x2100; ++c) {
            const std::string text = QString(QChar(c)).toStdString() + "A";
            const bool control = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
            QCOMPARE(bookformat::HoldsDirectionControl(text), control);
        }
        QVERIFY(!bookformat::HoldsDirectionControl("\xE2\x80")); // cut short
    }

    void click()
    {
        QFETCH(int, type);
        QFETCH(QString, command);
        const bookformat::LinkAction action =
            bookformat::DecideClick(entry("[Sky]", type, command.toStdString()));
        QTEST(action.kind, "kind");
        QTEST(q(action.message), "message");
        QCOMPARE(q(action.caption), u"Sky"_s);
        QCOMPARE(q(action.value), type == 1 || type == 5 ? QString() : command);
    }

    // The runtime's own check (a link leading out of the folder) refuses too; a name of
    // megabytes is shown cut, between characters.
    void click_asksTheRuntimeAndCutsLongNames()
    {
        const auto noLinks = [](std::string_view name) { return name != "LINK.BMP"; };
        QCOMPARE(bookformat::DecideClick(entry("[A]", 2, "LINK.BMP"), noLinks).kind,
                 LinkActionKind::Refused);
        QCOMPARE(bookformat::DecideClick(entry("[A]", 2, "SKY.BMP"), noLinks).kind,
                 LinkActionKind::Show);
        QCOMPARE(bookformat::DecideClick({}).kind, LinkActionKind::Nothing);

        std::string name = "[";
        for (int i = 0; i < 100000; ++i)
            name += "\u00E9"; // two bytes each
        name += "]";
        const QString caption = q(bookformat::DecideClick(entry(name, 1, {})).caption);
        QCOMPARE(caption, QString(200, u'\u00E9') + u"..."_s);
    }

    // The recogniser over any runtime's control: a soft line break (0x0B) starts a line as a
    // paragraph break does, and a phrase in another script is cut at 30 UTF-16 units.
    void phrase_foundOverAnyControl()
    {
        const MaskedText text(u"go\x0B\u0411\u0435\u043B\u044B\u0435 x"_s.toStdU16String(),
                              u"   _____  "_s.toStdU16String());
        QCOMPARE(bookformat::HyperPhraseAt(text, 4),
                 u"\u0411\u0435\u043B\u044B\u0435"_s.toStdU16String());
        QCOMPARE(bookformat::HyperPhraseAt(text, 0), std::u16string());
        const std::u16string long40(40, u'\u00E9');
        const MaskedText run(u"a " + long40, u"  " + std::u16string(40, u'_'));
        QCOMPARE(bookformat::HyperPhraseAt(run, 5), std::u16string(29, u'\u00E9'));
    }

    void programQuestion_quotesArgumentsWithBlanks()
    {
        QCOMPARE(q(bookformat::ProgramQuestion("/bin/game", {"-x", "two words", ""})),
                 u"This e-book wants to start the program /bin/game with the arguments -x "
                 "\"two words\" \"\".\n\r\n\rDo you allow it?"_s);
        QCOMPARE(q(bookformat::ProgramQuestion("/bin/game", {})),
                 u"This e-book wants to start the program /bin/game.\n\r\n\rDo you allow it?"_s);
    }

    // Colour, stretched picture or tiles; a JPEG cannot be tiled; a name leaving the book's
    // folder is never loaded; a code of no kind keeps the screen's own colour.
    void background_plannedAsEveryScreenShowsIt()
    {
        using bookformat::BackgroundLook;
        using bookformat::PlanBackground;
        QCOMPARE(PlanBackground({1, 0xFF, "SKY.BMP", {}}).look, BackgroundLook::Colour);
        QCOMPARE(PlanBackground({7, 0xFF, "SKY.BMP", {}}).look, BackgroundLook::Own);
        const auto picture = PlanBackground({2, 0, "SKY.JPG", "TILE.BMP"});
        QCOMPARE(picture.look, BackgroundLook::Picture);
        QCOMPARE(picture.file, "SKY.JPG");
        QCOMPARE(picture.message, "");
        const auto tiles = PlanBackground({3, 0, "SKY.JPG", "tile.jpg"});
        QCOMPARE(tiles.look, BackgroundLook::Refused);
        QCOMPARE(tiles.message,
                 "Wallpaper must be a .BMP file.\n\r\n\rReplace tile.jpg with a .BMP Graphic.");
        const auto outside = PlanBackground({3, 0, {}, "..\\TILE.BMP"});
        QCOMPARE(outside.look, BackgroundLook::Tiles);
        QCOMPARE(outside.message, "The screen's background names ..\\TILE.BMP, which is not a "
                                  "file of the book's folder.");
        QCOMPARE(bookformat::MissingPictureMessage(PlanBackground({3, 0, {}, "T.BMP"})),
                 "The Wallpaper file T.BMP was not found");
        QCOMPARE(bookformat::MissingPictureMessage(PlanBackground({2, 0, {}, {}})),
                 "The graphic file  was not found");
    }

    void bookSteps_data()
    {
        QTest::addColumn<int>("aboutWhen");
        QTest::addColumn<int>("chapters");
        QTest::addColumn<QList<BookStep>>("steps");
        using S = BookStep;
        QTest::newRow("about at start, menu")
            << 0 << 3
            << QList{S::OpeningCommand, S::AboutBox, S::Introduction, S::TableOfContents,
                     S::ClosingCommand};
        QTest::newRow("about at end, one chapter")
            << 1 << 1
            << QList{S::OpeningCommand, S::Introduction, S::OnlyChapter, S::AboutBox,
                     S::ClosingCommand};
        QTest::newRow("about both, no chapter")
            << 2 << 0 << QList{S::OpeningCommand,  S::AboutBox, S::Introduction,
                               S::TableOfContents, S::AboutBox, S::ClosingCommand};
        QTest::newRow("about neither")
            << 3 << 2
            << QList{S::OpeningCommand, S::Introduction, S::TableOfContents, S::ClosingCommand};
    }
    void bookSteps()
    {
        QFETCH(int, aboutWhen);
        QFETCH(int, chapters);
        QFETCH(QList<BookStep>, steps);
        bookformat::BookShape shape{true, true, aboutWhen, true, true, std::size_t(chapters)};
        const std::vector<BookStep> all = bookformat::BookSteps(shape);
        QCOMPARE(QList<BookStep>(all.begin(), all.end()), steps);

        // What is not shown is left out, and the chapters stay.
        shape = bookformat::BookShape{false, false, aboutWhen, false, false, std::size_t(chapters)};
        QCOMPARE(bookformat::BookSteps(shape).size(), std::size_t(1));
    }

    // A stretched background keeps a flat colour flat to its edges (no fringe, no tint from
    // rounding) whether it grows or shrinks, and a shrunk picture weighs every pixel under it.
    void stretch_flatStaysFlatAndShrinkingAverages()
    {
        const auto stretched = [](const std::vector<std::uint32_t>& from, int width, int toWidth,
                                  int toHeight) {
            std::vector<std::uint32_t> to(std::size_t(toWidth * toHeight), 0u);
            bookformat::StretchPixels(from.data(), width, int(from.size()) / width, to.data(),
                                      toWidth, toHeight);
            return to;
        };
        // Every channel at its brightest too: no channel may spill into the next.
        for (const std::uint32_t colour : {0xff806040u, 0xffffffffu}) {
            const std::vector<std::uint32_t> flat(6, colour);
            for (const auto& [toWidth, toHeight] : {std::pair{1024, 768}, {2, 1}, {1, 5}, {7, 2}})
                QCOMPARE(stretched(flat, 3, toWidth, toHeight),
                         std::vector<std::uint32_t>(std::size_t(toWidth * toHeight), colour));
        }
        // Black left, white right: the edges keep their colour, and it only lightens between.
        const std::vector<std::uint32_t> halves{0, 0, 0xffffff, 0xffffff};
        const std::vector<std::uint32_t> grown = stretched(halves, 4, 16, 1);
        QCOMPARE(grown.front(), 0u);
        QCOMPARE(grown.back(), 0xffffffu);
        QVERIFY(std::is_sorted(grown.begin(), grown.end()));
        // Shrunk to a quarter, a thin line every fourth pixel still shows, not only where a
        // sample happens to fall.
        std::vector<std::uint32_t> lines(16, 0u);
        for (std::size_t i = 3; i < lines.size(); i += 4)
            lines[i] = 0xffu;
        for (const std::uint32_t pixel : stretched(lines, 16, 4, 1))
            QVERIFY2(pixel >= 16 && pixel <= 128, QByteArray::number(pixel));
    }

    // The readers' system a book stores reads back in any letter case; a damaged or unknown one
    // reads as none, so that the book is built as before the choice.
    void readerSystem_storedAndRead()
    {
        using bookformat::ReaderSystem;
        for (const ReaderSystem system :
             {ReaderSystem::Linux, ReaderSystem::Windows, ReaderSystem::Both})
            QCOMPARE(bookformat::StoredReaders(bookformat::ReadersSectionLines(system)), system);
        QCOMPARE(bookformat::StoredReaders({"readers=WINDOWS"}), ReaderSystem::Windows);
        QVERIFY(!bookformat::StoredReaders({"readers=mac"}));
        QVERIFY(!bookformat::StoredReaders({"[^READERS^]", "]"}));
    }
};

QTEST_GUILESS_MAIN(ReaderDecisionsTest)
#include "tst_readerdecisions.moc"
