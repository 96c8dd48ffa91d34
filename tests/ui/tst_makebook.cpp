// A book made as an author makes it, through the tool's own windows with the mouse and the
// keyboard: Create New E-Book, a chapter written and saved in the editor with its pop-ups, Add a
// Chapter (with a display file designed on the way), the presentation designers, Create
// Executable, whose executable then passes the reader runtime's own check, and the EPUB. What a
// designer stores when it is opened alone is its own test's; here each main-window button
// reaches its windows and saves.
#include "clicks.h"
#include "doubles.h"
#include "epubcheck.h"
#include "programrun.h"
#include "screenshots.h"
#include "testdir.h"

#include "core/book/bookarchive.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/displaysection.h"
#include "platform/filelists.h"
#include "platform/inputbox.h"
#include "preview/chapdispform.h"
#include "preview/previewcontext.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "preview/showhtextform.h"
#include "ui/authoring/chapeditform.h"
#include "ui/authoring/gettextform.h"
#include "ui/authoring/hypentryform.h"
#include "ui/authoring/hypmenuform.h"
#include "ui/chapters/chapaddform.h"
#include "ui/design/authorform.h"
#include "ui/design/chapdesignform.h"
#include "ui/design/custmenuform.h"
#include "ui/design/designaboutform.h"
#include "ui/design/menudesignform.h"
#include "ui/design/progconfigform.h"
#include "ui/mainwindow/bookmainform.h"
#include "ui/mainwindow/makedirform.h"
#include "ui/publish/distribform.h"
#include "ui/publish/readersystemform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

// Selects the text from `start` for `length` characters and marks it as a HyperText phrase.
void markPhrase(TChapEditForm& editor, int start, int length)
{
    QTextCursor cursor = editor.RichEdit1->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    editor.RichEdit1->setTextCursor(cursor);
    click(editor.BtnH);
}

// Defines a pop-up text for the phrase through the link dialog, typing the text.
void definePopup(PlatformDoubles& platform, const QString& file, const QString& phrase,
                 const QString& text)
{
    platform.modal.expect<THypMenuForm>([](THypMenuForm& form) {
        QVERIFY(QTest::qWaitForWindowActive(&form));
        click(form.Buttons[0]);
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());
    });
    platform.modal.expect<THypEntryForm>([&text](THypEntryForm& entry) {
        entry.RichEdit1->setFocus();
        type(entry.RichEdit1, text);
        click(entry.OKBtn);
    });
    DefineLink(file, phrase);
}

// The plain text of a pop-up entry's lines.
QString popupText(const QStringList& lines)
{
    DisplayRecord display;
    QStringList text;
    ParseDisplayEntry(lines, display, text);
    QTextDocument document;
    ReadRtf(RtfFromLines(text), document);
    return document.toPlainText().trimmed();
}

} // namespace

class MakeBookTest : public QObject
{
    Q_OBJECT

private slots:
    // A Russian book with a Greek title, every text typed: its chapter is shown in a text window
    // through a display file designed on the way, the E-Book Presentation gives it an author box
    // on the table of contents, the Program Presentation a title and an About box. Two phrases of
    // one length keep two links; every name, caption and pop-up reads back exactly in the built
    // book and on its screens, and the EPUB of the distribution window passes the validator.
    void makeBook_fromNewProjectToAVerifiedExecutableAndEpub()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        Tbookmainform form;
        form.show();
        form.Timer1Timer();
        const QDir folder(dir.filePath(u"My Books/Sea"_s));
        platform.modal.expect<TMakeDirForm>([&dir](TMakeDirForm& ask) {
            retype(ask.Edit1, QString());
            ask.Edit1->insert(dir.path()); // pasted: key clicks type ASCII only
            QTest::keyClicks(ask.Edit1, u"/My Books/Sea"_s);
            retype(ask.Edit2, u"Sea"_s);
            click(ask.BitBtn1);
        });
        click(form.StartBtn);
        QCOMPARE(form.ProjectLbl->text(), u"Sea"_s);

        const QString white = QString::fromUtf8("Белые ночи");
        const QString calm = QString::fromUtf8("Тихое море");
        platform.modal.expect<TChapEditForm>([&](TChapEditForm& editor) {
            editor.RichEdit1->setFocus();
            type(editor.RichEdit1, white + QString::fromUtf8(" и ") + calm);
            markPhrase(editor, 0, int(white.size()));
            markPhrase(editor, int(white.size()) + 3, int(calm.size()));
            KeepScreenshot(editor, u"TChapEditForm-russian"_s);
            click(editor.SaveasBtn);
            click(editor.OKBtn);
        });
        platform.modal.expect<TGetTextForm>([](TGetTextForm& name) {
            retype(name.Edit1, QString::fromUtf8("Глава"));
            QTest::keyClick(name.Edit1, Qt::Key_Return);
        });
        click(form.EditBtn);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QString::fromUtf8("Глава.QLF has been saved.")});
        QVERIFY(form.AddBtn->isEnabled());
        const QString hyperText = folder.filePath(u"Sea.QVR"_s);
        definePopup(platform, hyperText, white, QString::fromUtf8("Светлая ночь"));
        definePopup(platform, hyperText, calm, QString::fromUtf8("Спокойная вода"));

        // The display file the designer saves is the one in the field, and so in the list of
        // display files; a cancelled designer leaves the field as it was.
        platform.modal.expect<TChapAddForm>([&platform](TChapAddForm& add) {
            add.ChapIDEdit->setFocus();
            type(add.ChapIDEdit, QString::fromUtf8("Первая глава"));
            clickItem(add.FileListBox2, QString::fromUtf8("Глава.QLF"));
            click(add.Button1);
            QCOMPARE(add.DisplayEdit->text(), u"WINDOW.QVD"_s);
            platform.modal.expect<TChapDesignForm>(
                [](TChapDesignForm& design) { QTest::keyClick(&design, Qt::Key_Escape); });
            click(add.Button1);
            QCOMPARE(add.DisplayEdit->text(), u"WINDOW.QVD"_s);
            clickItem(add.FileListBox1, u"WINDOW.QVD"_s);
            click(add.OKBtn);
        });
        platform.modal.expect<TChapDesignForm>([&platform](TChapDesignForm& design) {
            click(design.RadioButton2);
            platform.modal.expect<TInputBox>([](TInputBox& box) {
                QTest::keyClicks(box.Edit, u"WINDOW"_s);
                QTest::keyClick(box.Edit, Qt::Key_Return);
            });
            click(design.OKBtn);
        });
        platform.messages.answer(MessageAnswer::No);
        click(form.AddBtn);
        QCOMPARE(platform.messages.texts().last(), u"Do you want to add another Chapter?"_s);

        platform.modal.expect<TCustMenuform>([](TCustMenuform& custom) {
            click(custom.ContentsBtn);
            click(custom.CloseBtn);
        });
        platform.modal.expect<TMenuDesignForm>([](TMenuDesignForm& contents) {
            click(contents.AuthorChkBx);
            click(contents.AuthorBtn);
            click(contents.OKBitBtn);
        });
        platform.modal.expect<TAuthorForm>([](TAuthorForm& author) {
            QTest::keyClicks(author.Edits[0], u"by a sailor"_s);
            click(author.OKBtn);
        });
        click(form.CustChapBtn);
        platform.modal.expect<TProgConfigForm>([](TProgConfigForm& program) {
            retype(program.Edit1, QString::fromUtf8("Λευκές νύχτες"));
            click(program.AboutChkBx);
            click(program.AboutBtn);
            click(program.BitBtn1);
        });
        platform.modal.expect<TDesignAboutForm>([](TDesignAboutForm& about) {
            QTest::keyClicks(about.ProgNameEdit, u"Sea"_s);
            click(about.OKBtn);
        });
        click(form.CustBookBtn);
        QVERIFY(platform.modal.allUsed());

        // Create Executable asks for the readers' system: a new book is for Linux readers.
        platform.modal.expect<TReaderSystemForm>([](TReaderSystemForm& window) {
            QCOMPARE(window.FilesLbl->text(), u"Makes Sea.EXE for Linux readers."_s);
            QTest::keyClick(&window, Qt::Key_Return);
        });
        platform.messages.answer(MessageAnswer::No);
        click(form.ExecBtn);
        QCOMPARE(platform.messages.texts().last(),
                 QStringLiteral("The Executable E-Book Sea.EXE has been created.\n\r\n\rDo you "
                                "want to test it now?"));
        const QString executable = folder.filePath(u"Sea.EXE"_s);
        const ProgramRun verified = VerifyBook(executable);
        QCOMPARE(verified.exitCode, 0);
        QVERIFY2(verified.out.startsWith(u"1 chapters, 1 display records, 2 HyperText entries"_s),
                 qPrintable(verified.out + verified.err));
        CompiledBookSource book(BookAfterImage(readBytes(executable)));
        const ProjectRecord& project = book.project();
        QCOMPARE(project.Config.BookTitle.text(), QString::fromUtf8("Λευκές νύχτες"));
        QCOMPARE(project.Menu.UseAuthorBox, 1);
        QCOMPARE(project.Menu.Author.AuthorLine1.text(), u"by a sailor"_s);
        QCOMPARE(project.Presentation.AboutShown, 1);
        QCOMPARE(project.Presentation.About.ProgramName.text(), u"Sea"_s);
        QCOMPARE(book.menuEntries(), QStringList{QString::fromUtf8("Первая глава")});
        QCOMPARE(book.chapter(0).DisplayFile.text(), u"WINDOW.QVD"_s);
        QStringList lines;
        QVERIFY(book.hyperEntry(white.toUpper(), lines));
        QCOMPARE(popupText(lines), QString::fromUtf8("Светлая ночь"));
        QVERIFY(book.hyperEntry(calm, lines));
        QCOMPARE(popupText(lines), QString::fromUtf8("Спокойная вода"));

        // The reader's chapter screen: a click on the second phrase opens its own pop-up.
        const PreviewContext context{book, u"/tool/KESTRIN.HLP"_s};
        TChapDispForm chapter(context, DefaultDisplay(),
                              book.chapterText(book.chapter(0).ChapterFile.text()));
        platform.modal.expect<TShowHTextForm>([&calm](TShowHTextForm& popup) {
            QCOMPARE(popup.windowTitle(), calm);
            QCOMPARE(popup.TextPnl->RichEdit1->toPlainText().trimmed(),
                     QString::fromUtf8("Спокойная вода"));
            popup.reject();
        });
        QTextCursor cursor = chapter.TextPnl->RichEdit1->textCursor();
        cursor.setPosition(int(white.size()) + 5);
        chapter.TextPnl->RichEdit1->setTextCursor(cursor);
        chapter.RichEdit1MouseDown();

        // The same book as an EPUB, from the distribution window, as the validator reads it:
        // first in the project folder the window starts in, then in the folder typed, which the
        // window shows again the next time.
        const QString inProject = folder.filePath(u"Sea.epub"_s);
        const QString typed = dir.filePath(u"For readers"_s);
        platform.modal.expect<TDistribForm>([&inProject, &typed](TDistribForm& window) {
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
            QTRY_VERIFY(QFileInfo::exists(inProject));
            window.Edit1->setText(typed); // a folder not made yet
            window.Edit1->setFocus();
            QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
            QTRY_VERIFY(QFileInfo::exists(typed + u"/Sea.epub"_s));
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        platform.messages.clear();
        click(form.DistribBtn);
        QCOMPARE(platform.messages.texts(),
                 QStringList({u"The EPUB E-Book %1 has been created."_s.arg(inProject),
                              u"The EPUB E-Book %1/Sea.epub has been created."_s.arg(typed)}));
        QVERIFY(EpubcheckAccepts(inProject));
        platform.modal.expect<TDistribForm>([&typed](TDistribForm& window) {
            QCOMPARE(window.Edit1->text(), typed);
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        click(form.DistribBtn);
    }
};

QTEST_MAIN(MakeBookTest)
#include "tst_makebook.moc"
