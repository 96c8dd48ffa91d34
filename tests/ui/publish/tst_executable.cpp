// Create Executable end to end: the executable e-book is written, offered, and passes the
// reader runtime's own check; cut short, the runtime refuses it.
#include "clicks.h"
#include "doubles.h"
#include "programrun.h"
#include "testbook.h"

#include "core/book/bookarchive.h"
#include "core/book/compiledbook.h"
#include "core/book/elfimage.h"
#include "core/book/readersystem.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "preview/aboutbox.h"
#include "preview/bookmenuform.h"
#include "preview/bookplayer.h"
#include "preview/chapdispform.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "preview/showhtextform.h"
#include "ui/mainwindow/bookmainform.h"
#include "ui/publish/readersystemform.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

using Book = TestBook;

// The place of a window, and for a rich-text area also its place, font and line breaks.
QString placeOf(const QWidget& window)
{
    const QRect r = window.geometry();
    return QString::asprintf("%s %d,%d %dx%d", window.metaObject()->className(), r.x(), r.y(),
                             r.width(), r.height());
}

QString textLayoutOf(const TRichEdit& edit)
{
    const QPoint at = edit.mapToGlobal(QPoint(0, 0));
    QStringList lines{QString::asprintf("text at %d,%d", at.x(), at.y())};
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        const QFontInfo font(block.begin().fragment().charFormat().font());
        QStringList breaks;
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            breaks << QString::number(block.layout()->lineAt(i).textLength());
        lines << u"%1 %2pt: %3"_s.arg(font.family(), QString::number(font.pointSize()),
                                      breaks.join(u' '));
    }
    return lines.join(QLatin1Char('\n'));
}

// Plays the book as the reader does, whoever starts it: the About box, the table of contents,
// the first chapter and a click on its phrase "note", whose pop-up is the last screen. Returns
// what each screen looked like.
QStringList screensSeen(PlatformDoubles& platform, const std::function<void()>& play)
{
    QStringList seen;
    platform.modal.expect<TAboutBox>([&seen](TAboutBox& about) {
        seen << placeOf(about);
        about.reject();
    });
    platform.modal.expect<TBookMenuForm>([&](TBookMenuForm& contents) {
        seen << placeOf(contents);
        platform.modal.expect<TChapDispForm>([&](TChapDispForm& chapter) {
            seen << placeOf(chapter);
            TRichEdit* text = chapter.TextPnl->RichEdit1;
            seen << textLayoutOf(*text);
            platform.modal.expect<TShowHTextForm>([&seen](TShowHTextForm& popup) {
                seen << placeOf(popup) << textLayoutOf(*popup.TextPnl->RichEdit1);
                popup.reject();
            });
            QTextCursor at(text->document());
            at.setPosition(text->toPlainText().indexOf(u"note"_s) + 1);
            QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(at).center());
            chapter.reject();
        });
        clickItem(contents.ListBox1, u"Harbour"_s);
        click(contents.OKBitBtn);
        contents.reject();
    });
    play();
    return seen;
}

} // namespace

class ExecutableTest : public QObject
{
    Q_OBJECT

private slots:
    // What the author previews is what the reader of the built book sees: every screen and the
    // pop-up in the same place on the screen, the chapter text in the same font with the same
    // line breaks. The 640 x 480 screens are centred on the (1024 x 768) screen, the pop-up at its
    // designed place on it.
    void preview_andBuiltBook_showTheSameScreens()
    {
        PlatformDoubles platform;
        Book book;
        book.addChapter(
            "Harbour",
            "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs28 At dawn the ship left "
            "the harbour, and a \\ul note\\ulnone  was left on the quay for whoever came "
            "after, long after the gulls had gone.\\par Plain text follows.}");
        book.addChapter("Open Sea", "{\\rtf1 two}");
        DisplayRecord popup = DefaultDisplay();
        popup.WinLeft = 120;
        popup.WinTop = 80;
        popup.WinWidth = 300;
        popup.WinHeight = 150;
        AddDisplayEntry(book.state.HyperTextFile, u"note"_s, 1, popup,
                        {u"{\\rtf1 A note without a font of its own.}"_s}, kHyperSource);
        book.state.Project.Presentation.AboutShown = 1;
        book.state.Project.Presentation.About.AboutWhen = 0;
        WriteProject(book.state);

        Tbookmainform tool;
        tool.show();
        tool.Timer1Timer();
        tool.OpenProjectFile(book.dir.filePath(u"BOOK.QVJ"_s));
        const QStringList preview = screensSeen(platform, [&tool] { click(tool.PreviewBtn); });

        CompiledBookSource compiled(CompiledBook::fromBytes(*CompiledBookBytes(book.state)));
        const QStringList built = screensSeen(platform, [&compiled] {
            PlayBook(PreviewContext{compiled, QString()}, nullptr);
        });

        QCOMPARE(preview, built);
        QCOMPARE(built.size(), 6);
        QCOMPARE(built.at(1), u"TBookMenuForm 192,144 640x480"_s);
        QCOMPARE(built.at(2), u"TChapDispForm 192,144 640x480"_s);
        QCOMPARE(built.at(4), u"TShowHTextForm 312,224 303x150"_s);
        QVERIFY2(built.at(3).count(u'\n') == 2, qPrintable(built.at(3))); // two paragraphs
    }

    // The author picks the readers' system by typing into its box: for Windows and Linux the book
    // is BOOK.EXE behind the Windows runtime and BOOK.BIN behind the Linux one, and the Linux one
    // is tested here; the choice is kept for the next build, where Windows alone is tested under
    // Wine. The Linux book passes its own check, its chapters plain text or empty too; cut short,
    // or with tables that disagree (the chapter count set to 0), it is refused with a message and
    // a non-zero exit.
    void readersSystem_choosesTheRuntimesAndTheBookChecksItself()
    {
        PlatformDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        book.addChapter("Plain", "Just words, no formatting.");
        book.addChapter("Empty", "");
        AddEntry(book.state.HyperTextFile, u"Sun"_s, 2, u"SUN.BMP"_s, kHyperSource);
        platform.modal.expect<TReaderSystemForm>([](TReaderSystemForm& window) {
            QCOMPARE(window.SystemBox->currentText(), u"Linux"_s);
            QTest::keyClicks(window.SystemBox, u"Windows a"_s);
            QCOMPARE(window.FilesLbl->text(), u"Makes BOOK.EXE for Windows readers and BOOK.BIN "
                                              u"for Linux readers."_s);
            QTest::keyClick(&window, Qt::Key_Return);
        });
        platform.messages.answer(MessageAnswer::Yes);
        CreateExecutable(book.state, nullptr);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The Executable E-Books BOOK.EXE for Windows readers and BOOK.BIN "
                             u"for Linux readers have been created.\n\r\n\rDo you want to test "
                             u"BOOK.BIN now?"_s});
        const QString exe = book.dir.filePath(u"BOOK.BIN"_s);
        QCOMPARE(platform.programs.runs(), QStringList{exe});
        QVERIFY(!book.dir.entries().contains(u"BOOK.CMP"_s));
        QVERIFY(QFileInfo(exe).isExecutable());
        const QByteArray runtime = readBytes(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"));
        const QByteArray whole = readBytes(exe);
        QVERIFY(whole.startsWith(runtime));
        QCOMPARE(ElfImageEnd(whole), runtime.size());
        const QByteArray windowsRuntime =
            readBytes(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.exe"));
        const QByteArray windows = readBytes(book.dir.filePath(u"BOOK.EXE"_s));
        QVERIFY(windows.startsWith(windowsRuntime));
        QCOMPARE(windows.mid(windowsRuntime.size()), whole.mid(runtime.size()));
        const ProgramRun verified = VerifyBook(exe);
        QCOMPARE(verified.out.trimmed(),
                 u"3 chapters, 1 display records, 1 HyperText entries, %1 bytes"_s.arg(
                     whole.size() - runtime.size()));
        QCOMPARE(verified.exitCode, 0);

        QByteArray noChapters = whole;
        qint32 chapterSection = 0;
        std::memcpy(&chapterSection, whole.constData() + runtime.size() + 5385, 4);
        std::memset(noChapters.data() + runtime.size() + chapterSection, 0, 4);
        for (const QByteArray& damaged : {whole.left(whole.size() - 40), noChapters}) {
            writeBytes(exe, damaged);
            const ProgramRun refused = VerifyBook(exe);
            QVERIFY2(refused.err.startsWith(u"The e-book is damaged"_s), qPrintable(refused.err));
            QCOMPARE(refused.exitCode, 1);
        }
        const ProgramRun bare = VerifyBook(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"));
        QVERIFY2(bare.err.contains(u"holds no book"_s), qPrintable(bare.err));
        QCOMPARE(bare.exitCode, 1);

        platform.modal.expect<TReaderSystemForm>([](TReaderSystemForm& window) {
            QCOMPARE(window.SystemBox->currentText(), u"Windows and Linux"_s);
            QTest::keyClick(window.SystemBox, Qt::Key_Home);
            QCOMPARE(window.FilesLbl->text(), u"Makes BOOK.EXE for Windows readers."_s);
            QTest::keyClick(&window, Qt::Key_Return);
        });
        platform.messages.answer(MessageAnswer::Yes);
        CreateExecutable(book.state, nullptr);
        QCOMPARE(platform.messages.texts().last(),
                 u"The Executable E-Book BOOK.EXE for Windows readers has been created.\n\r\n\rDo "
                 u"you want to test it now under Wine?"_s);
        QVERIFY(platform.programs.runs().last().endsWith(u"wine|"_s +
                                                         book.dir.filePath(u"BOOK.EXE"_s)));
        QCOMPARE(BookReaders(book.state.HyperTextFile), ReaderSystem::Windows);

        // Cancel builds nothing and keeps the choice.
        platform.modal.expect<TReaderSystemForm>([](TReaderSystemForm& window) {
            QTest::keyClick(window.SystemBox, Qt::Key_End);
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        CreateExecutable(book.state, nullptr);
        QCOMPARE(BookReaders(book.state.HyperTextFile), ReaderSystem::Windows);
    }
};

QTEST_MAIN(ExecutableTest)
#include "tst_executable.moc"
