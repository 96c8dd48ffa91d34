// The reader screens, read back from their widgets after showing them offscreen.
#include "doubles.h"
#include "mediarecorder.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/pictures/pictures.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
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
#include "preview/showhtextform.h"
#include "preview/tutbackform.h"
#include "preview/txtvpdispform.h"
#include "preview/wiatile.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QWindow>

namespace {

// A book in a temporary directory, read through the project book source.
struct Book : TestBook
{
    ProjectBookSource source{state};
    PreviewContext context{source, QStringLiteral("/tool/KESTRIN.HLP")};
};

DisplayRecord windowed()
{
    DisplayRecord display = DefaultDisplay();
    display.FullScreen = 0;
    return display;
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
        bars.TitleText.setText(QStringLiteral("My Title"));
        book.state.Project.Presentation.Captions.CloseCaption.setText(QStringLiteral("&Leave"));
        TChapDispForm form(book.context, windowed(), "{\\rtf1 text}");
        form.show();
        QCOMPARE(form.TextPnl->geometry(), QRect(120, 80, 400, 200));
        QVERIFY(form.TitlePnl->isVisible());
        QCOMPARE(form.TitlePnl->height(), 32); // "16 0 1 Times New Roman": twice 16
        QCOMPARE(form.TitlePnl->text(), QStringLiteral("My Title"));
        QVERIFY(!form.StatusPnl->isVisible());
        QCOMPARE(form.MQuit->text(), QStringLiteral("&Leave"));
        QVERIFY(!form.MPrint->menuAction()->isVisible());
        QVERIFY(!form.MAbout->isVisible() && !form.MHelp->isVisible());
        QCOMPARE(form.TextPnl->RichEdit1->toPlainText(), QStringLiteral("text"));

        DisplayRecord full = DefaultDisplay();
        full.PrintAllowed = 1;
        TChapDispForm fullForm(book.context, full, "plain words, not rtf");
        fullForm.show();
        QCOMPARE(fullForm.TextPnl->geometry(), fullForm.ScreenPnl->rect());
        QVERIFY(fullForm.MPrint->menuAction()->isVisible());
        QCOMPARE(fullForm.TextPnl->RichEdit1->toPlainText(),
                 QStringLiteral("plain words, not rtf"));
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
        KeepScreenshot(form, QStringLiteral("TChapDispForm-arabic"));
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
        QVERIFY2(right > 20 && left == 0, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
    }

    void backgrounds_messagesAndFallback_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("colour");
        QTest::newRow("missing picture")
            << 2 << QStringLiteral("SKY.JPG")
            << QStringLiteral("The graphic file SKY.JPG was not found") << true;
        QTest::newRow("missing wallpaper")
            << 3 << QStringLiteral("TILE.BMP")
            << QStringLiteral("The Wallpaper file TILE.BMP was not found") << true;
        QTest::newRow("jpg wallpaper, any case")
            << 3 << QStringLiteral("tile.jpg")
            << QStringLiteral(
                   "Wallpaper must be a .BMP file.\n\r\n\rReplace tile.jpg with a .BMP Graphic.")
            << false;
        QTest::newRow("random bytes as bmp")
            << 2 << QStringLiteral("BAD.BMP")
            << QStringLiteral("The picture file BAD.BMP could not be read: it is damaged or not a "
                              "picture of a known kind.")
            << true;
    }
    void backgrounds_messagesAndFallback()
    {
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(bool, colour);
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("BAD.BMP")), "not a bitmap at all");
        TScreenPanel panel;
        panel.setColour(Qt::black);
        const bool shown = ShowBackground(&panel, {type, 0x0000FF, file, file});
        QCOMPARE(platform.messages.texts(), QStringList{message});
        QCOMPARE(shown, colour);
        QCOMPARE(panel.palette().color(QPalette::Window),
                 colour ? QColor(Qt::red) : QColor(Qt::black));
        QVERIFY(!panel.Image1->isVisibleTo(&panel) && !panel.wiaTile1->isVisibleTo(&panel));
    }

    void backgrounds_pictureAndWallpaper()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(Qt::green);
        tile.save(dir.filePath(QStringLiteral("TILE.BMP")));
        TScreenPanel panel;
        panel.resize(25, 25);
        panel.show();
        QVERIFY(ShowBackground(&panel, {3, 0, QString(), QStringLiteral("tile.bmp")}));
        QVERIFY(panel.wiaTile1->isVisibleTo(&panel));
        QCOMPARE(panel.wiaTile1->tileRects().size(), 9);
        QImage sky(40, 30, QImage::Format_RGB32);
        sky.fill(Qt::blue);
        QVERIFY(sky.save(dir.filePath(QStringLiteral("SKY.JPG")), "JPG"));
        QVERIFY(ShowBackground(&panel, {2, 0, QStringLiteral("SKY.JPG"), QString()}));
        QVERIFY(panel.Image1->isVisibleTo(&panel));
        QVERIFY(platform.messages.shown().isEmpty());
    }

    void pictures_jpegAndBitmapFoundWithoutRegardToCase()
    {
        CurrentTempDir dir;
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        QVERIFY(image.save(dir.filePath(QStringLiteral("PIC.JPG")), "JPG"));
        QVERIFY(image.save(dir.filePath(QStringLiteral("PIC.BMP")), "BMP"));
        const LoadedPicture jpeg =
            LoadPicture(QStringLiteral("pic.jpg")); // found without regard to case
        QVERIFY2(!jpeg.image.isNull(), qPrintable(jpeg.error));
        QCOMPARE(jpeg.image.size(), QSize(64, 48));
        QVERIFY(qRed(jpeg.image.pixel(10, 10)) > 150);
        QVERIFY(!LoadPicture(QStringLiteral("PIC.BMP")).image.isNull());
        QVERIFY(!LoadPicture(QStringLiteral("NONE.BMP")).error.isEmpty());
    }

    // The design screen is centred on the (1024 x 768) screen: the pop-up lies at its designed
    // place on it, whoever opens it.
    void popup_placedOnTheDesignScreen()
    {
        PlatformDoubles platform;
        CurrentHyperPhrase() = QStringLiteral("Paris");
        TShowHTextForm popup(DefaultDisplay(),
                             {QStringLiteral("{\\rtf1 pop}"), QStringLiteral("]")});
        popup.show();
        QCOMPARE(popup.geometry(), QRect(192 + 120, 144 + 80, 403, 200));
        QCOMPARE(popup.windowTitle(), QStringLiteral("Paris"));
        QCOMPARE(popup.TextPnl->RichEdit1->toPlainText().trimmed(), QStringLiteral("pop"));
    }

    // What each kind of entry does is the link dialog test's; here a click reaches it.
    void phraseClick_lookupAndDispatch()
    {
        PlatformDoubles platform;
        MediaRecorder media;
        Book book;
        AddEntry(book.state.HyperTextFile, QStringLiteral("Sun"), 6,
                 QStringLiteral("SUN.BMP,SUN.WAV,50"), kHyperSource);
        AddEntry(book.state.HyperTextFile, QStringLiteral("Odd"), 11, QStringLiteral("x"),
                 kHyperSource);
        TChapDispForm form(book.context, DefaultDisplay(),
                           "{\\rtf1 \\ul Sun\\ulnone  \\ul Moon\\ulnone  \\ul Odd\\ulnone  plain}");
        const auto click = [&form](int position) {
            QTextCursor cursor = form.TextPnl->RichEdit1->textCursor();
            cursor.setPosition(position);
            form.TextPnl->RichEdit1->setTextCursor(cursor);
            form.RichEdit1MouseDown();
        };
        click(1);  // Sun
        click(5);  // Moon: no entry
        click(10); // Odd: type 11 does nothing
        click(15); // plain text
        QCOMPARE(media.calls, QStringList{QStringLiteral("show Sun: SUN.BMP,SUN.WAV,50")});
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("\"Moon\" is not HyperText")});
        QCOMPARE(CurrentHyperPhrase(),
                 QStringLiteral("Odd")); // set for every entry, acted on or not
    }

    void hostileLinks_reachOnlyTheBooksFolderAndAskFirst()
    {
        PlatformDoubles platform;
        Book book;
        const auto refused = [](const QString& name) {
            return QStringLiteral("The HyperText entry \"X\" names %1, which is not a file of the "
                                  "book's folder.")
                .arg(name);
        };
        const QString owner = QStringLiteral("The HyperText entry \"X\"");
        RunLinkCommand(HyperTextType::NotePad, QStringLiteral("X"), QStringLiteral("/etc/passwd"),
                       nullptr, owner);
        RunLinkCommand(HyperTextType::HtmlFile, QStringLiteral("X"),
                       QStringLiteral("../../../../etc/shadow"), nullptr, owner);
        RunLinkCommand(HyperTextType::GraphicOnly, QStringLiteral("X"),
                       QStringLiteral("../SKY.BMP,30"), nullptr, owner);
        QCOMPARE(platform.messages.texts(),
                 QStringList({refused(QStringLiteral("/etc/passwd")),
                              refused(QStringLiteral("../../../../etc/shadow")),
                              refused(QStringLiteral("../SKY.BMP"))}));
        QVERIFY_THROWS_EXCEPTION(InOutError,
                                 book.source.chapterText(QStringLiteral("/etc/passwd")));

        // An address goes to the browser only after the reader allows it.
        platform.messages.clear();
        platform.messages.answer(MessageAnswer::No);
        platform.messages.answer(MessageAnswer::Yes);
        for (int i = 0; i < 2; ++i)
            RunLinkCommand(HyperTextType::HtmlFile, QStringLiteral("X"),
                           QStringLiteral("https://example.org/"), nullptr, owner);
        QCOMPARE(platform.messages.texts(),
                 QStringList(2, QStringLiteral("This e-book wants to open the address "
                                               "https://example.org/ in the web browser.\n\r\n\rDo "
                                               "you allow it?")));
        QCOMPARE(platform.documents.opened(), QStringList{QStringLiteral("https://example.org/")});
    }

    void programs_askShowingTheWholeCommandOnceForIt()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("game.sh")), "#!/bin/sh\n");
        QString prompt;
        BookMediaActions book(prompt);
        const QString game = dir.filePath(QStringLiteral("game.sh"));
        const QString question =
            QStringLiteral("This e-book wants to start the program %1 with the "
                           "arguments -x \"two words\".\n\r\n\rDo you allow it?")
                .arg(game);
        platform.messages.answer(MessageAnswer::Yes);
        book.runProgram(nullptr, HyperTextType::ExecutableProgram,
                        QStringLiteral("GAME.SH,-x \"two words\""));
        book.runProgram(nullptr, HyperTextType::ExecutableProgram,
                        QStringLiteral("GAME.SH,-x \"two words\""));
        QCOMPARE(platform.messages.texts(), QStringList{question}); // asked once for that command
        platform.messages.answer(MessageAnswer::No); // the same program with other arguments
        book.runProgram(nullptr, HyperTextType::ExecutableProgram, QStringLiteral("GAME.SH,-rf /"));
        QCOMPARE(platform.messages.texts().size(), 2);
        QCOMPARE(platform.programs.runs(), QStringList(2, game + QStringLiteral("|-x|two words")));
    }

    void displayEntries_openTheScreenOrTheConversionError()
    {
        PlatformDoubles platform;
        Book book;
        AddDisplayEntry(book.state.HyperTextFile, QStringLiteral("Screen"), 5, DefaultDisplay(),
                        {QStringLiteral("{\\rtf1 hi}")}, kHyperSource);
        QStringList lines;
        QVERIFY(book.source.hyperEntry(QStringLiteral("screen"), lines));
        platform.modal.expect<TTxtVPDispForm>([](TTxtVPDispForm& screen) {
            QCOMPARE(screen.TextPnl->geometry(), screen.ScreenPnl->rect());
            screen.reject();
        });
        ShowEntry(lines, nullptr);
        lines[9] = QStringLiteral("VPLeft=12px");
        QVERIFY_THROWS_EXCEPTION(ConvertError, ShowEntry(lines, nullptr));
        QCOMPARE(EntryType({QString(), QString(), QStringLiteral("type=135")}),
                 HyperTextType::NotePad);
    }

    void tableOfContents_authorLinesAndMenuBox()
    {
        PlatformDoubles platform;
        Book book;
        MenuRecord& menu = book.state.Project.Menu;
        menu.UseAuthorBox = 1;
        menu.Author.AuthorLine1.setText(QString::fromUtf8("Фёдор Достоевский"));
        menu.Author.AuthorLine2.setText(QStringLiteral("Two"));
        menu.Author.AuthorLine4.setText(QStringLiteral("Four"));
        menu.MenuBars.TitleText.setText(QStringLiteral("Hidden title"));
        const QStringList entries = {QString::fromUtf8("Белые ночи"), QString::fromUtf8("東京"),
                                     QString::fromUtf8("الفصل الأول"),
                                     QString::fromUtf8("פרק שני")};
        TBookMenuForm form(book.context, entries);
        form.show();
        KeepScreenshot(form, QStringLiteral("TBookMenuForm-scripts"));
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
        QVERIFY(!form.TitlePnl->isVisible());
        QCOMPARE(form.TitlePnl->text(), QStringLiteral("Hidden title"));
        QCOMPARE(form.MQuit->text(), QStringLiteral("&Quit"));
        QCOMPARE(form.ListBox1->currentRow(), 0);
    }

    void introduction_menuOnlyWithMenuBar()
    {
        PlatformDoubles platform;
        Book book;
        book.state.Project.Presentation.AboutShown = 1;
        book.state.Project.Presentation.Intro.UseMenuBar = 0;
        TIntDispForm without(book.context, {QStringLiteral("{\\rtf1 intro}")});
        without.show();
        QVERIFY(!without.MQuit->isVisible() && !without.MAbout->isVisible() &&
                !without.MHelp->isVisible());
        QCOMPARE(without.TextPnl->RichEdit1->toPlainText(), QStringLiteral("intro"));
        book.state.Project.Presentation.Intro.UseMenuBar = 1;
        TIntDispForm with(book.context, {QStringLiteral("{\\rtf1 intro}")});
        QVERIFY(with.MQuit->isVisible() && with.MAbout->isVisible());
        with.show();
        QCOMPARE(with.TextPnl->geometry(), with.ScreenPnl->rect());
        QTest::mouseClick(with.MainMenu1, Qt::LeftButton, {},
                          with.MainMenu1->actionGeometry(with.MQuit).center());
        QVERIFY(!with.isVisible());
    }

    void introduction_rightClickClosesOnTheBackgroundOnly()
    {
        PlatformDoubles platform;
        Book book;
        book.state.Project.Presentation.Intro.IntroDisplay = windowed();
        TIntDispForm intro(book.context, {QStringLiteral("{\\rtf1 intro}")});
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
        about.Comment1.setText(QStringLiteral("Line one"));
        about.Comment3.setText(QStringLiteral("Line two"));
        QCOMPARE(TAboutBox::CommentText(about),
                 QStringLiteral("Line one \r\n\r\nLine two \r\n\r\n"));
        TAboutBox box(about, false);
        QVERIFY(!box.ProgramIcon->isVisibleTo(&box));
        QCOMPARE(box.ProductName->x(), 8);
        about.UseIcon = 1;
        about.IconFile.setText(QStringLiteral("BOOK.ICO"));
        ShowAboutBox(about);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The Icon file BOOK.ICO is missing")});
    }

    void preview_backgroundBelongsToTheToolsWindow()
    {
        PlatformDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        QWidget tool;
        tool.show();
        bool looked = false;
        platform.modal.expect<TChapDispForm>([&](TChapDispForm& chapter) {
            QList<QWidget*> backgrounds;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<TTutBackForm*>(window) && window->isVisible())
                    backgrounds << window;
            }
            QCOMPARE(backgrounds.size(), 1);
            // Window managers keep a transient window above its owner: the tool's window.
            QCOMPARE(backgrounds.first()->windowHandle()->transientParent(), tool.windowHandle());
            looked = true;
            chapter.reject();
        });
        PlayBook(book.context, &tool);
        QVERIFY(looked);
    }

    void preview_playsTheScreensInOrder_data()
    {
        QTest::addColumn<int>("chapters");
        QTest::addColumn<QStringList>("windows");
        QTest::newRow("one chapter")
            << 1
            << QStringList{QStringLiteral("TAboutBox"), QStringLiteral("TIntDispForm"),
                           QStringLiteral("TChapDispForm"), QStringLiteral("TAboutBox")};
        QTest::newRow("two chapters")
            << 2
            << QStringList{QStringLiteral("TAboutBox"), QStringLiteral("TIntDispForm"),
                           QStringLiteral("TBookMenuForm"), QStringLiteral("TAboutBox")};
    }
    void preview_playsTheScreensInOrder()
    {
        QFETCH(int, chapters);
        QFETCH(QStringList, windows);
        PlatformDoubles platform;
        MediaRecorder media;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        if (chapters > 1)
            book.addChapter("Two", "{\\rtf1 two}");
        PresentationRecord& p = book.state.Project.Presentation;
        p.AboutShown = 1;
        p.About.AboutWhen = 2;
        p.IntroShown = 1;
        p.OpeningShown = 1;
        p.Opening.CommandType = 4;
        p.Opening.Command.setText(QStringLiteral("START.EXE"));
        p.ClosingShown = 1;
        p.Closing.CommandType = 10;
        p.Closing.Command.setText(QStringLiteral("END.HTM"));
        QStringList shown;
        const auto record = [&shown](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            dialog.reject();
        };
        platform.modal.expect<TAboutBox>(record);
        platform.modal.expect<TIntDispForm>(record);
        if (chapters == 1)
            platform.modal.expect<TChapDispForm>(record);
        else
            platform.modal.expect<TBookMenuForm>(record);
        platform.modal.expect<TAboutBox>(record);
        PlayBook(book.context, nullptr);
        QCOMPARE(shown, windows);
        QCOMPARE(media.calls, QStringList{QStringLiteral("run 4: START.EXE")});
        QCOMPARE(platform.documents.opened(), QStringList{QStringLiteral("END.HTM")});
    }
};

QTEST_MAIN(ReaderScreensTest)
#include "tst_readerscreens.moc"
