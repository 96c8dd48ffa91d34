// The notepad: opening, the save prompt, saving, find and replace.
#include "doubles.h"
#include "testdir.h"

#include "platform/finddialog.h"
#include "preview/hnotesform.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void selectFrom(QPlainTextEdit* memo, int position)
{
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(position);
    memo->setTextCursor(cursor);
}

} // namespace

class NotepadTest : public QObject
{
    Q_OBJECT

private slots:
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
        selectFrom(notepad.Memo1, 0);
        notepad.ShowFindDialog();
        QTest::keyClicks(notepad.FindDialog1->FindEdit, u"cat"_s);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectedText(), u"Cat"_s);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);

        notepad.Memo1->setPlainText(u"cat dog Cat dog cat"_s);
        selectFrom(notepad.Memo1, 0);
        notepad.Replace(u"dog"_s, u"fox"_s, false);
        QCOMPARE(notepad.Memo1->toPlainText(), u"cat fox Cat dog cat"_s);
        selectFrom(notepad.Memo1, 0);
        notepad.Replace(u"CAT"_s, u"cow"_s, true);
        QCOMPARE(notepad.Memo1->toPlainText(), u"cow fox cow dog cow"_s);
    }
};

QTEST_MAIN(NotepadTest)
#include "tst_notepad.moc"
