// Finding the book after a runtime's image: real ELF and PE images end where their files end, a
// book appended to them is found, and damaged headers are refused, never read outside the file
// (run under the sanitizers too).
#include "format/book/booklayout.h"
#include "format/book/imageend.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

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

class ImageEndTest : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(ImageEndTest)
#include "tst_imageend.moc"
