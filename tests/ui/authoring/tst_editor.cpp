// The chapter editor, its name dialog, the definition viewer and the tutorial window.
#include "clicks.h"
#include "doubles.h"
#include "filesizelimit.h"
#include "screenshots.h"
#include "spellingmarks.h"
#include "testbook.h"
#include "testdir.h"

#include "core/project/chaptersave.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/writing/recovery.h"
#include "core/writing/spelling.h"
#include "platform/f1help.h"
#include "platform/finddialog.h"
#include "preview/richedit.h"
#include "ui/authoring/bookfindform.h"
#include "ui/authoring/chapeditform.h"
#include "ui/authoring/gettextform.h"
#include "ui/authoring/hypeditform.h"
#include "ui/authoring/linkdefiner.h"
#include "ui/authoring/tutorialform.h"
#include "ui/common/colourlist.h"
#include "ui/mainwindow/bookmainform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

std::function<void(TGetTextForm&)> saveAs(const QString& name)
{
    return [name](TGetTextForm& form) {
        QCOMPARE(form.Label1->text(), u"Save Chapter file as :"_s);
        form.Edit1->setText(name);
        form.SaveBtn->click();
    };
}

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT

private slots:
    // The extension replaced and a name refused are the save test's.
    void chapterFileName_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("saved");
        QTest::newRow("folder dropped") << u"C:\\TEMP\\INTRO"_s << u"INTRO.QLF"_s;
        QTest::newRow("colon ends the folder") << u"A:NOTES"_s << u"NOTES.QLF"_s;
        QTest::newRow("blanks and dots allowed") << u"my.story v2"_s << u"my.QLF"_s;
    }
    void chapterFileName()
    {
        QFETCH(QString, entered);
        QFETCH(QString, saved);
        QCOMPARE(ChapterFileName(entered).value_or(QString()), saved);
    }

    void save_writesRichTextAndReports()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"notes.txt"_s), "plain words");
        TChapEditForm editor;
        platform.files.answer(dir.filePath(u"notes.txt"_s));
        editor.ImportBtn->click();
        QCOMPARE(editor.Label2->text(), u"notes.txt"_s);
        QVERIFY(editor.RichEdit1->modified()); // imported, not yet a chapter

        platform.modal.expect<TGetTextForm>([](TGetTextForm& form) {
            QCOMPARE(form.Edit1->text(), u"notes.txt"_s);
            form.Edit1->setText(u"Chapter 1.txt"_s);
            form.SaveBtn->click();
        });
        editor.SaveasBtn->click();
        const QByteArray saved = readBytes(dir.filePath(u"Chapter 1.QLF"_s));
        QVERIFY(LooksLikeRtf(saved));
        QVERIFY(saved.contains("plain words"));
        QCOMPARE(editor.Label2->text(), u"Chapter 1.QLF"_s);
        QCOMPARE(platform.messages.texts(), QStringList{u"Chapter 1.QLF has been saved."_s});

        platform.messages.clear();
        platform.modal.expect<TGetTextForm>(saveAs(u"a*b"_s));
        editor.SaveasBtn->click();
        QCOMPARE(platform.messages.texts(), QStringList{u"a*b is not a valid file name"_s});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::Error);
        QCOMPARE(dir.entries(), QStringList({u"Chapter 1.QLF"_s, u"notes.txt"_s}));

        // Saved again under its own name the chapter asks no question; on a full disk it stays
        // as it was saved, and the author is told why.
        platform.messages.clear();
        const QByteArray kept = readBytes(dir.filePath(u"Chapter 1.QLF"_s));
        QTest::keyClicks(editor.RichEdit1, u" and more"_s);
        platform.modal.expect<TGetTextForm>(saveAs(u"Chapter 1"_s));
        {
            const FileSizeLimit full(64);
            editor.SaveasBtn->click();
        }
        QCOMPARE(platform.messages.texts(), QStringList{u"Disk full: Chapter 1.QLF"_s});
        QCOMPARE(readBytes(dir.filePath(u"Chapter 1.QLF"_s)), kept);
        QVERIFY(editor.RichEdit1->modified());
        platform.messages.clear();
        platform.modal.expect<TGetTextForm>(saveAs(u"Chapter 1"_s));
        editor.SaveasBtn->click(); // with room again
        QCOMPARE(platform.messages.texts(), QStringList{u"Chapter 1.QLF has been saved."_s});

        // A file that cannot be read gives a message and the text stays.
        platform.messages.clear();
        platform.files.answer(dir.filePath(u"gone.rtf"_s));
        editor.ImportBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Cannot open file "_s + dir.filePath(u"gone.rtf"_s)});
        QVERIFY(editor.RichEdit1->toPlainText().contains(u"plain words"_s));

        // A chapter of the book opens as saved. Emptied by the author, the text is a new
        // chapter: Save Chapter proposes no name, and the chapter it was (named in another letter
        // case) is replaced only after a question whose default is No.
        platform.messages.clear();
        const QByteArray chapter = readBytes(dir.filePath(u"Chapter 1.QLF"_s));
        platform.files.answer(dir.filePath(u"Chapter 1.QLF"_s));
        editor.ImportBtn->click();
        QVERIFY(!editor.RichEdit1->modified());
        QTest::keyClick(editor.RichEdit1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor.RichEdit1, Qt::Key_Delete);
        QCOMPARE(editor.Label2->text(), QString());
        QTest::keyClicks(editor.RichEdit1, u"The second chapter."_s);
        platform.modal.expect<TGetTextForm>([](TGetTextForm& form) {
            QCOMPARE(form.Edit1->text(), QString());
            form.Edit1->setText(u"chapter 1"_s);
            form.SaveBtn->click();
        });
        platform.messages.answer(MessageAnswer::No);
        editor.SaveasBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The file Chapter 1.QLF already exists.\n\r\n\rDo you want to "
                             "replace it?"_s});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::ConfirmDiscard);
        QCOMPARE(readBytes(dir.filePath(u"Chapter 1.QLF"_s)), chapter);
    }

    // Words spelt wrong are marked in the layout, each run in its language (a Russian run in an
    // English chapter in Russian); the marks are never saved nor read as HyperText; a right
    // click adds a word to the book's dictionary, and the check box turns the marks off. The
    // status line counts the chapter's words and characters as the author types, in any script,
    // the selection's beside them, and names a language it has no dictionary for.
    void spelling_marksWordsAndTheStatusLineCountsThem()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"Sea.QLF"_s),
                   "{\\rtf1\\ansi The sea. {\\lang1049 \\u1082?\\u1072?\\u1088?\\u1072?"
                   "\\u1073?\\u1083?\\u1100?} Calm.\\par}");
        TChapEditForm editor(nullptr, u"en"_s);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QCOMPARE(editor.StatusLine->text(), u"0 words, 0 characters"_s);
        platform.files.answer(dir.filePath(u"Sea.QLF"_s));
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QTRY_COMPARE(editor.StatusLine->text(), u"4 words, 22 characters"_s);
        editor.RichEdit1->setFocus();
        QTest::keyClick(editor.RichEdit1, Qt::Key_End, Qt::ControlModifier);
        type(editor.RichEdit1, u" A mornign tide, 港 Kestrinport."_s);
        const auto marked = [&] { return MarkedWords(editor.RichEdit1); };
        QTRY_COMPARE(marked().join(u"|"_s), u"карабль|mornign|Kestrinport"_s);
        QTRY_COMPARE(editor.StatusLine->text(),
                     u"9 words, 53 characters. No dictionary for zh: not checked"_s);

        platform.modal.expect<TGetTextForm>(saveAs(u"Marked"_s));
        QTest::mouseClick(editor.SaveasBtn, Qt::LeftButton);
        click(editor.SpellBox);
        QTRY_VERIFY(marked().isEmpty());
        platform.modal.expect<TGetTextForm>(saveAs(u"Plain"_s));
        QTest::mouseClick(editor.SaveasBtn, Qt::LeftButton);
        QCOMPARE(readBytes(dir.filePath(u"Marked.QLF"_s)), readBytes(dir.filePath(u"Plain.QLF"_s)));
        QVERIFY(!readBytes(dir.filePath(u"Marked.QLF"_s)).contains("\\ul"));
        click(editor.SpellBox);
        QTRY_COMPARE(marked().size(), 3);
        QTextCursor word(editor.RichEdit1->document());
        word.setPosition(editor.RichEdit1->toPlainText().indexOf(u"mornign"_s) + 2);
        editor.RichEdit1->setTextCursor(word);
        QCOMPARE(editor.RichEdit1->HyperPhraseAt(), QString());

        // Add to the book's dictionary, from the menu a right click opens.
        ChooseOnRightClick(editor.RichEdit1, word.position(), u"&Add to the book's dictionary"_s);
        QTRY_COMPARE(marked(), (QStringList{u"карабль"_s, u"Kestrinport"_s}));
        QCOMPARE(readBytes(BookWordsFile(dir.path())), QByteArray("mornign\n"));

        // A word of another language, said to be in it with the Language box, is right there.
        QTest::keyClick(editor.RichEdit1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor.RichEdit1, u" Schiff"_s);
        QTRY_VERIFY(marked().contains(u"Schiff"_s));
        QTest::keyClick(editor.RichEdit1, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        QTRY_COMPARE(editor.StatusLine->text(),
                     u"Selected: 1 word, 6 characters, of 10 words, 60 characters. No "
                     "dictionary for zh: not checked"_s);
        KeepScreenshot(editor, u"TChapEditForm-words"_s);
        QComboBox* language = nullptr;
        for (QComboBox* box : editor.ToolPnl->findChildren<QComboBox*>()) {
            if (box->accessibleName() == u"Language"_s)
                language = box;
        }
        QVERIFY(language);
        QTest::mouseClick(language, Qt::LeftButton);
        QAbstractItemView* list = language->view();
        QTRY_VERIFY(list->isVisible());
        const QModelIndex german =
            list->model()->index(language->findText(u"German"_s, Qt::MatchStartsWith), 0);
        for (int row = 0; row < german.row(); ++row)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_COMPARE(language->currentText().left(6), u"German"_s);
        QTRY_VERIFY(!marked().contains(u"Schiff"_s));
        platform.modal.expect<TGetTextForm>(saveAs(u"German"_s));
        QTest::mouseClick(editor.SaveasBtn, Qt::LeftButton);
        QVERIFY(readBytes(dir.filePath(u"German.QLF"_s)).contains("\\lang1031 Schiff"));
        QCOMPARE(platform.messages.texts(),
                 (QStringList{u"Marked.QLF has been saved."_s, u"Plain.QLF has been saved."_s,
                              u"German.QLF has been saved."_s}));
    }

    // Closing asks only when the text is changed. Open File takes a Markdown manuscript as a new
    // unsaved text, saying how many HyperText phrases came with it; changed text is replaced
    // only after a question, before any file is asked for; a damaged Word file is refused by name
    // and the text stays. A text imported from Word is not a chapter until it is saved, so closing
    // asks (how its lists and tables read is tst_rtf's, through the same reader).
    void openFileAndClose_askBeforeChangesGo()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"draft.md"_s), "# Night\n\nThe *tide* turned.\n");
        writeBytes(dir.filePath(u"broken.docx"_s), "PK\x03\x04 half an archive");
        writeBytes(dir.filePath(u"word.rtf"_s), "{\\rtf1 From Word.\\par}");
        TChapEditForm editor;
        editor.show();
        editor.OKBtn->click();
        QVERIFY(!editor.isVisible());
        QVERIFY(platform.messages.shown().isEmpty());
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        platform.files.answer(dir.filePath(u"draft.md"_s));
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QTRY_COMPARE(editor.RichEdit1->toPlainText(), u"Night\nThe tide turned."_s);
        QVERIFY(editor.RichEdit1->modified());
        QCOMPARE(editor.Label2->text(), u"draft.md"_s);
        platform.messages.answer(MessageAnswer::No);
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        platform.messages.answer(MessageAnswer::Yes);
        platform.files.answer(dir.filePath(u"broken.docx"_s));
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QCOMPARE(editor.RichEdit1->toPlainText(), u"Night\nThe tide turned."_s);
        const QStringList said = platform.messages.texts();
        const QString another = u"The file has been changed.\n\r\n\rOpen another file anyway?"_s;
        QCOMPARE(said.size(), 4);
        QCOMPARE(said.first(3),
                 (QStringList{u"draft.md came in with no underlined phrase."_s, another, another}));
        QVERIFY2(said.at(3).startsWith(u"broken.docx could not be imported: "_s),
                 qPrintable(said.at(3)));

        platform.messages.clear();
        platform.messages.answer(MessageAnswer::Yes);
        platform.files.answer(dir.filePath(u"word.rtf"_s));
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QCOMPARE(editor.RichEdit1->toPlainText(), u"From Word.\n"_s);
        platform.messages.answer(MessageAnswer::No);
        editor.OKBtn->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(platform.messages.texts(),
                 (QStringList{another, u"The file has been changed.\n\r\n\rClose anyway?"_s}));
        QCOMPARE(platform.messages.shown().last().kind, MessageKind::ConfirmDiscard);
        platform.messages.answer(MessageAnswer::Yes);
        editor.OKBtn->click();
        QVERIFY(!editor.isVisible());
        QCOMPARE(platform.messages.texts().size(), 3); // asked again, and this time closed
    }

    // Find and Replace across the book by keys and clicks: hits in the chapters and a pop-up,
    // a hit opened in the editor with its place selected, Replace All asked and done, a phrase's
    // link moved with it, and refused on a read-only chapter.
    void bookFind_findsOpensAndReplaces()
    {
        PlatformDoubles platform;
        TestBook book;
        book.addChapter("One", "{\\rtf1 The Harbour at dawn; harbours {\\b HARBOUR}.\\par}");
        book.addChapter("Two", "{\\rtf1 Open sea.\\par}");
        book.addChapter("Three", "{\\rtf1 Past the harbour, see {\\ul the quay}.\\par}");
        AddEntry(book.state.HyperTextFile, u"the quay"_s, 2, u"QUAY.BMP,10"_s, kHyperSource);
        AddDisplayEntry(book.state.HyperTextFile, u"note"_s, 1, DefaultDisplay(),
                        {u"{\\rtf1 A harbour note.\\par}"_s}, kHyperSource);
        TBookFindForm form(book.state);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(HelpContextOf(&form), 265);
        form.FindEdit->setFocus();
        QTest::keyClicks(form.FindEdit, u"harbour"_s);
        QTest::keyClick(form.FindEdit, Qt::Key_Return);
        QTRY_VERIFY(form.searched());
        QCOMPARE(form.HitList->count(), 5);
        click(form.WordBox);
        form.FindEdit->setFocus();
        QTest::keyClick(form.FindEdit, Qt::Key_Return);
        QTRY_VERIFY(form.searched());
        QCOMPARE(form.HitList->count(), 4);
        QCOMPARE(form.HitList->item(3)->text(), u"HyperText \"note\" \u2014 A [harbour] note."_s);
        KeepScreenshot(form, u"TBookFindForm"_s);
        QCOMPARE(form.CountLbl->text(),
                 u"4 places found in 3 texts (chapters and HyperText texts)."_s);

        platform.modal.expect<TChapEditForm>([](TChapEditForm& editor) {
            QTRY_COMPARE(editor.RichEdit1->textCursor().selectedText(), u"HARBOUR"_s);
            QCOMPARE(editor.Label2->text(), u"One.QLF"_s);
            editor.reject();
        });
        const QRect third = form.HitList->visualItemRect(form.HitList->item(1));
        QTest::mouseClick(form.HitList->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(form.HitList->currentRow(), 1);
        QTest::keyClick(form.HitList, Qt::Key_Return);
        QTRY_VERIFY(platform.modal.allUsed());
        QTRY_VERIFY(form.searched());

        form.activateWindow(); // back from the editor
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(form.ReplaceEdit, u"port"_s);
        platform.messages.answer(MessageAnswer::Yes);
        QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(platform.messages.texts().size(), 2);
        QCOMPARE(platform.messages.texts(),
                 (QStringList{u"Replace 3 places of \"harbour\" with \"port\" in 2 chapters?"_s,
                              u"2 chapters changed: One.QLF, Three.QLF."_s}));
        QVERIFY(readBytes(book.dir.filePath(u"Three.QLF"_s)).contains("Past the port"));
        QTRY_VERIFY(form.searched());
        QCOMPARE(form.HitList->count(), 1); // the pop-up's text is the link dialog's to change

        // The question names the phrase whose link goes with its new text (the move itself is
        // tst_writingaids's); a chapter marked read-only refuses it all.
        platform.messages.clear();
        form.FindEdit->selectAll();
        QTest::keyClicks(form.FindEdit, u"quay"_s);
        form.ReplaceEdit->selectAll();
        QTest::keyClicks(form.ReplaceEdit, u"pier"_s);
        platform.messages.answer(MessageAnswer::Yes);
        click(form.ReplaceBtn);
        QTRY_COMPARE(platform.messages.texts(),
                     (QStringList{u"Replace 1 place of \"quay\" with \"pier\" in 1 chapter?\nThe "
                                  "link of \"the quay\" goes to \"the pier\"."_s,
                                  u"1 chapter changed: Three.QLF."_s}));

        platform.messages.clear();
        QFile::setPermissions(book.dir.filePath(u"Three.QLF"_s), QFileDevice::ReadOwner);
        const QByteArray three = readBytes(book.dir.filePath(u"Three.QLF"_s));
        form.FindEdit->selectAll();
        QTest::keyClicks(form.FindEdit, u"pier"_s);
        click(form.ReplaceBtn);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Three.QLF (Three) cannot be written. Nothing was replaced."_s});
        QCOMPARE(readBytes(book.dir.filePath(u"Three.QLF"_s)), three);
    }

    // While text is unsaved a recovery copy is kept; Save Chapter drops it, and so does a close
    // the author confirms; typing again keeps a new one. When the tool's process is killed after
    // typing, the next time the book is opened the text is offered back and opens, unsaved, in
    // the editor; closing it then drops the copy.
    void recoveryCopy_droppedOnSaveOrCloseAndOfferedBackAfterACrash()
    {
        PlatformDoubles platform;
        TestBook book;
        book.addChapter("Harbour", "{\\rtf1 Saved words.\\par}");
        TChapEditForm::RecoveryDelayMs = 50;
        const auto copies = [&] { return RecoveryCopiesOf(book.dir.path()); };
        {
            TChapEditForm editor;
            editor.show();
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            editor.RichEdit1->setFocus();
            QTest::keyClicks(editor.RichEdit1, u"First draft."_s);
            QTRY_COMPARE(copies().size(), 1);
            QVERIFY(copies().first().rtf.contains("First draft."));
            platform.modal.expect<TGetTextForm>(saveAs(u"Draft"_s));
            QTest::mouseClick(editor.SaveasBtn, Qt::LeftButton);
            QVERIFY(copies().isEmpty());
            QTest::keyClicks(editor.RichEdit1, u" More."_s);
            QTRY_COMPARE(copies().size(), 1);
            QCOMPARE(copies().first().chapter, u"Draft.QLF"_s);
            platform.messages.answer(MessageAnswer::Yes);
            QTest::keyClick(&editor, Qt::Key_Escape);
            QVERIFY(!editor.isVisible());
            QVERIFY(copies().isEmpty());
        }
        QCOMPARE(platform.messages.texts(),
                 (QStringList{u"Draft.QLF has been saved."_s,
                              u"The file has been changed.\n\r\n\rClose anyway?"_s}));
        TChapEditForm::RecoveryDelayMs = 20000;

        platform.messages.clear();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QUORELLE_TYPE_UNTIL_KILLED"_s, book.dir.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readLine(), QByteArray("copied\n"));
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        Tbookmainform form;
        platform.messages.answer(MessageAnswer::Yes);
        platform.modal.expect<TChapEditForm>([&](TChapEditForm& editor) {
            QTRY_VERIFY(editor.RichEdit1->toPlainText().contains(u"Words a crash would take."_s));
            QVERIFY(editor.RichEdit1->modified());
            QCOMPARE(editor.Label2->text(), QString());
            platform.messages.answer(MessageAnswer::Yes);
            editor.reject();
        });
        form.OpenProjectFile(book.dir.filePath(u"BOOK.QVJ"_s));
        const QStringList said = platform.messages.texts();
        QCOMPARE(said.size(), 2);
        QVERIFY2(said.first().startsWith(u"Recover the unsaved text of a new chapter from "_s),
                 qPrintable(said.first()));
        QVERIFY(copies().isEmpty());
    }

    // A chapter of the largest kind opens at once: its start can be read and scrolled while the
    // rest is read, with the progress shown after a second; nothing edits or saves a text not
    // yet whole; the whole text then takes its place where the author left the view.
    void largeChapter_startShownAtOnceRestReadBehind()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0 ";
        int lines = 0;
        while (rtf.size() < (16 << 20))
            rtf += "\\pard\\b Line " + QByteArray::number(++lines) + "\\b0  of the log.\\par\r\n";
        writeBytes(dir.filePath(u"LOG.QLF"_s), rtf + "}");
        TChapEditForm editor;
        editor.show();
        platform.files.answer(dir.filePath(u"LOG.QLF"_s));
        bool barSeen = false;
        connect(editor.RichEdit1, &TRichEdit::readProgress, this, [&] {
            if (!barSeen && editor.ReadBar->isVisible())
                KeepScreenshot(editor, u"TChapEditForm-reading"_s);
            barSeen = barSeen || editor.ReadBar->isVisible();
        });
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);

        TRichEdit& text = *editor.RichEdit1;
        QVERIFY(text.isReading());
        QVERIFY(text.toPlainText().startsWith(u"Line 1 of the log.\nLine 2 of the log."_s));
        QVERIFY(text.isReadOnly());
        QVERIFY(!editor.SaveasBtn->isEnabled() && !editor.ToolPnl->isEnabled());
        text.setFocus();
        QTest::keyClick(&text, Qt::Key_PageDown);
        QTest::keyClick(&text, Qt::Key_PageDown);
        const int view = text.verticalScrollBar()->value();
        QVERIFY(view > 0);

        QTRY_VERIFY_WITH_TIMEOUT(!text.isReading(), 120000);
        QVERIFY(barSeen);
        QVERIFY(!editor.ReadBar->isVisible());
        QVERIFY(text.toPlainText().endsWith(u"Line %1 of the log.\n"_s.arg(lines)));
        QCOMPARE(text.verticalScrollBar()->value(), view);
        QVERIFY(!text.isReadOnly() && editor.SaveasBtn->isEnabled());
        QVERIFY(!text.modified()); // a chapter of the book, as saved
        QTest::keyClicks(&text, u"Ahoy"_s);
        QVERIFY(text.modified());
    }

    // The tool strip: typed sizes and fonts apply on Enter (which toggles no style), the colour
    // list's keys apply colours with the automatic one first, and a selection shows the
    // attributes it has throughout.
    void toolbar_appliesAndShowsUniformAttributes()
    {
        PlatformDoubles platform;
        TChapEditForm editor;
        QCOMPARE(editor.sizeCombo->currentText(), u"10"_s);
        QCOMPARE(editor.ColorCombo->currentIndex(), 1); // black
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.RichEdit1->setFocus();
        QTest::keyClicks(editor.RichEdit1, u"some words"_s);
        editor.RichEdit1->selectAll();
        const auto typeInto = [](QComboBox* box, const QString& text) {
            box->lineEdit()->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        };
        const auto format = [&editor] { return editor.RichEdit1->textCursor().charFormat(); };
        typeInto(editor.sizeCombo, u"13"_s);
        QCOMPARE(format().fontPointSize(), 13.0);
        QCOMPARE(editor.focusWidget(), editor.RichEdit1);
        typeInto(editor.sizeCombo, u"big"_s);
        QCOMPARE(format().fontPointSize(), 10.0);
        typeInto(editor.sizeCombo, u"24"_s);
        QCOMPARE(format().fontPointSize(), 24.0);
        const QString family = editor.FontNameCombo->itemText(editor.FontNameCombo->count() - 1);
        typeInto(editor.FontNameCombo, family.toLower());
        QCOMPARE(format().fontFamilies().toStringList(), QStringList{family});
        QTest::keyClick(editor.RichEdit1, Qt::Key_Return); // a new paragraph, not Bold
        QVERIFY(!editor.BtnB->isChecked());
        QCOMPARE(format().fontWeight(), int(QFont::Normal));
        QVERIFY(editor.isVisible());

        editor.RichEdit1->insertPlainText(u"word"_s);
        editor.RichEdit1->selectAll();
        QTest::keyClick(editor.ColorCombo, Qt::Key_End);
        QCOMPARE(format().foreground().color(), QColor(Qt::white));
        QTest::keyClick(editor.ColorCombo, Qt::Key_Home); // the automatic colour comes first
        QCOMPARE(format().foreground().style(), Qt::NoBrush);
        QTest::keyClick(editor.ColorCombo, Qt::Key_Down);
        QTest::keyClick(editor.ColorCombo, Qt::Key_Down);
        QCOMPARE(format().foreground().color(), QColor(0x80, 0x00, 0x00));
        // The closed box shows the chosen colour's swatch.
        const QImage closed = editor.ColorCombo->grab().toImage();
        QCOMPARE(closed.pixelColor(closed.width() / 3, closed.height() / 2),
                 QColor(0x80, 0x00, 0x00));

        editor.RichEdit1->loadContent(
            "{\\rtf1 {\\fonttbl{\\f0 Arial;}}\\f0\\fs24 plain \\b\\ul bold\\b0\\ulnone  end}");
        QTextCursor cursor = editor.RichEdit1->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(editor.BtnB->isChecked() && editor.BtnH->isChecked() && !editor.BtnI->isChecked());
        QCOMPARE(editor.sizeCombo->currentText(), u"12"_s);
        cursor.setPosition(0);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(!editor.BtnB->isChecked());
        editor.BtnI->click();
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(editor.BtnI->isChecked());
        QVERIFY(!editor.BtnB->isChecked()); // still mixed: bold kept as it was
        editor.ColorCombo->setCurrentIndex(10);
        emit editor.ColorCombo->activated(10);
        editor.RichEdit1->setTextCursor(cursor);
        QCOMPARE(editor.ColorCombo->currentIndex(), 10);
        QCOMPARE(editor.focusWidget(), editor.RichEdit1);
    }

    void defineHyperText_viewerDefinesClickedPhrases()
    {
        struct Recorder : LinkDefiner
        {
            QStringList phrases;
            void define(const QString& phrase) override { phrases << phrase; }
        } recorder;
        ScopedService<LinkDefinerSlot, LinkDefiner> guard(recorder);
        PlatformDoubles platform;
        TChapEditForm editor;
        editor.RichEdit1->loadContent("{\\rtf1 the \\ul North Sea\\ulnone  ferry}");
        editor.RichEdit1->insertPlainText(u"x"_s);
        platform.modal.expect<ThypeditForm>([](ThypeditForm& viewer) {
            QVERIFY(viewer.RichEdit1->isReadOnly());
            QTextCursor cursor = viewer.RichEdit1->textCursor();
            cursor.setPosition(int(u"xthe Nor"_s.size()));
            viewer.RichEdit1->setTextCursor(cursor);
            viewer.RichEdit1MouseDown();
            cursor.setPosition(2);
            viewer.RichEdit1->setTextCursor(cursor);
            viewer.RichEdit1MouseDown();
            viewer.CloseBtn->click();
        });
        editor.Button1->click();
        QCOMPARE(recorder.phrases, QStringList{u"North Sea"_s});
        QVERIFY(editor.RichEdit1->modified());
        QVERIFY(editor.RichEdit1->toPlainText().startsWith(u"xthe"_s));
    }

    void tutorial_findText()
    {
        PlatformDoubles platform;
        TTutorialForm tutorial(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/KESTRIN.RTF"));
        QVERIFY(tutorial.RichEdit1->toPlainText().contains(u"Quorelle"_s));
        QTextCursor cursor = tutorial.RichEdit1->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        tutorial.RichEdit1->setTextCursor(cursor);
        tutorial.FindClick();
        QCOMPARE(tutorial.FindDialog1->findText(), u"Quorelle"_s);
        cursor.setPosition(0);
        cursor.setPosition(40, QTextCursor::KeepAnchor);
        tutorial.RichEdit1->setTextCursor(cursor);
        tutorial.FindClick();
        QCOMPARE(tutorial.FindDialog1->findText(),
                 u"Quorelle"_s); // a long selection keeps it

        cursor.setPosition(0);
        tutorial.RichEdit1->setTextCursor(cursor);
        QVERIFY(tutorial.RichEdit1->findNext(u"TUTORIAL"_s));
        const int first = tutorial.RichEdit1->textCursor().selectionStart();
        QVERIFY(tutorial.RichEdit1->findNext(u"tutorial"_s));
        QVERIFY(tutorial.RichEdit1->textCursor().selectionStart() > first);
        cursor.movePosition(QTextCursor::End);
        tutorial.RichEdit1->setTextCursor(cursor);
        QVERIFY(!tutorial.RichEdit1->findNext(u"Quorelle"_s)); // no wrap
    }
};

// The crashing tool of recoveryCopy_droppedOnSaveOrCloseAndOfferedBackAfterACrash: it types a new
// chapter in the editor in the book's folder, says "copied" once the recovery copy is kept, and
// waits to be killed.
int typeUntilKilled(const QString& book)
{
    QDir::setCurrent(book);
    TChapEditForm::RecoveryDelayMs = 50;
    TChapEditForm editor;
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        return 1;
    editor.RichEdit1->setFocus();
    QTest::keyClicks(editor.RichEdit1, u"Words a crash would take."_s);
    while (RecoveryCopiesOf(book).isEmpty())
        QTest::qWait(20);
    std::fputs("copied\n", stdout);
    std::fflush(stdout);
    for (;;)
        QTest::qWait(1000);
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const QString crashing = qEnvironmentVariable("QUORELLE_TYPE_UNTIL_KILLED");
    if (!crashing.isEmpty())
        return typeUntilKilled(crashing);
    EditorTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_editor.moc"
