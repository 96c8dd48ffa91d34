// The notepad: opening, the save prompt, saving, find and replace.
#include "doubles.h"
#include "testdir.h"

#include "platform/finddialog.h"
#include "preview/hnotesform.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

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
    void missingFile_opensEmptyAndSaveCreatesIt()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        THNotesForm notepad(QStringLiteral("NEW.TXT"));
        QCOMPARE(notepad.windowTitle(), QStringLiteral("Current File : NEW.TXT"));
        QVERIFY(notepad.Memo1->toPlainText().isEmpty());
        notepad.Memo1->setPlainText(QStringLiteral("first\nsecond"));
        notepad.Save();
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("NEW.TXT"))),
                 QByteArray("first\r\nsecond\r\n"));
        QVERIFY(platform.files.asked().isEmpty());
        QVERIFY(!notepad.Memo1->document()->isModified());
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
        writeBytes(dir.filePath(QStringLiteral("N.TXT")), "old");
        THNotesForm notepad(dir.filePath(QStringLiteral("N.TXT")));
        QCOMPARE(notepad.Memo1->toPlainText(), QStringLiteral("old"));
        notepad.show();
        notepad.Memo1->selectAll();
        notepad.Memo1->insertPlainText(QStringLiteral("changed"));
        platform.messages.answer(MessageAnswer(answer));
        notepad.reject();
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("File N.TXT has changed. Save Now?")});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::YesNoCancel);
        QCOMPARE(notepad.isVisible(), !closed);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("N.TXT"))), file);
    }

    void new_forgetsTheFileAndACancelledSaveDialogKeepsWindowAndText()
    {
        PlatformDoubles platform;
        THNotesForm notepad(QStringLiteral("A.TXT"));
        notepad.show();
        notepad.New();
        QCOMPARE(notepad.windowTitle(), QStringLiteral("Current File : Untitled"));
        QVERIFY(notepad.currentFileName().isEmpty());
        notepad.Memo1->setFocus();
        QTest::keyClicks(notepad.Memo1, QStringLiteral("draft"));
        platform.messages.answer(MessageAnswer::Yes); // save now?
        platform.files.answer(QString());             // ... but the save dialog is cancelled
        QTest::keyClick(&notepad, Qt::Key_Escape);
        QCOMPARE(platform.messages.texts().size(), 1);
        QCOMPARE(platform.files.asked().first().title, QStringLiteral("Save Text File"));
        QVERIFY(notepad.isVisible());
        QCOMPARE(notepad.Memo1->toPlainText(), QStringLiteral("draft"));
    }

    // The find dialog has no case option: Find Next (Enter) finds the text in any letter case,
    // downward, without wrapping; Replace takes a selection in any case as the text.
    void find_ignoresCaseAndDoesNotWrap()
    {
        PlatformDoubles platform;
        THNotesForm notepad(QStringLiteral("A.TXT"));
        notepad.show();
        notepad.Memo1->setPlainText(QStringLiteral("Cat and cat"));
        selectFrom(notepad.Memo1, 0);
        notepad.ShowFindDialog();
        QTest::keyClicks(notepad.FindDialog1->FindEdit, QStringLiteral("cat"));
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectedText(), QStringLiteral("Cat"));
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);
        QTest::keyClick(notepad.FindDialog1->FindEdit, Qt::Key_Return);
        QCOMPARE(notepad.Memo1->textCursor().selectionStart(), 8);
        selectFrom(notepad.Memo1, 0);
        notepad.Replace(QStringLiteral("CAT"), QStringLiteral("dog"), true);
        QCOMPARE(notepad.Memo1->toPlainText(), QStringLiteral("dog and dog"));
    }

    void replace_rules()
    {
        PlatformDoubles platform;
        THNotesForm notepad(QStringLiteral("A.TXT"));
        notepad.Memo1->setPlainText(QStringLiteral("cat dog cat dog cat"));
        selectFrom(notepad.Memo1, 0);
        // The selection is not the find text: the first replace only moves to the next match.
        notepad.Replace(QStringLiteral("dog"), QStringLiteral("fox"), false);
        QCOMPARE(notepad.Memo1->toPlainText(), QStringLiteral("cat fox cat dog cat"));
        selectFrom(notepad.Memo1, 0);
        notepad.Replace(QStringLiteral("cat"), QStringLiteral("cow"), true);
        QCOMPARE(notepad.Memo1->toPlainText(), QStringLiteral("cow fox cow dog cow"));
    }
};

QTEST_MAIN(NotepadTest)
#include "tst_notepad.moc"
