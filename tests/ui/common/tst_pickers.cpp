// The media and program pickers, the program-kind choice and the command type dialog.
#include "clicks.h"
#include "doubles.h"
#include "testdir.h"

#include "platform/filelists.h"
#include "preview/mediaactions.h"
#include "preview/mediaplayform.h"
#include "ui/authoring/notefileform.h"
#include "ui/common/commandtypeform.h"
#include "ui/common/exechoiceform.h"
#include "ui/common/getexeform.h"
#include "ui/common/getfileform.h"
#include "ui/common/getgraphicform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class PickersTest : public QObject
{
    Q_OBJECT

private slots:
    // The notepad's file comes through Find File, offered for copying as every kind's does; a
    // name outside the book's folder is refused where it is typed, not when a reader clicks.
    void notepadFile_foundCopiedAndKeptInTheFolder()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QTemporaryDir elsewhere;
        writeBytes(elsewhere.filePath(u"LOG.TXT"_s), "Ship's log");
        TNoteFileForm form(QString{});
        form.show();
        QTest::keyClicks(form.Edit1, u"/etc/passwd"_s);
        click(form.OKBtn);
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"/etc/passwd is not a file of the book's folder: a reader could not "
                             "open it. Use Find File to copy it there."_s});

        platform.messages.clear();
        platform.files.answer(elsewhere.filePath(u"LOG.TXT"_s));
        platform.messages.answer(MessageAnswer::Yes);
        click(form.FindBtn);
        QCOMPARE(platform.files.asked().first().title, u"Select a Notepad File"_s);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Copy the file LOG.TXT to the Project directory?"_s});
        QCOMPARE(form.Edit1->text(), u"LOG.TXT"_s);
        QCOMPARE(readBytes(dir.filePath(u"LOG.TXT"_s)), QByteArray("Ship's log"));
        click(form.OKBtn);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    // What a window is given (a stored value, a pick) is shown and handed back whole, a program
    // split from its parameters; only what the author types is limited, and a long given text
    // can be shortened but not lengthened. A program without parameters has no comma.
    void givenTexts_areKeptWholeAndTypingIsLimited()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        const QString program = QString(70, u'P') + u".SH,-x"_s;
        TGetExeForm exe(program);
        QCOMPARE(exe.Edit2->text(), u"-x"_s);
        QCOMPARE(exe.value(), program);
        const QString notes = QString(80, u'n') + u".TXT"_s;
        TNoteFileForm notepad(notes);
        QCOMPARE(notepad.Edit1->text(), notes);
        TGetGraphicForm graphic(u"PIC.BMP"_s, 123456);
        QCOMPARE(graphic.Edit2->text(), u"123456"_s);

        exe.Edit1->clear();
        QTest::keyClicks(exe.Edit1, QString(60, u'a'));
        QCOMPARE(exe.Edit1->text(), QString(50, u'a'));
        exe.Edit1->clear(); // Cyrillic takes two bytes of the field a letter: whole letters only
        type(exe.Edit1, QString(30, QChar(0x0436)) + u"a"_s);
        QCOMPARE(exe.Edit1->text(), QString(25, QChar(0x0436)));
        exe.Edit2->clear();
        QCOMPARE(exe.value(), QString(25, QChar(0x0436)));
        QTest::keyClick(notepad.Edit1, Qt::Key_End);
        QTest::keyClick(notepad.Edit1, Qt::Key_X);
        QCOMPARE(notepad.Edit1->text(), notes);
        QTest::keyClick(notepad.Edit1, Qt::Key_Backspace);
        QCOMPARE(notepad.Edit1->text(), notes.chopped(1));
        QTest::keyClick(notepad.Edit1, Qt::Key_X);
        QCOMPARE(notepad.Edit1->text(), notes.chopped(1));
    }

    // The copy question's answers are BringFileIntoProject's (tst_bringfile); here the picker
    // shows what it brought. Declined in an empty project, the field stays empty and OK refuses;
    // accepted, the field has the file and the refreshed list shows it.
    void findFile_declinedRefusesOkAcceptedFillsTheField()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"SKY.JPG"_s), "outside");
        QDir(dir.path()).mkdir(u"book"_s);
        QDir::setCurrent(dir.filePath(u"book"_s));
        TGetGraphicForm form(QString(), 0);
        QVERIFY(!form.BitBtn1->isEnabled());
        platform.files.answer(dir.filePath(u"SKY.JPG"_s));
        platform.messages.answer(MessageAnswer::No);
        form.GetBtn->click();
        QVERIFY(form.Edit1->text().isEmpty());
        form.show();
        form.OKBtn->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts().last(), u"No Graphic file has been selected"_s);
        QCOMPARE(form.focusWidget(), form.Edit1);

        platform.messages.clear();
        platform.files.answer(dir.filePath(u"SKY.JPG"_s));
        platform.messages.answer(MessageAnswer::Yes);
        form.GetBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Copy the file SKY.JPG to the Project directory?"_s});
        QCOMPARE(platform.files.asked().first().title, u"Select a Graphic File"_s);
        QCOMPARE(form.Edit1->text(), u"SKY.JPG"_s);
        QCOMPARE(form.FileListBox1->count(), 1);
    }

    void duration_acceptsWholeNumbersOnly()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        TGetGraphicForm form(u"A.BMP"_s, 30);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.Edit2->text(), u"30"_s);
        for (const auto& [typed, kept] : {std::pair{u"-5"_s, u"-5"_s}, std::pair{u"1.5"_s, u"0"_s},
                                          std::pair{QString(), u"0"_s}}) {
            form.Edit2->setFocus();
            form.Edit2->setText(typed);
            form.Edit1->setFocus();
            QCOMPARE(form.Edit2->text(), kept);
        }
        QCOMPARE(platform.messages.texts(), QStringList{u"That is not a valid number"_s});

        // Enter accepts without leaving the field: the duration is checked all the same.
        platform.messages.clear();
        form.Edit2->setFocus();
        form.Edit2->selectAll();
        QTest::keyClicks(form.Edit2, u"1.5"_s);
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(platform.messages.texts(), QStringList{u"That is not a valid number"_s});
        QVERIFY(form.isVisible());
        QCOMPARE(form.Edit2->text(), u"0"_s);
        QTest::keyClicks(form.Edit2, u"15"_s);
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void videoView_playsAsTheBookDoesAndHtmlNamesStayInCapitals()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"film.avi"_s), "RIFF");
        writeBytes(dir.filePath(u"page.htm"_s), "<p>");
        QString prompt = u"Start the film"_s;
        BookMediaActions book(prompt);
        ScopedService<MediaSlot, MediaActions> installed(book);

        // A missing or damaged file is told as the book tells it: tst_media's ShowCommand.
        TGetFileForm video(TGetFileForm::Video, u"GONE.AVI"_s);
        video.Edit1->setText(u"film.avi"_s);
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QCOMPARE(player.windowTitle(), u"Start the film"_s);
            player.reject();
        });
        QTest::mouseClick(video.BitBtn1, Qt::LeftButton);
        QCOMPARE(platform.media.calls().first(), u"open film.avi"_s);

        TGetFileForm html(TGetFileForm::Html, u"old.htm"_s);
        QCOMPARE(html.Edit1->text(), u"OLD.HTM"_s);
        html.show();
        clickItem(html.FileListBox1, u"page.htm"_s);
        QCOMPARE(html.Edit1->text(), u"PAGE.HTM"_s);
    }

    void exeChoice_returnsTheLastCompletedKind()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"page.htm"_s), "<p>");
        TExeChoiceForm form(QString(), QString(), HyperTextType::None, true);
        QVERIFY(form.AddButtons[0]->isEnabled() && !form.AddButtons[2]->isEnabled());
        form.RadioButtons[2]->setChecked(true);
        platform.modal.expect<TGetFileForm>([](TGetFileForm& html) {
            emit html.FileListBox1->fileClicked(u"page.htm"_s);
            html.OKBtn->click();
        });
        form.AddButtons[2]->click();
        form.RadioButtons[0]->setChecked(true);
        QCOMPARE(form.type(), HyperTextType::HtmlFile);
        QCOMPARE(form.file(), u"PAGE.HTM"_s); // kept in capitals
        QCOMPARE(form.command(), u"PAGE.HTM"_s);
    }

    void commandType_opensOnExecutableAndChecksOnClose()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"PIC.BMP"_s), "x");
        CommandRecord empty{};
        TCommandTypeForm form(empty, u" Opening Command Type "_s, 420, true);
        QVERIFY(form.RBType4->isChecked() && form.ExeBtn->isEnabled() &&
                !form.GraphBtn->isEnabled());
        form.show();

        form.RBType2->click();
        platform.modal.expect<TGetGraphicForm>([](TGetGraphicForm& picker) {
            QCOMPARE(picker.Edit1->text(), u"PIC.BMP"_s); // offered from the project
            picker.Edit2->setText(u"50"_s);
            picker.OKBtn->click();
        });
        form.GraphBtn->click();
        QCOMPARE(form.record().Command.text(), u"PIC.BMP,50"_s);
        form.RBType3->click();
        form.OKBtn->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts(), QStringList{u"No Voice File has been selected."_s});
        QCOMPARE(form.focusWidget(), form.VoiceBtn);

        writeBytes(dir.filePath(u"VOICE.WAV"_s), "RIFF");
        platform.modal.expect<TGetFileForm>([](TGetFileForm& picker) {
            QCOMPARE(picker.Edit1->text(), u"VOICE.WAV"_s);
            picker.OKBtn->click();
        });
        form.VoiceBtn->click();
        form.OKBtn->click();
        QVERIFY(!form.isVisible());
        const CommandRecord record = form.record();
        QCOMPARE(+record.CommandType, 3);
        QVERIFY(record.GraphicFile.text().isEmpty()); // the voice replaced the picture
        QCOMPARE(record.VoiceFile.text(), u"VOICE.WAV"_s);
        QCOMPARE(record.Command.text(), u"VOICE.WAV"_s);
    }

    void executable_keepsWhatWasDefinedUnlessRedefined()
    {
        PlatformDoubles platform;
        CommandRecord record{};
        record.CommandType = 10;
        record.ProgramFile.setText(u"PAGE.HTM"_s);
        record.Command.setText(u"PAGE.HTM"_s);
        platform.modal.expect<TCommandTypeForm>([](TCommandTypeForm& form) {
            QVERIFY(form.RBType4->isChecked());
            QTest::mouseClick(form.RBType4, Qt::LeftButton); // the selected button again
            QTest::mouseClick(form.ExeBtn, Qt::LeftButton);  // "Define", then OK without Add
            QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        });
        platform.modal.expect<TExeChoiceForm>([](TExeChoiceForm& choice) {
            QVERIFY(choice.RadioButtons[2]->isChecked());
            QTest::mouseClick(choice.OKBtn, Qt::LeftButton);
        });
        QVERIFY(EditCommandType(record, u" Closing Command Type "_s, 430, false));
        QCOMPARE(+record.CommandType, 10);
        QCOMPARE(record.ProgramFile.text(), u"PAGE.HTM"_s);
        QCOMPARE(record.Command.text(), u"PAGE.HTM"_s);
    }
};

QTEST_MAIN(PickersTest)
#include "tst_pickers.moc"
