// The reader screens, read back from their widgets after showing them offscreen, and the
// notepad: opening, the save prompt, saving, find and replace.
#include "doubles.h"
#include "mediarecorder.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/pictures/pictures.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "platform/finddialog.h"
#include "preview/aboutbox.h"
#include "preview/bookmenuform.h"
#include "preview/bookplayer.h"
#include "preview/chapdispform.h"
#include "preview/entrydispatch.h"
#include "preview/hnotesform.h"
#include "preview/intdispform.h"
#include "preview/mediaactions.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "preview/tutbackform.h"
#include "preview/txtvpdispform.h"
#include "preview/wiatile.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// A book in a temporary directory, read through the project book source.
struct Book : TestBook
{
    ProjectBookSource source{state};
    PreviewContext context{source, u"/tool/KESTRIN.HLP"_s};
};

DisplayRecord windowed()
{
    DisplayRecord display = DefaultDisplay();
    display.FullScreen = 0;
    return display;
}

// Puts the text cursor of a text window or the notepad at the position.
template <typename Edit> void placeCursor(Edit* edit, int position)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(position);
    edit->setTextCursor(cursor);
}

} // namespace

class ReaderScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void chapterDisplay_placesTextBarsAndMenus()
    {
        PlatformDoubles platform;
        Book book;
        BarsRecord& bars = book.state.Project.ChapterBars;
        bars.TitleShown = 1;
        bars.TitleText.setText(u"My Title"_s);
        book.state.Project.Presentation.Captions.CloseCaption.setText(u"&Leave"_s);
        TChapDispForm form(book.context, windowed(), "{\\rtf1 text}");
        form.show();
        QCOMPARE(form.TextPnl->geometry(), QRect(120, 80, 400, 200));
        QVERIFY(form.TitlePnl->isVisible());
        QCOMPARE(form.TitlePnl->height(), 32); // "16 0 1 Times New Roman": twice 16
        QCOMPARE(form.TitlePnl->text(), u"My Title"_s);
        QVERIFY(!form.StatusPnl->isVisible());
        QCOMPARE(form.MQuit->text(), u"&Leave"_s);
        QVERIFY(!form.MPrint->menuAction()->isVisible());
        QVERIFY(!form.MAbout->isVisible() && !form.MHelp->isVisible());
        QCOMPARE(form.TextPnl->RichEdit1->toPlainText(), u"text"_s);

        DisplayRecord full = DefaultDisplay();
        full.PrintAllowed = 1;
        TChapDispForm fullForm(book.context, full, "plain words, not rtf");
        fullForm.show();
        QCOMPARE(fullForm.TextPnl->geometry(), fullForm.ScreenPnl->rect());
        QVERIFY(fullForm.MPrint->menuAction()->isVisible());
        QCOMPARE(fullForm.TextPnl->RichEdit1->toPlainText(), u"plain words, not rtf"_s);
    }

    // A chapter that scrolls shows its scroll bar as the desktop draws one, whatever the text's
    // colour: the handle at the top while the text's start is shown.
    void chapterScrollBar_drawnAsTheDesktopDrawsIt()
    {
        PlatformDoubles platform;
        Book book;
        QByteArray rtf = "{\\rtf1 ";
        for (int line = 0; line < 80; ++line)
            rtf += "Line of a long chapter.\\par ";
        TChapDispForm form(book.context, windowed(), rtf + "}");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QScrollBar* shown = form.TextPnl->RichEdit1->verticalScrollBar();
        QCOMPARE(shown->value(), 0);
        QScrollBar desktop(Qt::Vertical);
        desktop.setRange(shown->minimum(), shown->maximum());
        desktop.setPageStep(shown->pageStep());
        desktop.resize(shown->size());
        QCOMPARE(shown->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 desktop.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // An Arabic paragraph reads from the right, whether the RTF says so or only its letters do;
    // a Hebrew and a Japanese line draw with real glyphs beside it.
    void arabicChapter_readsFromTheRight()
    {
        PlatformDoubles platform;
        Book book;
        TChapDispForm form(
            book.context, windowed(),
            "{\\rtf1\\ansi\\pard\\rtlpar\\fs28 \\u1605?\\u1585?\\u1581?\\u1576?\\u1575?"
            "\\par\\pard \\u1513?\\u1500?\\u1493?\\u1501?\\par\\pard Hello "
            "\\u26085?\\u26412?\\u35486?\\par}");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        KeepScreenshot(form, u"TChapDispForm-arabic"_s);
        QTextEdit* text = form.TextPnl->RichEdit1;
        QCOMPARE(text->document()->begin().textDirection(), Qt::RightToLeft);
        QCOMPARE(text->document()->begin().next().textDirection(), Qt::RightToLeft);
        QCOMPARE(text->document()->lastBlock().textDirection(), Qt::LeftToRight);
        // The Arabic line's ink lies in the right half of the text window.
        const QImage shot = text->viewport()->grab().toImage();
        const QRect line = text->cursorRect(QTextCursor(text->document()->begin()));
        int left = 0;
        int right = 0;
        for (int x = 0; x < shot.width(); ++x) {
            for (int y = line.top(); y < line.bottom(); ++y)
                (qGray(shot.pixel(x, y)) < 96 ? (x < shot.width() / 2 ? left : right) : x) += 1;
        }
        QVERIFY2(right > 20 && left == 0, qPrintable(u"%1 %2"_s.arg(left).arg(right)));
    }

    // A wallpaper refused for being a JPEG is the background designer's View (tst_designback),
    // through the same ShowBackground.
    void backgrounds_messagesAndFallback_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing picture")
            << 2 << u"SKY.JPG"_s << u"The graphic file SKY.JPG was not found"_s;
        QTest::newRow("missing wallpaper")
            << 3 << u"TILE.BMP"_s << u"The Wallpaper file TILE.BMP was not found"_s;
        QTest::newRow("random bytes as bmp")
            << 2 << u"BAD.BMP"_s
            << QStringLiteral("The picture file BAD.BMP could not be read: it is damaged or not a "
                              "picture of a known kind.");
    }
    void backgrounds_messagesAndFallback()
    {
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QString, message);
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"BAD.BMP"_s), "not a bitmap at all");
        TScreenPanel panel;
        panel.setColour(Qt::black);
        QVERIFY(ShowBackground(&panel, {type, 0x0000FF, file, file}));
        QCOMPARE(platform.messages.texts(), QStringList{message});
        QCOMPARE(panel.palette().color(QPalette::Window), QColor(Qt::red));
        QVERIFY(!panel.Image1->isVisibleTo(&panel) && !panel.wiaTile1->isVisibleTo(&panel));
    }

    // The wallpaper and the picture are found without regard to case; the JPEG keeps its colours.
    void backgrounds_pictureAndWallpaper()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(Qt::green);
        tile.save(dir.filePath(u"TILE.BMP"_s));
        TScreenPanel panel;
        panel.resize(25, 25);
        panel.show();
        QVERIFY(ShowBackground(&panel, {3, 0, QString(), u"tile.bmp"_s}));
        QVERIFY(panel.wiaTile1->isVisibleTo(&panel));
        QCOMPARE(panel.wiaTile1->tileRects().size(), 9);
        QImage sky(64, 48, QImage::Format_RGB32);
        sky.fill(QColor(200, 30, 30));
        QVERIFY(sky.save(dir.filePath(u"SKY.JPG"_s), "JPG"));
        QVERIFY(ShowBackground(&panel, {2, 0, u"sky.jpg"_s, QString()}));
        QVERIFY(panel.Image1->isVisibleTo(&panel));
        QVERIFY(platform.messages.shown().isEmpty());
        const LoadedPicture jpeg = LoadPicture(u"sky.jpg"_s);
        QCOMPARE(jpeg.image.size(), QSize(64, 48));
        QVERIFY(qRed(jpeg.image.pixel(10, 10)) > 150);
        QVERIFY(!LoadPicture(u"NONE.BMP"_s).error.isEmpty());
    }

    // What each kind of entry does is the link dialog test's; here a click reaches it.
    void phraseClick_lookupAndDispatch()
    {
        PlatformDoubles platform;
        MediaRecorder media;
        Book book;
        AddEntry(book.state.HyperTextFile, u"Sun"_s, 6, u"SUN.BMP,SUN.WAV,50"_s, kHyperSource);
        AddEntry(book.state.HyperTextFile, u"Odd"_s, 11, u"x"_s, kHyperSource);
        TChapDispForm form(book.context, DefaultDisplay(),
                           "{\\rtf1 \\ul Sun\\ulnone  \\ul Moon\\ulnone  \\ul Odd\\ulnone  plain}");
        const auto click = [&form](int position) {
            placeCursor(form.TextPnl->RichEdit1, position);
            form.RichEdit1MouseDown();
        };
        click(1);  // Sun
        click(5);  // Moon: no entry
        click(10); // Odd: type 11 does nothing
        click(15); // plain text
        QCOMPARE(media.calls, QStringList{u"show Sun: SUN.BMP,SUN.WAV,50"_s});
        QCOMPARE(platform.messages.texts(), QStringList{u"\"Moon\" is not HyperText"_s});
        QCOMPARE(CurrentHyperPhrase(),
                 u"Odd"_s); // set for every entry, acted on or not
    }

    // Which names each kind of link may open is the format library's (tst_readerdecisions); here
    // its refusal is shown and nothing opened.
    void hostileLinks_reachOnlyTheBooksFolderAndAskFirst()
    {
        PlatformDoubles platform;
        Book book;
        const QString owner = u"The HyperText entry \"X\""_s;
        RunLinkCommand(HyperTextType::NotePad, u"X"_s, u"/etc/passwd"_s, nullptr, owner);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The HyperText entry \"X\" names /etc/passwd, which is not a file "
                             "of the book's folder."_s});
        QVERIFY_THROWS_EXCEPTION(InOutError, book.source.chapterText(u"/etc/passwd"_s));

        // An address goes to the browser only after the reader allows it.
        platform.messages.clear();
        platform.messages.answer(MessageAnswer::No);
        platform.messages.answer(MessageAnswer::Yes);
        for (int i = 0; i < 2; ++i)
            RunLinkCommand(HyperTextType::HtmlFile, u"X"_s, u"https://example.org/"_s, nullptr,
                           owner);
        QCOMPARE(platform.messages.texts(),
                 QStringList(2, QStringLiteral("This e-book wants to open the address "
                                               "https://example.org/ in the web browser.\n\r\n\rDo "
                                               "you allow it?")));
        QCOMPARE(platform.documents.opened(), QStringList{u"https://example.org/"_s});
    }

    void programs_askShowingTheWholeCommandOnceForIt()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"game.sh"_s), "#!/bin/sh\n");
        QString prompt;
        BookMediaActions book(prompt);
        const QString game = dir.filePath(u"game.sh"_s);
        const QString question =
            QStringLiteral("This e-book wants to start the program %1 with the "
                           "arguments -x \"two words\".\n\r\n\rDo you allow it?")
                .arg(game);
        platform.messages.answer(MessageAnswer::Yes);
        book.runProgram(nullptr, HyperTextType::ExecutableProgram, u"GAME.SH,-x \"two words\""_s);
        book.runProgram(nullptr, HyperTextType::ExecutableProgram, u"GAME.SH,-x \"two words\""_s);
        QCOMPARE(platform.messages.texts(), QStringList{question}); // asked once for that command
        platform.messages.answer(MessageAnswer::No); // the same program with other arguments
        book.runProgram(nullptr, HyperTextType::ExecutableProgram, u"GAME.SH,-rf /"_s);
        QCOMPARE(platform.messages.texts().size(), 2);
        QCOMPARE(platform.programs.runs(), QStringList(2, game + u"|-x|two words"_s));
    }

    void displayEntries_openTheScreenOrTheConversionError()
    {
        PlatformDoubles platform;
        Book book;
        AddDisplayEntry(book.state.HyperTextFile, u"Screen"_s, 5, DefaultDisplay(),
                        {u"{\\rtf1 hi}"_s}, kHyperSource);
        QStringList lines;
        QVERIFY(book.source.hyperEntry(u"screen"_s, lines));
        platform.modal.expect<TTxtVPDispForm>([](TTxtVPDispForm& screen) {
            QCOMPARE(screen.TextPnl->geometry(), screen.ScreenPnl->rect());
            screen.reject();
        });
        ShowEntry(lines, nullptr);
        lines[9] = u"VPLeft=12px"_s;
        QVERIFY_THROWS_EXCEPTION(ConvertError, ShowEntry(lines, nullptr));
        QCOMPARE(EntryType({QString(), QString(), u"type=135"_s}), HyperTextType::NotePad);
    }

    void tableOfContents_authorLinesAndMenuBox()
    {
        PlatformDoubles platform;
        Book book;
        MenuRecord& menu = book.state.Project.Menu;
        menu.UseAuthorBox = 1;
        menu.Author.AuthorLine1.setText(QString::fromUtf8("Фёдор Достоевский"));
        menu.Author.AuthorLine2.setText(u"Two"_s);
        menu.Author.AuthorLine4.setText(u"Four"_s);
        menu.Author.AuthorFont.setText(u"8 0 0 DejaVu Sans"_s);
        menu.MenuBars.TitleText.setText(u"Hidden title"_s);
        const QStringList entries = {QString::fromUtf8("Белые ночи"), QString::fromUtf8("東京"),
                                     QString::fromUtf8("الفصل الأول"),
                                     QString::fromUtf8("פרק שני")};
        TBookMenuForm form(book.context, entries);
        form.show();
        KeepScreenshot(form, u"TBookMenuForm-scripts"_s);
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(form.ListBox1->item(i)->text(), entries.at(i));
            QCOMPARE(form.ListBox1->item(i)->textAlignment() & Qt::AlignRight,
                     i >= 2 ? Qt::AlignRight : 0);
        }
        QCOMPARE(form.Labels[0]->text(), QString::fromUtf8("Фёдор Достоевский"));
        QCOMPARE(form.Panel1->geometry(), QRect(230, 130, 190, 165));
        QVERIFY(form.AuthorPnl->isVisible());
        QCOMPARE(form.AuthorPnl->geometry(), QRect(5, 5, 190, 100));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(form.Labels[i]->isVisibleTo(&form), i < 4);
        QVERIFY(form.Labels[2]->text().isEmpty());
        // Inside the bevel, 16 pixels a line, as the tool's mock-up and the Windows reader.
        QCOMPARE(form.Labels[0]->pos(), QPoint(2, 2));
        QCOMPARE(form.Labels[3]->y() - form.Labels[0]->y(), 3 * 16);
        QVERIFY(!form.TitlePnl->isVisible());
        QCOMPARE(form.TitlePnl->text(), u"Hidden title"_s);
        QCOMPARE(form.MQuit->text(), u"&Quit"_s);
        QCOMPARE(form.ListBox1->currentRow(), 0);
    }

    // The menu bar only when the author asked for it, its Quit closing the introduction; a right
    // click closes it on the background only.
    void introduction_menuBarAndRightClick()
    {
        PlatformDoubles platform;
        Book book;
        book.state.Project.Presentation.AboutShown = 1;
        book.state.Project.Presentation.Intro.UseMenuBar = 0;
        TIntDispForm without(book.context, {u"{\\rtf1 intro}"_s});
        without.show();
        QVERIFY(!without.MQuit->isVisible() && !without.MAbout->isVisible() &&
                !without.MHelp->isVisible());
        QCOMPARE(without.TextPnl->RichEdit1->toPlainText(), u"intro"_s);
        book.state.Project.Presentation.Intro.UseMenuBar = 1;
        TIntDispForm with(book.context, {u"{\\rtf1 intro}"_s});
        QVERIFY(with.MQuit->isVisible() && with.MAbout->isVisible());
        with.show();
        QCOMPARE(with.TextPnl->geometry(), with.ScreenPnl->rect());
        QTest::mouseClick(with.MainMenu1, Qt::LeftButton, {},
                          with.MainMenu1->actionGeometry(with.MQuit).center());
        QVERIFY(!with.isVisible());

        book.state.Project.Presentation.Intro.IntroDisplay = windowed();
        TIntDispForm intro(book.context, {u"{\\rtf1 intro}"_s});
        intro.show();
        QVERIFY(QTest::qWaitForWindowExposed(&intro));
        QVERIFY(intro.TextPnl->isVisible());
        QTest::mouseClick(intro.TextPnl->RichEdit1->viewport(), Qt::RightButton);
        QVERIFY(intro.isVisible());
        QTest::mouseClick(intro.ScreenPnl, Qt::RightButton, {}, QPoint(2, 2));
        QVERIFY(!intro.isVisible());
    }

    void aboutBox_paragraphsAndMissingIcon()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        AboutRecord about = DefaultAbout();
        about.Comment1.setText(u"Line one"_s);
        about.Comment3.setText(u"Line two"_s);
        QCOMPARE(TAboutBox::CommentText(about), u"Line one \r\n\r\nLine two \r\n\r\n"_s);
        TAboutBox box(about, false);
        QVERIFY(!box.ProgramIcon->isVisibleTo(&box));
        QCOMPARE(box.ProductName->x(), 8);
        about.UseIcon = 1;
        about.IconFile.setText(u"BOOK.ICO"_s);
        ShowAboutBox(about);
        QCOMPARE(platform.messages.texts(), QStringList{u"The Icon file BOOK.ICO is missing"_s});
    }

    // The order of the steps is the format library's (tst_readerdecisions); a book of two
    // chapters plays its table of contents in tst_executable. One chapter is shown alone.
    void preview_playsTheScreensInOrder()
    {
        PlatformDoubles platform;
        MediaRecorder media;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        PresentationRecord& p = book.state.Project.Presentation;
        p.AboutShown = 1;
        p.About.AboutWhen = 2;
        p.IntroShown = 1;
        p.OpeningShown = 1;
        p.Opening.CommandType = 4;
        p.Opening.Command.setText(u"START.EXE"_s);
        p.ClosingShown = 1;
        p.Closing.CommandType = 10;
        p.Closing.Command.setText(u"END.HTM"_s);
        // One program background stays under every screen, kept above the tool's window by
        // the window manager: a window transient for it.
        QWidget tool;
        tool.show();
        QStringList shown;
        const auto record = [&shown, &tool](QDialog& dialog) {
            QList<QWidget*> backgrounds;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<TTutBackForm*>(window) && window->isVisible())
                    backgrounds << window;
            }
            QCOMPARE(backgrounds.size(), 1);
            QCOMPARE(backgrounds.first()->windowHandle()->transientParent(), tool.windowHandle());
            shown << QString::fromLatin1(dialog.metaObject()->className());
            dialog.reject();
        };
        platform.modal.expect<TAboutBox>(record);
        platform.modal.expect<TIntDispForm>(record);
        platform.modal.expect<TChapDispForm>(record);
        platform.modal.expect<TAboutBox>(record);
        PlayBook(book.context, &tool);
        QCOMPARE(shown, (QStringList{u"TAboutBox"_s, u"TIntDispForm"_s, u"TChapDispForm"_s,
                                     u"TAboutBox"_s}));
        QCOMPARE(media.calls, QStringList{u"run 4: START.EXE"_s});
        QCOMPARE(platform.documents.opened(), QStringList{u"END.HTM"_s});
    }

    void tile_coversTheControlAndClipsAtTheEdges()
    {
        TwiaTile tile;
        QCOMPARE(tile.size(), QSize(64, 64));
        QVERIFY(tile.tileRects().isEmpty());
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setPixel(0, 9, qRgb(0, 0, 255));
        tile.setImage(image);
        tile.resize(25, 25);
        const QList<QRect> tiles = tile.tileRects();
        QCOMPARE(tiles.size(), 9);
        QCOMPARE(tiles.last(), QRect(20, 20, 10, 10));
        QCOMPARE(tile.TranColor(), qRgb(0, 0, 255));

        tile.setTransparent(true);
        const QImage shown = tile.grab().toImage();
        QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::red));
    }

    // Save writes CR LF lines, creating a file that was missing; a file read and saved again stays
    // as it was: its last line break is not doubled.
    void save_createsTheFileAndKeepsItsLineBreaks()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        THNotesForm notepad(u"NEW.TXT"_s);
        QCOMPARE(notepad.windowTitle(), u"Current File : NEW.TXT"_s);
        QVERIFY(notepad.Memo1->toPlainText().isEmpty());
        notepad.Memo1->setPlainText(u"first\nsecond"_s);
        notepad.Save();
        QCOMPARE(readBytes(dir.filePath(u"NEW.TXT"_s)), QByteArray("first\r\nsecond\r\n"));
        QVERIFY(platform.files.asked().isEmpty());
        QVERIFY(!notepad.Memo1->document()->isModified());

        writeBytes(dir.filePath(u"LOG.TXT"_s), "one\r\ntwo\r\n");
        THNotesForm log(dir.filePath(u"LOG.TXT"_s));
        log.Save();
        QCOMPARE(readBytes(dir.filePath(u"LOG.TXT"_s)), QByteArray("one\r\ntwo\r\n"));
    }

    void savePrompt_onClose_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("yes saves") << int(MessageAnswer::Yes) << true << QByteArray("changed\r\n");
        QTest::newRow("no discards") << int(MessageAnswer::No) << true << QByteArray("old");
        QTest::newRow("cancel stays") << int(MessageAnswer::Cancel) << false << QByteArray("old");
    }
    void savePrompt_onClose()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QByteArray, file);
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"N.TXT"_s), "old");
        THNotesForm notepad(dir.filePath(u"N.TXT"_s));
        QCOMPARE(notepad.Memo1->toPlainText(), u"old"_s);
        notepad.show();
        notepad.Memo1->selectAll();
        notepad.Memo1->insertPlainText(u"changed"_s);
        platform.messages.answer(MessageAnswer(answer));
        notepad.reject();
        QCOMPARE(platform.messages.texts(), QStringList{u"File N.TXT has changed. Save Now?"_s});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::YesNoCancel);
        QCOMPARE(notepad.isVisible(), !closed);
        QCOMPARE(readBytes(dir.filePath(u"N.TXT"_s)), file);
    }

    void new_forgetsTheFileAndACancelledSaveDialogKeepsWindowAndText()
    {
        PlatformDoubles platform;
        THNotesForm notepad(u"A.TXT"_s);
        notepad.show();
        notepad.New();
        QCOMPARE(notepad.windowTitle(), u"Current File : Untitled"_s);
        QVERIFY(notepad.currentFileName().isEmpty());
        notepad.Memo1->setFocus();
        QTest::keyClicks(notepad.Memo1, u"draft"_s);
        platform.messages.answer(MessageAnswer::Yes); // save now?
        platform.files.answer(QString());             // ... but the save dialog is cancelled
        QTest::keyClick(&notepad, Qt::Key_Escape);
        QCOMPARE(platform.messages.texts().size(), 1);
        QCOMPARE(platform.files.asked().first().title, u"Save Text File"_s);
        QVERIFY(notepad.isVisible());
        QCOMPARE(notepad.Memo1->toPlainText(), u"draft"_s);
    }

    // The find dialog has no case option: Find Next (Enter) finds the text in any letter case,
    // downward, without wrapping. Replace moves to the next match when the selection is not the
    // find text, and replaces one match, or every one in any letter case.
    void findAndReplace_ignoreCaseAndDoNotWrap()
    {
        PlatformDoubles platform;
        THNotesForm notepad(u"A.TXT"_s);
        notepad.show();
        notepad.Memo1->setPlainText(u"Cat and cat"_s);
        placeCursor(notepad.Memo1, 0);
        notepad.ShowFindDialog();
        QTest::keyClicks(notepad.FindDialog1->FindEdit, u"cat"_s);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectedText(), u"Cat"_s);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);

        notepad.Memo1->setPlainText(u"cat dog Cat dog cat"_s);
        placeCursor(notepad.Memo1, 0);
        notepad.Replace(u"dog"_s, u"fox"_s, false);
        QCOMPARE(notepad.Memo1->toPlainText(), u"cat fox Cat dog cat"_s);
        placeCursor(notepad.Memo1, 0);
        notepad.Replace(u"CAT"_s, u"cow"_s, true);
        QCOMPARE(notepad.Memo1->toPlainText(), u"cow fox cow dog cow"_s);
    }
};

QTEST_MAIN(ReaderScreensTest)
#include "tst_readerscreens.moc"
