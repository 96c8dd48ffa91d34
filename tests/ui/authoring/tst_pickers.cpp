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
#include <QTest>

class PickersTest : public QObject
{
    Q_OBJECT

private slots:
    // The copy question's answers are BringFileIntoProject's (tst_bringfile); here the picker
    // shows what it brought.
    void findFile_fillsTheFieldAndRefreshesTheList()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("elsewhere"));
        writeBytes(dir.filePath(QStringLiteral("elsewhere/SKY.JPG")), "outside");
        writeBytes(dir.filePath(QStringLiteral("OLD.BMP")), "old");
        TGetGraphicForm form(QStringLiteral("OLD.BMP"), 0);
        platform.files.answer(dir.filePath(QStringLiteral("elsewhere/SKY.JPG")));
        platform.messages.answer(MessageAnswer::Yes);
        form.GetBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Copy the file SKY.JPG to the Project directory?")});
        QCOMPARE(platform.files.asked().first().title, QStringLiteral("Select a Graphic File"));
        QCOMPARE(form.Edit1->text(), QStringLiteral("SKY.JPG"));
        QCOMPARE(form.FileListBox1->count(), 2);
    }

    // What a window is given (a stored value, a pick) is shown and handed back whole; only what
    // the author types is limited, and a long given text can be shortened but not lengthened.
    void givenTexts_areKeptWholeAndTypingIsLimited()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        const QString program = QString(70, u'P') + QStringLiteral(".SH,-x");
        TGetExeForm exe(program);
        QCOMPARE(exe.value(), program);
        const QString notes = QString(80, u'n') + QStringLiteral(".TXT");
        TNoteFileForm notepad(notes);
        QCOMPARE(notepad.Edit1->text(), notes);
        TGetGraphicForm graphic(QStringLiteral("PIC.BMP"), 123456);
        QCOMPARE(graphic.Edit2->text(), QStringLiteral("123456"));

        exe.Edit1->clear();
        QTest::keyClicks(exe.Edit1, QString(60, u'a'));
        QCOMPARE(exe.Edit1->text(), QString(50, u'a'));
        exe.Edit1->clear(); // Cyrillic takes two bytes of the field a letter: whole letters only
        type(exe.Edit1, QString(30, QChar(0x0436)) + QStringLiteral("a"));
        QCOMPARE(exe.Edit1->text(), QString(25, QChar(0x0436)));
        QTest::keyClick(notepad.Edit1, Qt::Key_End);
        QTest::keyClick(notepad.Edit1, Qt::Key_X);
        QCOMPARE(notepad.Edit1->text(), notes);
        QTest::keyClick(notepad.Edit1, Qt::Key_Backspace);
        QCOMPARE(notepad.Edit1->text(), notes.chopped(1));
        QTest::keyClick(notepad.Edit1, Qt::Key_X);
        QCOMPARE(notepad.Edit1->text(), notes.chopped(1));
    }

    void emptyProject_declinedCopy_refusesOk()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("outside.jpg")), "x");
        QDir(dir.path()).mkdir(QStringLiteral("book"));
        QDir::setCurrent(dir.filePath(QStringLiteral("book")));
        TGetGraphicForm form(QString(), 0);
        QVERIFY(!form.BitBtn1->isEnabled());
        platform.files.answer(dir.filePath(QStringLiteral("outside.jpg")));
        platform.messages.answer(MessageAnswer::No);
        form.GetBtn->click();
        QVERIFY(form.Edit1->text().isEmpty());
        form.show();
        form.OKBtn->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts().last(),
                 QStringLiteral("No Graphic file has been selected"));
        QCOMPARE(form.focusWidget(), form.Edit1);
    }

    void duration_acceptsWholeNumbersOnly()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        TGetGraphicForm form(QStringLiteral("A.BMP"), 30);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.Edit2->text(), QStringLiteral("30"));
        for (const auto& [typed, kept] : {std::pair{QStringLiteral("-5"), QStringLiteral("-5")},
                                          std::pair{QStringLiteral("1.5"), QStringLiteral("0")},
                                          std::pair{QString(), QStringLiteral("0")}}) {
            form.Edit2->setFocus();
            form.Edit2->setText(typed);
            form.Edit1->setFocus();
            QCOMPARE(form.Edit2->text(), kept);
        }
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("That is not a valid number")});

        // Enter accepts without leaving the field: the duration is checked all the same.
        platform.messages.clear();
        form.Edit2->setFocus();
        form.Edit2->selectAll();
        QTest::keyClicks(form.Edit2, QStringLiteral("1.5"));
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("That is not a valid number")});
        QVERIFY(form.isVisible());
        QCOMPARE(form.Edit2->text(), QStringLiteral("0"));
        QTest::keyClicks(form.Edit2, QStringLiteral("15"));
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void videoView_playsAsTheBookDoesAndHtmlNamesStayInCapitals()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("film.avi")), "RIFF");
        writeBytes(dir.filePath(QStringLiteral("page.htm")), "<p>");
        QString prompt = QStringLiteral("Start the film");
        BookMediaActions book(prompt);
        ScopedService<MediaSlot, MediaActions> installed(book);

        TGetFileForm video(TGetFileForm::Video, QStringLiteral("GONE.AVI"));
        QTest::mouseClick(video.BitBtn1, Qt::LeftButton);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The file GONE.AVI is missing")});
        video.Edit1->setText(QStringLiteral("film.avi"));
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QCOMPARE(player.windowTitle(), QStringLiteral("Start the film"));
            player.reject();
        });
        QTest::mouseClick(video.BitBtn1, Qt::LeftButton);
        QCOMPARE(platform.media.calls().first(), QStringLiteral("open film.avi"));

        TGetFileForm html(TGetFileForm::Html, QStringLiteral("old.htm"));
        QCOMPARE(html.Edit1->text(), QStringLiteral("OLD.HTM"));
        html.show();
        clickItem(html.FileListBox1, QStringLiteral("page.htm"));
        QCOMPARE(html.Edit1->text(), QStringLiteral("PAGE.HTM"));
    }

    void getExe_splitsProgramAndParameters()
    {
        PlatformDoubles platform;
        platform.modal.expect<TGetExeForm>([](TGetExeForm& form) {
            QCOMPARE(form.Edit1->text(), QStringLiteral("GAME.EXE"));
            QCOMPARE(form.Edit2->text(), QStringLiteral("-x"));
            form.Edit2->clear();
            form.OKBtn->click();
        });
        QString value = QStringLiteral("GAME.EXE,-x");
        QVERIFY(GetExe(value));
        QCOMPARE(value, QStringLiteral("GAME.EXE"));
    }

    void exeChoice_returnsTheLastCompletedKind()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("page.htm")), "<p>");
        TExeChoiceForm form(QString(), QString(), HyperTextType::None, true);
        QVERIFY(form.AddButtons[0]->isEnabled() && !form.AddButtons[2]->isEnabled());
        form.RadioButtons[2]->setChecked(true);
        platform.modal.expect<TGetFileForm>([](TGetFileForm& html) {
            emit html.FileListBox1->fileClicked(QStringLiteral("page.htm"));
            html.OKBtn->click();
        });
        form.AddButtons[2]->click();
        form.RadioButtons[0]->setChecked(true);
        QCOMPARE(form.type(), HyperTextType::HtmlFile);
        QCOMPARE(form.file(), QStringLiteral("PAGE.HTM")); // kept in capitals
        QCOMPARE(form.command(), QStringLiteral("PAGE.HTM"));
    }

    void commandType_opensOnExecutableAndChecksOnClose()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("PIC.BMP")), "x");
        CommandRecord empty{};
        TCommandTypeForm form(empty, QStringLiteral(" Opening Command Type "), 420, true);
        QVERIFY(form.RBType4->isChecked() && form.ExeBtn->isEnabled() &&
                !form.GraphBtn->isEnabled());
        form.show();

        form.RBType2->click();
        platform.modal.expect<TGetGraphicForm>([](TGetGraphicForm& picker) {
            QCOMPARE(picker.Edit1->text(), QStringLiteral("PIC.BMP")); // offered from the project
            picker.Edit2->setText(QStringLiteral("50"));
            picker.OKBtn->click();
        });
        form.GraphBtn->click();
        QCOMPARE(form.record().Command.text(), QStringLiteral("PIC.BMP,50"));
        form.RBType3->click();
        form.OKBtn->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("No Voice File has been selected.")});
        QCOMPARE(form.focusWidget(), form.VoiceBtn);

        writeBytes(dir.filePath(QStringLiteral("VOICE.WAV")), "RIFF");
        platform.modal.expect<TGetFileForm>([](TGetFileForm& picker) {
            QCOMPARE(picker.Edit1->text(), QStringLiteral("VOICE.WAV"));
            picker.OKBtn->click();
        });
        form.VoiceBtn->click();
        form.OKBtn->click();
        QVERIFY(!form.isVisible());
        const CommandRecord record = form.record();
        QCOMPARE(+record.CommandType, 3);
        QVERIFY(record.GraphicFile.text().isEmpty()); // the voice replaced the picture
        QCOMPARE(record.VoiceFile.text(), QStringLiteral("VOICE.WAV"));
        QCOMPARE(record.Command.text(), QStringLiteral("VOICE.WAV"));
    }

    void executable_keepsWhatWasDefinedUnlessRedefined()
    {
        PlatformDoubles platform;
        CommandRecord record{};
        record.CommandType = 10;
        record.ProgramFile.setText(QStringLiteral("PAGE.HTM"));
        record.Command.setText(QStringLiteral("PAGE.HTM"));
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
        QVERIFY(EditCommandType(record, QStringLiteral(" Closing Command Type "), 430, false));
        QCOMPARE(+record.CommandType, 10);
        QCOMPARE(record.ProgramFile.text(), QStringLiteral("PAGE.HTM"));
        QCOMPARE(record.Command.text(), QStringLiteral("PAGE.HTM"));
    }
};

QTEST_MAIN(PickersTest)
#include "tst_pickers.moc"
