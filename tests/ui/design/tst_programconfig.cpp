// The program configuration window with its help file window and About box designer: the
// refusals, what saving stores, the introduction section, and the About box as the reader sees it.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/files/filestore.h"
#include "core/sections/booklanguage.h"
#include "core/sections/introduction.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "preview/aboutbox.h"
#include "ui/common/commandtypeform.h"
#include "ui/design/designaboutform.h"
#include "ui/design/helpfileform.h"
#include "ui/design/progconfigform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// The open project's records, as the main window hands them over.
struct ConfigBook : TestBook
{
    PresentationRecord& presentation = state.Project.Presentation;
    ConfigRecord& config = state.Project.Config;
};

} // namespace

class ProgramConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void save_refusesUndefinedCommandsAndSettlesTheRest()
    {
        PlatformDoubles platform;
        ConfigBook book;
        book.presentation.Closing.Command.setText(QStringLiteral("BYE.JPG"));
        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!form.IconGrp->isVisible() && !form.OpenBtn->isEnabled());

        click(form.OpenChkBx);
        QVERIFY(form.OpenBtn->isEnabled());
        click(form.BitBtn1);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The Opening Command has not been defined")});
        QVERIFY(form.isVisible() && form.OpenBtn->hasFocus());
        platform.modal.expect<TCommandTypeForm>([](TCommandTypeForm& command) {
            QCOMPARE(HelpContextOf(&command), 420);
            QCOMPARE(command.TypeGrp->title(), QStringLiteral(" Opening Command Type "));
            click(command.CancelBtn);
        });
        click(form.OpenBtn);
        click(form.BitBtn1); // a cancelled command window defines nothing
        QCOMPARE(platform.messages.texts().size(), 2);

        click(form.OpenChkBx);
        click(form.CloseChkBx); // its command came with the record
        click(form.CheckBox3);  // a help file switched on but never chosen
        click(form.IconChkBx);
        QVERIFY(form.IconGrp->isVisible());
        retype(form.Edit1, QStringLiteral("Voyages"));
        KeepScreenshot(form, QStringLiteral("TProgConfigForm"));
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());

        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(book.config.BookTitle.text(), QStringLiteral("Voyages"));
        QCOMPARE(book.presentation.ClosingShown, 1);
        QCOMPARE(book.presentation.OpeningShown, 0);
        QCOMPARE(book.config.UseHelpFile, 0);
        QCOMPARE(book.config.HelpTopic, 0);
        QCOMPARE(book.config.UseIcon, 0); // no icon chosen
    }

    // A stored icon whose name differs from the file's only in letter case is the book's icon.
    void icon_foundInAnyLetterCase()
    {
        PlatformDoubles platform;
        ConfigBook book;
        writeBytes(book.dir.filePath(QStringLiteral("Book.ico")), "icon");
        book.config.UseIcon = 1;
        book.config.IconFile.setText(QStringLiteral("BOOK.ICO"));
        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.IconEdit->text(), QStringLiteral("BOOK.ICO"));
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(book.config.UseIcon, 1);
        QCOMPARE(book.config.IconFile.text(), QStringLiteral("BOOK.ICO"));
    }

    void cancel_leavesTheRecords()
    {
        PlatformDoubles platform;
        ConfigBook book;
        const QByteArray before = filestore::bytesOf(book.state.Project);
        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        click(form.AboutChkBx);
        click(form.VideoChkBx);
        retype(form.Edit1, QStringLiteral("Changed"));
        form.LanguageCombo->setCurrentIndex(form.LanguageCombo->findData(QStringLiteral("ja")));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(filestore::bytesOf(book.state.Project), before);
        QVERIFY(!filestore::exists(book.state.HyperTextFile));
    }

    // The language list opens on the author's own (English here, where the locale names none);
    // the author picks another by typing its name, and only a pick is stored.
    void language_pickedByTypingIsStoredOnSave()
    {
        PlatformDoubles platform;
        ConfigBook book;
        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.LanguageCombo->currentData().toString(), QStringLiteral("en"));
        QCOMPARE(form.LanguageCombo->currentText(), QStringLiteral("English [en]"));
        QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
        QVERIFY(form.LanguageCombo->hasFocus());
        QTest::keyClicks(form.LanguageCombo, QStringLiteral("Russ"));
        QCOMPARE(form.LanguageCombo->currentText(), QString::fromUtf8("Russian (русский) [ru]"));
        KeepScreenshot(form, QStringLiteral("TProgConfigForm"));
        click(form.BitBtn1);
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)),
                 QByteArray("[^LANGUAGE^]\r\nsource=BOOK\r\nlanguage=ru\r\n]\r\n\r\n"));

        TProgConfigForm again(book.presentation, book.config, book.state.HyperTextFile);
        QCOMPARE(again.LanguageCombo->currentData().toString(), QStringLiteral("ru"));
        WriteBookLanguage(book.state.HyperTextFile, QStringLiteral("pt-BR"));
        TProgConfigForm region(book.presentation, book.config, book.state.HyperTextFile);
        QCOMPARE(region.LanguageCombo->currentText(), QStringLiteral("[pt-BR]"));
        WriteBookLanguage(book.state.HyperTextFile, QStringLiteral("\"><x"));
        QCOMPARE(BookLanguage(book.state.HyperTextFile), QStringLiteral("en"));
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)).count("[^LANGUAGE^]"), 1);
    }

    void introduction_keptWhetherShownOrNot()
    {
        PlatformDoubles platform;
        ConfigBook book;
        AddIntroEntry(book.state.HyperTextFile, {QStringLiteral("{\\rtf1 Welcome}")});
        book.presentation.IntroShown = 1;
        const QByteArray sections = readBytes(book.dir.filePath(book.state.HyperTextFile));

        TProgConfigForm kept(book.presentation, book.config, book.state.HyperTextFile);
        kept.show();
        QVERIFY(kept.IntroChkBx->isChecked());
        click(kept.BitBtn1);
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)), sections);

        TProgConfigForm dropped(book.presentation, book.config, book.state.HyperTextFile);
        dropped.show();
        click(dropped.IntroChkBx);
        click(dropped.BitBtn1);
        QCOMPARE(book.presentation.IntroShown, 0);
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)), sections);

        // Shown again, the text is the one the author wrote.
        TProgConfigForm again(book.presentation, book.config, book.state.HyperTextFile);
        again.show();
        click(again.IntroChkBx);
        click(again.BitBtn1);
        QCOMPARE(book.presentation.IntroShown, 1);
        QStringList text;
        QVERIFY(ReadIntroEntry(book.state.HyperTextFile, text));
        QCOMPARE(text, QStringList{QStringLiteral("{\\rtf1 Welcome}")});
    }

    void helpFile_topicRulesAndTheListPick()
    {
        PlatformDoubles platform;
        TestBook book;
        writeBytes(book.dir.filePath(QStringLiteral("BOOK.HLP")), "<html></html>");
        ConfigRecord config = DefaultConfig();
        config.HelpTopic = 0;
        THelpfileForm form(config);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.Edit2->text(), QStringLiteral("1")); // topic 0 arrives as 1
        clickItem(form.FileListBox1, QStringLiteral("BOOK.HLP"));
        QCOMPARE(form.Edit1->text(), QStringLiteral("BOOK.HLP"));

        retype(form.Edit2, QStringLiteral("x1"));
        QTest::keyClick(form.Edit2, Qt::Key_Tab); // leaving the field checks it
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("That is not a valid number")});
        QCOMPARE(form.Edit2->text(), QStringLiteral("1"));
        retype(form.Edit2, QStringLiteral("0"));
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(platform.messages.texts().last(),
                 QStringLiteral("The Starting Topic must be greater than 0."));
        QVERIFY(form.isVisible());
        QCOMPARE(config.HelpFile.text(), QString()); // nothing stored yet
        retype(form.Edit2, QStringLiteral("12"));
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(config.HelpFile.text(), QStringLiteral("BOOK.HLP"));
        QCOMPARE(config.HelpTopic, 12);

        // A stored name longer than what may be typed survives opening and OK.
        config.HelpFile.setText(QStringLiteral("MyNovelHelp.hlp"));
        THelpfileForm again(config);
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_Return);
        QVERIFY(!again.isVisible());
        QCOMPARE(config.HelpFile.text(), QStringLiteral("MyNovelHelp.hlp"));
    }

    void aboutBox_designedFieldsAreWhatTheReaderSees()
    {
        PlatformDoubles platform;
        TestBook book;
        AboutRecord about = DefaultAbout();
        about.AboutWhen = 1;
        TDesignAboutForm form(about);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.BoxTitleEdit->hasFocus() && form.WhenButtons[1]->isChecked());
        QTest::keyClicks(form.BoxTitleEdit, QStringLiteral("About Voyages"));
        retype(form.ProgNameEdit, QStringLiteral("Voyages"));
        retype(form.VersionEdit, QStringLiteral("Version 2"));
        retype(form.Comm[0], QStringLiteral("For my readers"));
        click(form.UseIconChkBox);
        QVERIFY(form.FindBtn->isVisible());
        click(form.WhenButtons[3]); // "Neither": the view keeps the stored value
        platform.modal.expect<TAboutBox>([](TAboutBox& box) {
            QCOMPARE(box.ProductName->text(), QStringLiteral("Voyages"));
            QCOMPARE(box.Version->text(), QStringLiteral("Version 2"));
            click(box.OKButton);
        });
        QTest::keyClick(&form, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(platform.modal.allUsed());
        QCOMPARE(form.focusWidget(), form.ViewBtn);
        KeepScreenshot(form, QStringLiteral("TDesignAboutForm"));
        QCOMPARE(about.ProgramName.text(), QString()); // nothing stored before "&OK"

        click(form.OKBtn);
        QCOMPARE(about.ProgramName.text(), QStringLiteral("Voyages"));
        QCOMPARE(about.Comment1.text(), QStringLiteral("For my readers"));
        QCOMPARE(about.AboutWhen, 3);
        QCOMPARE(about.UseIcon, 0); // checked, but no icon named
    }
};

QTEST_MAIN(ProgramConfigTest)
#include "tst_programconfig.moc"
