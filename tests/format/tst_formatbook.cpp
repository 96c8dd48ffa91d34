// The compiled book of the format library: a book laid out by hand is read back; its compiled
// sections, in either encoding; the end of a runtime's image, where real ELF and PE images end
// where their files end and a book appended to them is found. Damaged books, blocks and headers
// are refused or read, never read outside their bytes (run under the sanitizers too).
#include "format/book/booklayout.h"
#include "format/book/imageend.h"
#include "format/book/sectionindex.h"
#include "format/text/textencoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

template <class T> void append(std::string& out, const T& value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A book of two chapters on one display, with two HyperText entries.
std::string handMadeBook()
{
    std::string book;
    bookformat::ProjectRecord project{};
    project.Config.BookTitle.setUtf8("Sea");
    append(book, project);
    const std::string hyper = bookformat::CompileSections(
        "[Sun]\r\nsource=HYPER\r\ntype=2\r\ncommand=SUN.BMP\r\n]\r\n\r\n"
        "[Moon]\r\nsource=HYPER\r\ntype=3\r\ncommand=MOON.WAV\r\n]\r\n");
    bookformat::BookHeader header{};
    header.HyperOffset = static_cast<std::int32_t>(book.size() + sizeof header);
    header.DisplaySection = static_cast<std::int32_t>(header.HyperOffset + hyper.size());
    const auto displayRecord =
        header.DisplaySection + std::int32_t(sizeof(bookformat::TableHeader));
    header.ChapterSection = displayRecord + std::int32_t(sizeof(bookformat::DisplayRecord)) +
                            std::int32_t(sizeof(bookformat::DisplayEntry));
    append(book, header);
    book += hyper;
    append(book, bookformat::TableHeader{1, displayRecord +
                                                std::int32_t(sizeof(bookformat::DisplayRecord))});
    append(book, bookformat::DisplayRecord{});
    bookformat::DisplayEntry display{};
    display.Name.setUtf8("BOOK.QVD");
    display.Offset = displayRecord;
    append(book, display);
    const std::string texts[] = {"{\\rtf1 one}", "{\\rtf1 two}"};
    const auto firstText = header.ChapterSection + std::int32_t(sizeof(bookformat::TableHeader));
    append(book,
           bookformat::TableHeader{2, firstText + std::int32_t(texts[0].size() + texts[1].size())});
    book += texts[0] + texts[1];
    std::int32_t offset = firstText;
    for (const std::string& text : texts) {
        bookformat::ChapterEntry chapter{};
        chapter.MenuEntry.setUtf8("Chapter");
        chapter.DisplayFile.setUtf8("BOOK.QVD");
        chapter.Offset = offset;
        chapter.Size = static_cast<std::int32_t>(text.size());
        offset += chapter.Size;
        append(book, chapter);
    }
    return book;
}

// Sections of Windows-1252 names, or the same in UTF-8 with its mark and a Cyrillic phrase.
std::string sectionFile(bool utf8)
{
    std::string file = "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP\r\n]\r\n\r\n"
                       "[Caf\xE9]\r\nsource=HYPER\r\ntype=3\r\ncommand=C.WAV\r\n]\r\n\r\n";
    if (!utf8)
        return file;
    return std::string(bookformat::kUtf8Mark) + bookformat::Windows1252ToUtf8(file) +
           u"[\u0411\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438]\r\nsource=HYPER\r\n"
           u"type=2\r\ncommand=W.BMP\r\n]\r\n"_s.toStdString();
}

std::string fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll().toStdString();
}

std::string thisProgram()
{
    return fileBytes(QCoreApplication::applicationFilePath());
}

std::string windowsProgram(const char* name)
{
    return fileBytes(QStringLiteral(QUORELLE_PE_DIR "/") + QLatin1String(name));
}

// The message BookAfterImage gives, or "" when it finds a book.
std::string refusal(std::string_view file)
{
    try {
        bookformat::BookAfterImage(file);
        return {};
    } catch (const bookformat::CompiledBookError& error) {
        return error.what();
    }
}

} // namespace

class FormatBookTest : public QObject
{
    Q_OBJECT

private slots:
    void handMadeBook_readsBack()
    {
        const std::string bytes = handMadeBook();
        const bookformat::CompiledBook book(bytes);
        QCOMPARE(book.project().Config.BookTitle.utf8(), std::string("Sea"));
        QCOMPARE(book.chapters().size(), std::size_t(2));
        QCOMPARE(book.chapterText(1), std::string_view("{\\rtf1 two}"));
        QCOMPARE(book.display("BOOK.QVD").FullScreen, 0);
        QVERIFY_THROWS_EXCEPTION(bookformat::CompiledBookError, book.display("book.qvd"));
        QCOMPARE(book.hyperText()->readEntry("moon", "HYPER")->at(3),
                 std::string("command=MOON.WAV"));
        QVERIFY_THROWS_EXCEPTION(
            bookformat::CompiledBookError,
            bookformat::CompiledBook(std::string_view(bytes).substr(0, bytes.size() - 1)));
    }

    void damagedBooks_areRefusedOrRead()
    {
        QRandomGenerator random(20261208);
        const std::string good = handMadeBook();
        const int rounds = std::max(20000, qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS"));
        int refused = 0;
        for (int round = 0; round < rounds; ++round) {
            std::string bytes = good;
            // Damage where the tables and the HyperText block lie, past the project record.
            for (int edit = 0; edit < 1 + random.bounded(3); ++edit) {
                const auto at = std::size_t(5377 + random.bounded(int(bytes.size()) - 5377));
                random.bounded(8) == 0 ? bytes.resize(at)
                                       : void(bytes[at] = char(random.bounded(256)));
                if (bytes.size() <= 5377)
                    break;
            }
            try {
                const bookformat::CompiledBook book(std::as_bytes(std::span(bytes)));
                for (std::size_t i = 0; i < book.chapters().size(); ++i)
                    QVERIFY(book.chapterText(i).size() <= bytes.size());
                if (book.hyperText())
                    book.hyperText()->readEntry("Sun", "HYPER");
            } catch (const bookformat::FormatError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }

    void damagedBlocks_areRefusedOrRead()
    {
        QRandomGenerator random(20261208);
        const std::string good[] = {bookformat::CompileSections(sectionFile(false)),
                                    bookformat::CompileSections(sectionFile(true))};
        int refused = 0;
        const int rounds = std::max(20000, qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS"));
        for (int round = 0; round < rounds; ++round) {
            std::string block = good[round % 2];
            for (int edit = 0; edit < 1 + random.bounded(4); ++edit) {
                const auto at = static_cast<std::size_t>(random.bounded(int(block.size())));
                random.bounded(3) == 0 ? block.resize(at)
                                       : void(block[at] = char(random.bounded(256)));
                if (block.empty())
                    break;
            }
            try {
                const bookformat::CompiledSections sections(
                    block, round % 3 == 0 ? bookformat::IndexCheck::OnFirstUse
                                          : bookformat::IndexCheck::AtOpen);
                sections.readEntry("Paris", "HYPER");
                // Every well-formed entry of an accepted block is found again through the index:
                // itself or a later one of the same name and source.
                for (int i = 0; i < sections.count(); ++i) {
                    const QString header = QString::fromStdString(sections.headerLine(i));
                    const std::string source = sections.source(i);
                    if (!header.startsWith(u'[') || !header.endsWith(u']') || header.size() < 2)
                        continue;
                    const int found =
                        sections.find(header.mid(1, header.size() - 2).toStdString(), source);
                    QVERIFY(found >= i);
                    QCOMPARE(QString::fromStdString(sections.headerLine(found)).toCaseFolded(),
                             header.toCaseFolded());
                }
            } catch (const bookformat::CompiledBlockError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }

    void realImages_endWhereTheirFilesEnd()
    {
        const std::string elf = thisProgram();
        QCOMPARE(bookformat::ElfImageEnd(elf), elf.size());
        QCOMPARE(bookformat::PeImageEnd(elf), std::nullopt);
        for (const char* name : {"hello.exe", "hello-stripped.exe"}) {
            const std::string pe = windowsProgram(name);
            QCOMPARE(bookformat::PeImageEnd(pe), pe.size());
            QCOMPARE(bookformat::ElfImageEnd(pe), std::nullopt);
            QCOMPARE(bookformat::BookAfterImage(pe + "BOOK"), "BOOK");
        }
        QVERIFY(windowsProgram("hello-stripped.exe").size() < windowsProgram("hello.exe").size());
        QCOMPARE(bookformat::BookAfterImage(elf + "BOOK"), "BOOK");
    }

    void noImageOrNoBook_areTold()
    {
        QCOMPARE(refusal("not a program"),
                 "The e-book is damaged: the program file cannot be read.");
        QCOMPARE(refusal(windowsProgram("hello-stripped.exe")),
                 "The e-book is damaged: the program holds no book.");
        const std::string pe = windowsProgram("hello.exe");
        QCOMPARE(refusal(std::string_view(pe).substr(0, pe.size() - 1)),
                 "The e-book is damaged: the program file cannot be read.");
    }

    // Random damage to the headers: an end is found inside the file or none at all.
    void damagedHeaders_giveAnEndInsideTheFileOrNone()
    {
        QRandomGenerator random(27);
        const std::string images[] = {windowsProgram("hello.exe"),
                                      windowsProgram("hello-stripped.exe"), thisProgram()};
        int refused = 0;
        for (int round = 0; round < 20000; ++round) {
            std::string file = images[round % 3];
            const int headers = round % 3 == 2 ? 64 + 56 * 12 : 0x400;
            for (int edit = 0; edit < 1 + random.bounded(3); ++edit)
                file[std::size_t(random.bounded(headers))] = char(random.bounded(256));
            const auto end =
                round % 3 == 2 ? bookformat::ElfImageEnd(file) : bookformat::PeImageEnd(file);
            QVERIFY(!end || *end <= file.size());
            refused += !end;
        }
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(FormatBookTest)
#include "tst_formatbook.moc"
