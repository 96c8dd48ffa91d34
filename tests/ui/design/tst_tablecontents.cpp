// The table of contents design: cancelling leaves the project file, saving stores the bars and
// the author box the reader's table of contents then shows, and the test view's menu bar.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/book/booksource.h"
#include "platform/f1help.h"
#include "ui/design/authorform.h"
#include "ui/design/menudesignbackform.h"
#include "ui/design/menudesignform.h"
#include "ui/design/menutestform.h"
#include "ui/design/toctitleform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Designs an author box of two lines on a navy ground through the author window.
void expectAuthorBox(PlatformDoubles& platform)
{
    platform.modal.expect<TAuthorForm>([&platform](TAuthorForm& author) {
        QCOMPARE(HelpContextOf(&author), 221);
        QTest::keyClicks(author.Edits[0], u"Written by Ada"_s);
        QTest::keyClicks(author.Edits[1], u"2026"_s);
        platform.files.answerColor(QColor(0, 0, 0x80));
        click(author.Button3);
        QCOMPARE(author.Edits[5]->palette().color(QPalette::Base), QColor(0, 0, 0x80));
        platform.files.answerColor(QColor(0xFF, 0xFF, 0xFF));
        click(author.ColourBtn);
        QCOMPARE(author.Edits[5]->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xFF));
        KeepScreenshot(author, u"TAuthorForm"_s);
        click(author.OKBtn);
    });
}

} // namespace

class TableContentsTest : public QObject
{
    Q_OBJECT

private slots:
    // Every window the designer opens, the View among them with the book's chapters as the
    // reader's table of contents will list them; Cancel then leaves the project file. Saved, the
    // designer stores what the reader's table of contents shows; unchecking the author box keeps
    // its lines.
    void cancelLeavesTheProjectFileAndSaveStoresWhatTheReaderShows()
    {
        PlatformDoubles platform;
        TestBook book;
        book.addChapter("Harbour", "{\\rtf1 harbour}");
        book.addChapter("Lighthouse", "{\\rtf1 light}");
        const QByteArray before = book.projectBytes();
        TMenuDesignForm form(book.state);
        form.show();
        QVERIFY(!form.AuthorBtn->isEnabled());
        platform.modal.expect<TMenuTestForm>([](TMenuTestForm& view) {
            QCOMPARE(view.ListBox1->count(), 2);
            QCOMPARE(view.ListBox1->item(1)->text(), u"Lighthouse"_s);
            QTest::keyClick(&view, Qt::Key_Escape);
        });
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(platform.modal.allUsed());
        click(form.AuthorChkBx);
        expectAuthorBox(platform);
        click(form.AuthorBtn);
        click(form.TitleChkBx);
        platform.modal.expect<TTocTitleForm>([](TTocTitleForm& bar) {
            QCOMPARE(HelpContextOf(&bar), 465);
            QTest::keyClicks(bar.edit1, u"Contents"_s);
            click(bar.OKBtn);
        });
        click(form.TitleBtn);
        platform.modal.expect<TMenuDesignBackForm>([](TMenuDesignBackForm& background) {
            click(background.GraphicRBtn);
            click(background.OKBtn);
        });
        click(form.DesignBtn);
        KeepScreenshot(form, u"TMenuDesignForm"_s);
        click(form.CancelBitBtn);
        QCOMPARE(book.projectBytes(), before);
        QCOMPARE(book.state.Project.Menu.UseAuthorBox, 0);

        TMenuDesignForm saving(book.state);
        saving.show();
        QVERIFY(QTest::qWaitForWindowActive(&saving));
        click(saving.AuthorChkBx);
        expectAuthorBox(platform);
        QTest::keyClick(&saving, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(platform.modal.allUsed());
        click(saving.StatusChkBx);
        platform.modal.expect<TTocTitleForm>([](TTocTitleForm& bar) {
            QCOMPARE(HelpContextOf(&bar), 470);
            QTest::keyClicks(bar.edit1, u"Pick a chapter"_s);
            QTest::keyClick(bar.edit1, Qt::Key_Return);
        });
        click(saving.StatusBtn);
        click(saving.OKBitBtn);
        QVERIFY(!saving.isVisible());

        const ProjectRecord saved = book.projectOnDisk();
        QCOMPARE(saved.Menu.UseAuthorBox, 1);
        QCOMPARE(saved.Menu.Author.AuthorLine1.text(), u"Written by Ada"_s);
        QCOMPARE(saved.Menu.Author.AuthorColor, 0x800000);
        QVERIFY(saved.Menu.Author.AuthorFont.text().contains(u" 16777215 "_s));
        QCOMPARE(saved.Menu.MenuBars.StatusShown, 1);

        ProjectBookSource source(book.state);
        const PreviewContext context{source, QString()};
        TBookMenuForm reader(context, source.menuEntries());
        reader.show();
        QVERIFY(reader.AuthorPnl->isVisible());
        QCOMPARE(reader.Labels[0]->text(), u"Written by Ada"_s);
        QCOMPARE(reader.Labels[1]->text(), u"2026"_s);
        QVERIFY(reader.StatusPnl->isVisible());
        QCOMPARE(reader.StatusPnl->text(), u"Pick a chapter"_s);

        // Unchecking the author box keeps its lines: only the switch changes.
        TMenuDesignForm again(book.state);
        again.show();
        click(again.AuthorChkBx);
        click(again.OKBitBtn);
        QCOMPARE(book.projectOnDisk().Menu.UseAuthorBox, 0);
        QCOMPARE(book.projectOnDisk().Menu.Author.AuthorLine1.text(), u"Written by Ada"_s);
    }

    void testView_menuBarOnlyWhenShownAndTheToolsHelpAfterwards()
    {
        PlatformDoubles platform;
        TestBook book;
        platform.help.setHelpFile(u"/tool/KESTRIN.HLP"_s);
        ProjectRecord project = book.state.Project;
        project.Config.UseHelpFile = 1;
        project.Config.HelpFile.setText(u"BOOK.HLP"_s);
        project.Config.BookTitle.setText(u"Voyages"_s);
        project.Presentation.AboutShown = 1;
        project.Menu.MenuBarShown = 0;
        {
            TMenuTestForm bare(book.state, project.Menu, project.Presentation, project.Config,
                               u"/tool/KESTRIN.HLP"_s);
            bare.show();
            QCOMPARE(bare.windowTitle(), u"Voyages"_s);
            QVERIFY(!bare.MainMenu1->isVisible());
        }
        QCOMPARE(platform.help.helpFile(), u"/tool/KESTRIN.HLP"_s);

        project.Menu.MenuBarShown = 1;
        TMenuTestForm full(book.state, project.Menu, project.Presentation, project.Config,
                           u"/tool/KESTRIN.HLP"_s);
        full.show();
        QVERIFY(full.MainMenu1->isVisible());
        QVERIFY(full.MAbout->isVisible() && full.MHelp->isVisible());
        QTest::keyClick(&full, Qt::Key_Escape);
        QVERIFY(!full.isVisible());
    }
};

QTEST_MAIN(TableContentsTest)
#include "tst_tablecontents.moc"
