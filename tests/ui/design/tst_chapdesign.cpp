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
    void newFile_textWindowColourPrintingBackgroundAndTheSaveName()
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
    }

    void modifyFile_showsItAndRewritesItUnchanged()
    {
        PlatformDoubles platform;
        TestBook book;
        DisplayRecord stored = DefaultDisplay();
        stored.FullScreen = 0;
        stored.PrintAllowed = 1;
        stored.TextColor = 0x0000FF;
        stored.WinLeft = 33;
        const QString path = book.dir.filePath(u"CH1.QVD"_s);
        writeBytes(path, filestore::bytesOf(stored));
        const QByteArray bytes = readBytes(path);

        TChapDesignForm form(book.state, book.state.Project, QString());
        form.show();
        click(form.RadioButton4);
        QVERIFY(form.FileListBox1->isVisible());
        clickItem(form.FileListBox1, u"CH1.QVD"_s);
        QCOMPARE(form.DisplayEdit->text(), u"CH1.QVD"_s);
        QVERIFY(form.RadioButton2->isChecked() && form.DesignBtn->isEnabled());
        QVERIFY(form.CheckBox1->isChecked());
        QCOMPARE(form.Panel1->palette().color(QPalette::Window), QColor(Qt::red));

        click(form.RadioButton1); // full screen keeps the window fields it had
        QVERIFY(!form.DesignBtn->isEnabled());
        click(form.RadioButton2);
        click(form.CheckBox1); // printing no longer allowed, but cancelled: nothing is written
        platform.modal.expect<TInputBox>([](TInputBox& box) {
            QCOMPARE(box.Edit->text(), u"CH1.QVD"_s);
            QTest::keyClick(box.Edit, Qt::Key_Escape);
        });
        click(form.OKBtn);
        QVERIFY(form.isVisible());
        QCOMPARE(readBytes(path), bytes);
        // Saved under another display file's name: asked, and No keeps that file.
        const QByteArray other = filestore::bytesOf(DefaultDisplay());
        writeBytes(book.dir.filePath(u"OTHER.QVD"_s), other);
        answerSaveBox(platform, u"CH1.QVD"_s, u"other"_s);
        platform.messages.answer(MessageAnswer::No);
        click(form.OKBtn);
        QCOMPARE(platform.messages.shown().last().text,
                 QStringLiteral("The Display file OTHER.QVD already exists.\n\r\n\rDo you want "
                                "to replace it?"));
        QCOMPARE(platform.messages.shown().last().kind, MessageKind::ConfirmDiscard);
        QVERIFY(form.isVisible());
        QCOMPARE(readBytes(book.dir.filePath(u"OTHER.QVD"_s)), other);
        click(form.CheckBox1);
        answerSaveBox(platform, u"CH1.QVD"_s, u"CH1.QVD"_s);
        click(form.OKBtn);
        QCOMPARE(readBytes(path), bytes);

        TChapDesignForm again(book.state, book.state.Project, QString());
        again.show();
        click(again.RadioButton4);
        click(again.RadioButton3); // a new file starts from the defaults again
        QVERIFY(!again.FileListBox1->isVisible() && again.RadioButton1->isChecked());
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(readBytes(path), bytes);
    }
};

QTEST_MAIN(ChapDesignTest)
#include "tst_chapdesign.moc"
