// The compiled book of the format library: a book laid out by hand is read back, and 20,000
// rounds of damage are refused or read, never read outside the block (run under the sanitizers).
#include "format/book/booklayout.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

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

} // namespace

class CompiledBookTest : public QObject
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
};

QTEST_GUILESS_MAIN(CompiledBookTest)
#include "tst_formatbook.moc"
