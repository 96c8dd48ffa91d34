// The window-adjusting windows: the text window dragged with real mouse events, saved through the
// popup menu or "Save changes?", and what was placed is exactly where the reader screen shows it.
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/book/booksource.h"
#include "core/files/filestore.h"
#include "preview/bookmenuform.h"
#include "preview/chapdispform.h"
#include "preview/intdispform.h"
#include "preview/previewcontext.h"
#include "preview/readerscreen.h"
#include "preview/showhtextform.h"
#include "preview/txtvpdispform.h"
#include "ui/design/chapadjustform.h"
#include "ui/design/handles.h"
#include "ui/design/hyptextadjform.h"
#include "ui/design/intadjustform.h"
#include "ui/design/menuadjustform.h"
#include "ui/design/vpadjustform.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

DisplayRecord windowAt(int left, int top, int width, int height)
{
    DisplayRecord display = DefaultDisplay();
    display.FullScreen = 0;
    display.WinLeft = left;
    display.WinTop = top;
    display.WinWidth = width;
    display.WinHeight = height;
    return display;
}

// Presses on `control`, which attaches the handle, drags the handle by `by` and releases.
void drag(TAdjustForm& form, QWidget* control, QPoint by)
{
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(10, 10));
    TStretchHandle* handle = form.StretchHandle1;
    QVERIFY(handle->isVisible());
    const QPoint start(12, 12); // the same point in the handle's frame
    QTest::mouseMove(handle, start);
    QTest::mouseMove(handle, start + by);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, start + by);
}

void saveThroughThePopup(TAdjustForm& form)
{
    QTest::mouseClick(form.ScreenPnl, Qt::RightButton, {}, QPoint(5, 5));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), form.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(form.ScreenPnl, &menu);
    QVERIFY(form.PopupMenu1->isVisible());
    QTest::mouseClick(form.PopupMenu1, Qt::LeftButton, {},
                      form.PopupMenu1->actionGeometry(form.PUSave).center());
}

} // namespace

class AdjustTest : public QObject
{
    Q_OBJECT

private slots:
    // Escape and Yes save what "Save and Quit" saves, where the chapter display then shows the
    // window; No leaves the record as it was.
    void chapter_placedWindowIsWhereTheChapterDisplayShowsIt()
    {
        PlatformDoubles platform;
        TestBook book;
        book.addChapter("One", "{\\rtf1 the sea}");
        ProjectRecord& project = book.state.Project;
        project.ChapterBars.TitleShown = 1;
        project.ChapterBars.TitleFont.setText(u"20 0 1 Times New Roman"_s);
        DisplayRecord display = windowAt(50, 60, 300, 200);
        QRect adjusted;
        platform.modal.expect<TChapAdjustForm>([&](TChapAdjustForm& form) {
            drag(form, form.TextPnl, {30, 20});
            KeepScreenshot(form, u"TChapAdjustForm"_s);
            QCOMPARE(form.TitlePnl->height(), 40);
            adjusted = form.TextPnl->geometry();
            QTest::keyClick(&form, Qt::Key_Escape);
        });
        platform.messages.answer(MessageAnswer::Yes);
        QVERIFY(AdjustChapterWindow(display, project, u"One.QLF"_s));
        QCOMPARE(platform.messages.texts(), QStringList{u"Save changes?"_s});
        QCOMPARE(QRect(display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight),
                 QRect(78, 78, 300, 200)); // a drag of d moves the left and top edges by d - 2
        QCOMPARE(adjusted, QRect(78, 78, 300, 200));

        platform.messages.clear();
        DisplayRecord untouched = display;
        platform.modal.expect<TChapAdjustForm>([](TChapAdjustForm& form) {
            drag(form, form.TextPnl, {-40, 10});
            form.reject();
        });
        platform.messages.answer(MessageAnswer::No);
        QVERIFY(!AdjustChapterWindow(untouched, project, u"One.QLF"_s));
        QCOMPARE(filestore::bytesOf(untouched), filestore::bytesOf(display));
        QCOMPARE(platform.messages.texts(), QStringList{u"Save changes?"_s});

        // The reader screen puts the window at the same place of the same screen area.
        ProjectBookSource source(book.state);
        const PreviewContext context{source, QString()};
        TChapDispForm reader(context, display, "{\\rtf1 the sea}");
        reader.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reader));
        QCOMPARE(reader.TextPnl->geometry(), QRect(78, 78, 300, 200));
        QCOMPARE(reader.ScreenPnl->y(), reader.MainMenu1->height() + 40); // below the bar
    }

    void popup_opensWhereTheSampleWasLeft()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        DisplayRecord display = windowAt(100, 80, 300, 150);
        const QStringList text{u"{\\rtf1 a note}"_s};
        QRect sample;
        QRect sampleOnScreen;
        platform.modal.expect<THypTextAdjForm>([&](THypTextAdjForm& form) {
            QCOMPARE(form.Panel1->geometry(), QRect(100, 80, 303, 150));
            drag(form, form.Panel2, {30, 10}); // the navy strip
            sample = form.Panel1->geometry();
            sampleOnScreen = QRect(form.Panel1->mapToGlobal(QPoint(0, 0)), sample.size());
            KeepScreenshot(form, u"THypTextAdjForm"_s);
            saveThroughThePopup(form);
        });
        QVERIFY(AdjustPopupWindow(display, text));
        QCOMPARE(sample, QRect(128, 88, 303, 150));
        // The pop-up opens on the screen exactly where the sample was left.
        TShowHTextForm popup(display, text);
        popup.show();
        QCOMPARE(popup.geometry(), sampleOnScreen);

        // Moved, then closed without saving: the record stays as it was.
        const DisplayRecord saved = display;
        platform.modal.expect<THypTextAdjForm>([](THypTextAdjForm& form) {
            drag(form, form.Panel2, {30, 10});
            QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        });
        platform.messages.answer(MessageAnswer::No);
        QVERIFY(!AdjustPopupWindow(display, text));
        QCOMPARE(display.WinLeft, saved.WinLeft);
        QCOMPARE(platform.messages.texts(), QStringList{u"Save changes?"_s});
    }

    void tableOfContents_listAndAuthorBoxLandWhereTheReaderSeesThem()
    {
        PlatformDoubles platform;
        TestBook book;
        book.addChapter("One", "{\\rtf1 one}");
        book.addChapter("Two", "{\\rtf1 two}");
        MenuRecord& menu = book.state.Project.Menu;
        menu.UseAuthorBox = 1;
        menu.Author.AuthorLine1.setText(u"One"_s);
        menu.Author.AuthorLine3.setText(u"Three"_s);
        const auto dragHandle = [](TStretchHandle* handle, QPoint by) {
            QTest::mouseMove(handle, QPoint(20, 20));
            QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(20, 20));
            QTest::mouseMove(handle, QPoint(20, 20) + by);
            QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(20, 20) + by);
        };
        QRect list;
        QRect author;
        platform.modal.expect<TMenuAdjustForm>([&](TMenuAdjustForm& form) {
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (int i = 0; i < 6; ++i)
                QCOMPARE(form.Labels[i]->isVisible(), i < 3);
            QVERIFY(form.Labels[1]->text().isEmpty());
            QTest::keyClick(&form, Qt::Key_Escape); // no key closes it
            QVERIFY(form.isVisible());
            QTest::mouseClick(form.AuthorPnl, Qt::LeftButton, {}, QPoint(5, 5)); // selects
            dragHandle(form.StretchHandle1, {40, 30});
            QTest::mouseClick(form.OKBtn,
                              Qt::LeftButton); // selects the list panel, presses nothing
            QCOMPARE(form.StretchHandle1->attached().first(), form.Panel3);
            dragHandle(form.StretchHandle1, {-10, 50});
            KeepScreenshot(form, u"TMenuAdjustForm"_s);
            list = form.Panel3->geometry();
            author = form.AuthorPnl->geometry();
            saveThroughThePopup(form);
        });
        QVERIFY(AdjustMenuWindow(menu));

        ProjectBookSource source(book.state);
        const PreviewContext context{source, QString()};
        TBookMenuForm reader(context, {u"One"_s, u"Two"_s});
        reader.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reader));
        QCOMPARE(reader.Panel1->geometry(), list);
        QCOMPARE(reader.AuthorPnl->geometry(), author);
        QCOMPARE(author.topLeft(),
                 QPoint(DefaultProjectRecord(u"2.2"_s).Menu.Author.AuthorLeft + 38,
                        DefaultProjectRecord(u"2.2"_s).Menu.Author.AuthorTop + 28));
    }

    void introductionAndGraphicScreens_showTheWindowWherePlaced()
    {
        PlatformDoubles platform;
        TestBook book;
        PresentationRecord& presentation = book.state.Project.Presentation;
        presentation.Intro.UseMenuBar = 1;
        presentation.Intro.IntroBars.StatusShown = 1;
        presentation.Intro.IntroDisplay = windowAt(40, 50, 250, 120);
        const QByteArray text = "{\\rtf1 welcome}";
        QRect introPlaced;
        platform.modal.expect<TIntAdjustForm>([&](TIntAdjustForm& form) {
            drag(form, form.TextPnl, {60, 40});
            introPlaced = form.TextPnl->geometry();
            saveThroughThePopup(form);
        });
        QVERIFY(AdjustIntroductionWindow(presentation, book.state.Project.Config, text));
        ProjectBookSource source(book.state);
        const PreviewContext context{source, QString()};
        TIntDispForm intro(context, {QString::fromLatin1(text)});
        intro.show();
        QVERIFY(QTest::qWaitForWindowExposed(&intro));
        QCOMPARE(intro.TextPnl->geometry(), introPlaced);
        QCOMPARE(introPlaced, QRect(98, 88, 250, 120));

        // A full-screen Graphic and Text screen is saved as a window.
        DisplayRecord screen = windowAt(200, 100, 300, 200);
        screen.FullScreen = 1;
        QRect screenPlaced;
        platform.modal.expect<TVPAdjustForm>([&](TVPAdjustForm& form) {
            QVERIFY(!form.MainMenu1->isVisible());
            drag(form, form.TextPnl, {-100, 50});
            screenPlaced = form.TextPnl->geometry();
            saveThroughThePopup(form);
        });
        QVERIFY(AdjustHyperTextWindow(screen, text));
        QCOMPARE(screen.FullScreen, 0);
        TTxtVPDispForm graphicScreen(screen, {QString::fromLatin1(text)});
        graphicScreen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&graphicScreen));
        QCOMPARE(graphicScreen.TextPnl->geometry(), screenPlaced);
    }
};

QTEST_MAIN(AdjustTest)
#include "tst_adjust.moc"
