// The chapter display design window: a new display file through the keyboard and the mouse, the
// save-name rules, and changing an existing file in place.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/files/filestore.h"
#include "platform/filelists.h"
#include "platform/inputbox.h"
#include "ui/design/chapdesignbackform.h"
#include "ui/design/chapdesignform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers the save box with `typed` (after checking what it offered) and Enter.
void answerSaveBox(PlatformDoubles& platform, const QString& offered, const QString& typed)
{
    platform.modal.expect<TInputBox>([offered, typed](TInputBox& box) {
        QCOMPARE(box.windowTitle(), u"Save Chapter Display File"_s);
        QCOMPARE(box.PromptLbl->text(), u"Enter a Display Filename"_s);
        QCOMPARE(box.Edit->text(), offered);
        retype(box.Edit, typed);
        QTest::keyClick(box.Edit, Qt::Key_Return);
    });
}

DisplayRecord displayIn(const QString& file)
{
    return filestore::recordAt<DisplayRecord>(filestore::readAll(file), 0, file);
}

} // namespace

class ChapDesignTest : public QObject
{
    Q_OBJECT

private slots:
    // A new file designed and saved under a name cut to size; opened again, the file shows what
    // it holds, a cancelled save and one under another file's name (answered No) write nothing,
    // and saved under its own name it is rewritten unchanged.
    void newFile_savedThenChangedInPlace()
    {
        PlatformDoubles platform;
        TestBook book;
        TChapDesignForm form(book.state, book.state.Project, u"ONE.QLF"_s);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.RadioButton3->isChecked() && !form.FileListBox1->isVisible());
        QVERIFY(form.RadioButton1->isChecked() && !form.DesignBtn->isEnabled());

        click(form.RadioButton2);
        QVERIFY(form.DesignBtn->isEnabled());
        platform.files.answerColor(QColor(0x10, 0x20, 0x30));
        QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(form.display().TextColor, 0x302010);
        click(form.CheckBox1);
        platform.modal.expect<TChapDesignBackForm>([](TChapDesignBackForm& background) {
            QVERIFY(background.ColorRBtn->isChecked());
            click(background.GraphicRBtn);
            background.GraphicEdit->setText(u"SKY.JPG"_s);
            click(background.OKBtn);
        });
        QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(platform.modal.allUsed());
        KeepScreenshot(form, u"TChapDesignForm"_s);

        // The save-name rules: an invalid name, a path without a name, a cancelled empty offer.
        const QStringList before = book.dir.entries();
        answerSaveBox(platform, QString(), u"why?"_s);
        click(form.OKBtn);
        QCOMPARE(platform.messages.texts(), QStringList{u"That is not a valid file name."_s});
        answerSaveBox(platform, QString(), u"c:\\books\\.QVD"_s); // no name at all
        click(form.OKBtn);
        QCOMPARE(platform.messages.texts().size(), 2);
        platform.modal.expect<TInputBox>([](TInputBox& box) { click(box.CancelBtn); });
        click(form.OKBtn); // cancelling an empty offer: nothing happens
        QVERIFY(form.isVisible());
        QCOMPARE(book.dir.entries(), before);

        // The name loses its folder and extension and is cut to 25 letters.
        answerSaveBox(platform, QString(), u"c:\\books\\ABCDEFGHIJKLMNOPQRSTUVWXYZ1234.TXT"_s);
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));

        const QString file = book.dir.filePath(u"ABCDEFGHIJKLMNOPQRSTUVWXY.QVD"_s);
        const DisplayRecord saved = displayIn(file);
        QCOMPARE(QFileInfo(file).size(), 340);
        QCOMPARE(saved.FullScreen, 0);
        QCOMPARE(saved.TextColor, 0x302010);
        QCOMPARE(saved.PrintAllowed, 1);
        QCOMPARE(saved.BackType, 2);
        QCOMPARE(book.state.CurrentDisplay.BackType, 2);
        QCOMPARE(saved.WinWidth, 400); // the text window keeps the defaults it was not given

        // Its window placed away from the defaults, which a full-screen switch must not reset.
        DisplayRecord placed = saved;
        placed.WinLeft = 33;
        writeBytes(file, filestore::bytesOf(placed));
        const QString name = QFileInfo(file).fileName();
        const QByteArray bytes = readBytes(file);
        TChapDesignForm modify(book.state, book.state.Project, QString());
        modify.show();
        click(modify.RadioButton4);
        QVERIFY(modify.FileListBox1->isVisible());
        clickItem(modify.FileListBox1, name);
        QCOMPARE(modify.DisplayEdit->text(), name);
        QVERIFY(modify.RadioButton2->isChecked() && modify.DesignBtn->isEnabled());
        QVERIFY(modify.CheckBox1->isChecked());
        QCOMPARE(modify.Panel1->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));

        click(modify.RadioButton1); // full screen keeps the window fields it had
        QVERIFY(!modify.DesignBtn->isEnabled());
        click(modify.RadioButton2);
        click(modify.CheckBox1); // printing no longer allowed, but cancelled: nothing is written
        platform.modal.expect<TInputBox>([&name](TInputBox& box) {
            QCOMPARE(box.Edit->text(), name);
            QTest::keyClick(box.Edit, Qt::Key_Escape);
        });
        click(modify.OKBtn);
        QVERIFY(modify.isVisible());
        QCOMPARE(readBytes(file), bytes);
        // Saved under another display file's name: asked, and No keeps that file.
        const QByteArray other = filestore::bytesOf(DefaultDisplay());
        writeBytes(book.dir.filePath(u"OTHER.QVD"_s), other);
        answerSaveBox(platform, name, u"other"_s);
        platform.messages.answer(MessageAnswer::No);
        click(modify.OKBtn);
        QCOMPARE(platform.messages.shown().last().text,
                 QStringLiteral("The Display file OTHER.QVD already exists.\n\r\n\rDo you want "
                                "to replace it?"));
        QCOMPARE(platform.messages.shown().last().kind, MessageKind::ConfirmDiscard);
        QVERIFY(modify.isVisible());
        QCOMPARE(readBytes(book.dir.filePath(u"OTHER.QVD"_s)), other);
        click(modify.CheckBox1);
        answerSaveBox(platform, name, name);
        click(modify.OKBtn);
        QCOMPARE(readBytes(file), bytes);

        TChapDesignForm again(book.state, book.state.Project, QString());
        again.show();
        click(again.RadioButton4);
        click(again.RadioButton3); // a new file starts from the defaults again
        QVERIFY(!again.FileListBox1->isVisible() && again.RadioButton1->isChecked());
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(readBytes(file), bytes);
    }
};

QTEST_MAIN(ChapDesignTest)
#include "tst_chapdesign.moc"
