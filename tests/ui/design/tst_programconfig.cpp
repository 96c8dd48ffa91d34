// The program configuration window with its help file window and About box designer: the
// refusals, what saving stores, and the About box as the reader sees it (the introduction section
// it keeps is tst_introduction's).
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/files/filestore.h"
#include "core/sections/booklanguage.h"
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

using namespace Qt::StringLiterals;

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
        book.presentation.Closing.Command.setText(u"BYE.JPG"_s);
        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!form.IconGrp->isVisible() && !form.OpenBtn->isEnabled());

        click(form.OpenChkBx);
        QVERIFY(form.OpenBtn->isEnabled());
        click(form.BitBtn1);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The Opening Command has not been defined"_s});
        QVERIFY(form.isVisible() && form.OpenBtn->hasFocus());
        platform.modal.expect<TCommandTypeForm>([](TCommandTypeForm& command) {
            QCOMPARE(HelpContextOf(&command), 420);
            QCOMPARE(command.TypeGrp->title(), u" Opening Command Type "_s);
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
        retype(form.Edit1, u"Voyages"_s);
        KeepScreenshot(form, u"TProgConfigForm"_s);
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());

        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(book.config.BookTitle.text(), u"Voyages"_s);
        QCOMPARE(book.presentation.ClosingShown, 1);
        QCOMPARE(book.presentation.OpeningShown, 0);
        QCOMPARE(book.config.UseHelpFile, 0);
        QCOMPARE(book.config.HelpTopic, 0);
        QCOMPARE(book.config.UseIcon, 0); // no icon chosen

        // A stored icon whose name differs from the file's only in letter case is the book's icon.
        writeBytes(book.dir.filePath(u"Book.ico"_s), "icon");
        book.config.UseIcon = 1;
        book.config.IconFile.setText(u"BOOK.ICO"_s);
        TProgConfigForm icon(book.presentation, book.config, book.state.HyperTextFile);
        icon.show();
        QVERIFY(QTest::qWaitForWindowActive(&icon));
        QCOMPARE(icon.IconEdit->text(), u"BOOK.ICO"_s);
        QTest::keyClick(&icon, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!icon.isVisible());
        QCOMPARE(book.config.UseIcon, 1);
        QCOMPARE(book.config.IconFile.text(), u"BOOK.ICO"_s);
    }

    // The language list opens on the author's own (English here, where the locale names none);
    // the author picks another by typing its name, and only a pick is stored, on save: Escape
    // leaves the records and writes no section.
    void language_pickedByTypingIsStoredOnSave()
    {
        PlatformDoubles platform;
        ConfigBook book;
        const QByteArray before = filestore::bytesOf(book.state.Project);
        TProgConfigForm cancelled(book.presentation, book.config, book.state.HyperTextFile);
        cancelled.show();
        click(cancelled.AboutChkBx);
        click(cancelled.VideoChkBx);
        retype(cancelled.Edit1, u"Changed"_s);
        cancelled.LanguageCombo->setCurrentIndex(cancelled.LanguageCombo->findData(u"ja"_s));
        QTest::keyClick(&cancelled, Qt::Key_Escape);
        QCOMPARE(filestore::bytesOf(book.state.Project), before);
        QVERIFY(!filestore::exists(book.state.HyperTextFile));

        TProgConfigForm form(book.presentation, book.config, book.state.HyperTextFile);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.LanguageCombo->currentData().toString(), u"en"_s);
        QCOMPARE(form.LanguageCombo->currentText(), u"English [en]"_s);
        QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
        QVERIFY(form.LanguageCombo->hasFocus());
        QTest::keyClicks(form.LanguageCombo, u"Russ"_s);
        QCOMPARE(form.LanguageCombo->currentText(), QString::fromUtf8("Russian (русский) [ru]"));
        KeepScreenshot(form, u"TProgConfigForm"_s);
        click(form.BitBtn1);
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)),
                 QByteArray("[^LANGUAGE^]\r\nsource=BOOK\r\nlanguage=ru\r\n]\r\n\r\n"));

        TProgConfigForm again(book.presentation, book.config, book.state.HyperTextFile);
        QCOMPARE(again.LanguageCombo->currentData().toString(), u"ru"_s);
        WriteBookLanguage(book.state.HyperTextFile, u"pt-BR"_s);
        TProgConfigForm region(book.presentation, book.config, book.state.HyperTextFile);
        QCOMPARE(region.LanguageCombo->currentText(), u"[pt-BR]"_s);
        WriteBookLanguage(book.state.HyperTextFile, u"\"><x"_s);
        QCOMPARE(BookLanguage(book.state.HyperTextFile), u"en"_s);
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)).count("[^LANGUAGE^]"), 1);
    }

    void helpFile_topicRulesAndTheListPick()
    {
        PlatformDoubles platform;
        TestBook book;
        writeBytes(book.dir.filePath(u"BOOK.HLP"_s), "<html></html>");
        ConfigRecord config = DefaultConfig();
        config.HelpTopic = 0;
        THelpfileForm form(config);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.Edit2->text(), u"1"_s); // topic 0 arrives as 1
        clickItem(form.FileListBox1, u"BOOK.HLP"_s);
        QCOMPARE(form.Edit1->text(), u"BOOK.HLP"_s);

        retype(form.Edit2, u"x1"_s);
        QTest::keyClick(form.Edit2, Qt::Key_Tab); // leaving the field checks it
        QCOMPARE(platform.messages.texts(), QStringList{u"That is not a valid number"_s});
        QCOMPARE(form.Edit2->text(), u"1"_s);
        retype(form.Edit2, u"0"_s);
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(platform.messages.texts().last(), u"The Starting Topic must be greater than 0."_s);
        QVERIFY(form.isVisible());
        QCOMPARE(config.HelpFile.text(), QString()); // nothing stored yet
        retype(form.Edit2, u"12"_s);
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(config.HelpFile.text(), u"BOOK.HLP"_s);
        QCOMPARE(config.HelpTopic, 12);

        // A stored name longer than what may be typed survives opening and OK.
        config.HelpFile.setText(u"MyNovelHelp.hlp"_s);
        THelpfileForm again(config);
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_Return);
        QVERIFY(!again.isVisible());
        QCOMPARE(config.HelpFile.text(), u"MyNovelHelp.hlp"_s);
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
        QTest::keyClicks(form.BoxTitleEdit, u"About Voyages"_s);
        retype(form.ProgNameEdit, u"Voyages"_s);
        retype(form.VersionEdit, u"Version 2"_s);
        retype(form.Comm[0], u"For my readers"_s);
        click(form.UseIconChkBox);
        QVERIFY(form.FindBtn->isVisible());
        click(form.WhenButtons[3]); // "Neither": the view keeps the stored value
        platform.modal.expect<TAboutBox>([](TAboutBox& box) {
            QCOMPARE(box.ProductName->text(), u"Voyages"_s);
            QCOMPARE(box.Version->text(), u"Version 2"_s);
            click(box.OKButton);
        });
        QTest::keyClick(&form, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(platform.modal.allUsed());
        QCOMPARE(form.focusWidget(), form.ViewBtn);
        KeepScreenshot(form, u"TDesignAboutForm"_s);
        QCOMPARE(about.ProgramName.text(), QString()); // nothing stored before "&OK"

        click(form.OKBtn);
        QCOMPARE(about.ProgramName.text(), u"Voyages"_s);
        QCOMPARE(about.Comment1.text(), u"For my readers"_s);
        QCOMPARE(about.AboutWhen, 3);
        QCOMPARE(about.UseIcon, 0); // checked, but no icon named
    }
};

QTEST_MAIN(ProgramConfigTest)
#include "tst_programconfig.moc"
