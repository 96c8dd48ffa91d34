// The main window: start-up, enabling rules, focus, and choosing and creating projects.
#include "doubles.h"
#include "filesizelimit.h"
#include "recordbytes.h"
#include "testdir.h"

#include "platform/f1help.h"
#include "platform/filelists.h"
#include "ui/design/progconfigform.h"
#include "ui/mainwindow/bookmainform.h"
#include "ui/mainwindow/makedirform.h"
#include "ui/mainwindow/programaboutform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QList<QPushButton*> enabledButtons(Tbookmainform& form)
{
    QList<QPushButton*> enabled;
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
        if (button->isEnabled())
            enabled << button;
    }
    return enabled;
}

// Fills the name-and-folder dialog and presses OK.
std::function<void(TMakeDirForm&)> answerNameAndFolder(const QString& folder, const QString& name)
{
    return [folder, name](TMakeDirForm& form) {
        form.Edit1->setText(folder);
        form.Edit2->setText(name);
        form.BitBtn1->click();
    };
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        Tbookmainform form;
        Fixture()
        {
            form.show();
            form.Timer1Timer();
        }
    };

private slots:
    void startup_showsPanelAndOnlyProjectFreeButtons()
    {
        Fixture f;
        QVERIFY(f.form.MenuPnl->isVisible());
        QVERIFY(!f.form.waitpnl->isVisible());
        QCOMPARE(f.form.focusWidget(), f.form.HelpBtn);
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("None Selected"));
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Quorelle for Windows - Ver 2.2"));
        const QList<QPushButton*> expected = {f.form.SelectBtn, f.form.StartBtn, f.form.AboutBtn,
                                              f.form.HelpBtn,   f.form.TutBtn,   f.form.QuitBtn};
        QCOMPARE(enabledButtons(f.form).size(), expected.size());
        for (QPushButton* button : expected)
            QVERIFY(button->isEnabled());
        QVERIFY(f.platform.messages.shown().isEmpty());
        QCOMPARE(f.platform.help.helpFile(),
                 f.form.state().ProgramDir + QStringLiteral("KESTRIN.HLP"));
    }

    void startup_warnsOnLowColourDisplays()
    {
        PlatformDoubles platform;
        platform.screen.depth = 8;
        Tbookmainform form;
        QVERIFY(form.lowColour());
        QVERIFY(!form.MenuPnl->isVisibleTo(&form));
        form.Timer1Timer();
        QCOMPARE(platform.messages.shown().size(), 1);
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::Info);
        QCOMPARE(
            platform.messages.texts().first(),
            QStringLiteral("Your video Display mode is set at 256 colors.\n\r\n\rThe graphics in "
                           "this program need High Color\n\ror True Color. At the Start Menu "
                           "select Settings\n\rthen Control Panel then Display - Settings "
                           "to\n\rchange the video Display mode"));
        QVERIFY(!form.Timer1->isActive());
    }

    void buttons_f1OpensTheirTopicAndAltLetterPressesThem()
    {
        Fixture f;
        InstallF1Help(*qApp);
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        f.form.StartBtn->setFocus();
        QTest::keyClick(f.form.StartBtn, Qt::Key_F1);
        f.form.TutBtn->setFocus();
        QTest::keyClick(f.form.TutBtn, Qt::Key_F1);
        QCOMPARE(f.platform.help.contexts(), QList<int>({100, 1}));

        f.platform.files.answer(QString()); // Alt+S is "&Select an E-Book": its dialog, cancelled
        QTest::keyClick(&f.form, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(f.platform.files.asked().size(), 1); // a mnemonic animates the click
        QCOMPARE(f.platform.files.asked().first().title, QStringLiteral("Select an E-Book"));
        f.platform.files.answer(QString()); // Enter presses the focused button
        f.form.SelectBtn->setFocus();
        QTest::keyClick(f.form.SelectBtn, Qt::Key_Return);
        QCOMPARE(f.platform.files.asked().size(), 2);
        // Alt+A is "&Add a Chapter ", which needs a project: nothing opens (the doubles would
        // fail).
        QTest::keyClick(&f.form, Qt::Key_A, Qt::AltModifier);
        QVERIFY(!f.form.AddBtn->isEnabled());
    }

    void createProject_opensItAndEnablesProjectButtons()
    {
        Fixture f;
        const QString folder = f.dir.filePath(QStringLiteral("books/first"));
        f.platform.modal.expect<TMakeDirForm>(
            answerNameAndFolder(folder, QStringLiteral("My Book")));
        f.form.StartBtn->click();
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({QStringLiteral("My Book.QVD"), QStringLiteral("My Book.QVJ")}));
        QCOMPARE(readBytes(QDir(folder).filePath(QStringLiteral("My Book.QVJ"))),
                 defaultProjectBytes());
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("My Book"));
        QCOMPARE(QDir::current().absolutePath(), QDir(folder).absolutePath());
        QVERIFY(f.form.EditBtn->isEnabled() && f.form.CustChapBtn->isEnabled() &&
                f.form.CustBookBtn->isEnabled());
        QVERIFY(!f.form.AddBtn->isEnabled() && !f.form.ViewBtn->isEnabled() &&
                !f.form.PreviewBtn->isEnabled());
        QCOMPARE(f.form.focusWidget(), f.form.SelectBtn);
        QVERIFY(f.form.MenuPnl->isVisible());
    }

    void createProject_cancelledOrUnmakeableFolder_keepsState()
    {
        Fixture f;
        f.platform.modal.expect<TMakeDirForm>([](TMakeDirForm& form) { form.BitBtn2->click(); });
        f.form.StartBtn->click();
        QVERIFY(!f.form.state().isProjectOpen());

        writeBytes(f.dir.filePath(QStringLiteral("plain.txt")), "x");
        f.platform.modal.expect<TMakeDirForm>(answerNameAndFolder(
            f.dir.filePath(QStringLiteral("plain.txt/sub")), QStringLiteral("Book")));
        f.form.StartBtn->click();
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{QStringLiteral("Unable to create the directory")});
        QVERIFY(!f.form.state().isProjectOpen());
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("None Selected"));

        // A project file that cannot be written: the error is shown and nothing stays open.
        f.platform.messages.clear();
        QDir(f.dir.path()).mkpath(QStringLiteral("blocked/BOOK.QVJ"));
        f.platform.modal.expect<TMakeDirForm>(
            answerNameAndFolder(f.dir.filePath(QStringLiteral("blocked")), QStringLiteral("BOOK")));
        f.form.StartBtn->click();
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{QStringLiteral("File access denied: BOOK.QVJ")});
        QVERIFY(!f.form.state().isProjectOpen());
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("None Selected"));
        QVERIFY(!f.form.EditBtn->isEnabled());
        QCOMPARE(QDir(f.dir.filePath(QStringLiteral("blocked"))).entryList(QDir::Files),
                 QStringList());
    }

    void selectProject_chapterFilesAndListEnableTheRest()
    {
        Fixture f;
        QDir(f.dir.path()).mkdir(QStringLiteral("book"));
        const QString bookDir = f.dir.filePath(QStringLiteral("book"));
        writeBytes(bookDir + QStringLiteral("/story.qvj"), defaultProjectBytes());
        writeBytes(bookDir + QStringLiteral("/CH1.QLF"), "{\\rtf1 x}");

        f.platform.files.answer(bookDir + QStringLiteral("/story.qvj"));
        f.form.SelectBtn->click();
        QCOMPARE(f.platform.files.asked().first().filter,
                 QStringLiteral("E-Book Project Files|*.QVJ"));
        QCOMPARE(f.form.state().ProjectFile, QStringLiteral("STORY.QVJ"));
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("STORY"));
        QVERIFY(f.form.AddBtn->isEnabled());
        QVERIFY(!f.form.DeleteBtn->isEnabled());
        QCOMPARE(f.form.focusWidget(), f.form.AddBtn);

        // With a chapter list every chapter button comes alive.
        writeBytes(bookDir + QStringLiteral("/STORY.QVC"),
                   chapterBytes("One", "CH1.QLF", "STORY.QVD"));
        f.form.UpdateButtons();
        for (QPushButton* button :
             {f.form.ViewBtn, f.form.DeleteBtn, f.form.ReorgBtn, f.form.PreviewBtn, f.form.ExecBtn,
              f.form.DistribBtn, f.form.HypTextBtn})
            QVERIFY2(button->isEnabled(), qPrintable(button->text()));
    }

    void cancelledSelect_readsTheOpenProjectAgain()
    {
        Fixture f;
        writeBytes(f.dir.filePath(QStringLiteral("A.QVJ")), defaultProjectBytes());
        f.platform.files.answer(f.dir.filePath(QStringLiteral("A.QVJ")));
        f.form.SelectBtn->click();
        QCOMPARE(f.platform.files.asked().last().folder, QDir::homePath()); // not the tool's folder
        QVERIFY(f.form.state().BookTitle.isEmpty());

        QByteArray changed = defaultProjectBytes();
        changed[279] = 3;
        changed.replace(280, 3, "New");
        writeBytes(f.dir.filePath(QStringLiteral("A.QVJ")), changed);
        f.platform.files.answer(QString()); // the dialog is cancelled
        f.form.SelectBtn->click();
        QCOMPARE(QDir(f.platform.files.asked().last().folder), QDir(f.dir.path()));
        QCOMPARE(f.form.state().BookTitle, QStringLiteral("New"));
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("A"));
        QCOMPARE(f.form.focusWidget(), f.form.SelectBtn);
    }

    void selectDamagedProject_reportsAndKeepsPreviousProject()
    {
        Fixture f;
        writeBytes(f.dir.filePath(QStringLiteral("GOOD.QVJ")), defaultProjectBytes());
        QDir(f.dir.path()).mkdir(QStringLiteral("bad"));
        writeBytes(f.dir.filePath(QStringLiteral("bad/BAD.QVJ")), "2.1 short");
        f.platform.files.answer(f.dir.filePath(QStringLiteral("GOOD.QVJ")));
        f.form.SelectBtn->click();
        f.platform.files.answer(f.dir.filePath(QStringLiteral("bad/BAD.QVJ")));
        f.form.SelectBtn->click();

        QCOMPARE(f.platform.messages.texts(),
                 QStringList{QStringLiteral("Read beyond end of file: BAD.QVJ")});
        QCOMPARE(f.platform.messages.shown().first().kind, MessageKind::Error);
        QCOMPARE(f.form.state().ProjectFile, QStringLiteral("GOOD.QVJ"));
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("GOOD"));
        QCOMPARE(QDir::current().absolutePath(), QDir(f.dir.path()).absolutePath());
        QCOMPARE(readBytes(f.dir.filePath(QStringLiteral("bad/BAD.QVJ"))), QByteArray("2.1 short"));
        QVERIFY(f.form.MenuPnl->isVisible());
    }

    void projectArgument_opensItOrSaysItIsMissing()
    {
        Fixture f;
        writeBytes(f.dir.filePath(QStringLiteral("SEA.QVJ")), defaultProjectBytes());
        f.form.OpenProjectFile(f.dir.filePath(QStringLiteral("missing.qvj")));
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{QStringLiteral("Cannot open file ") +
                             f.dir.filePath(QStringLiteral("missing.qvj"))});
        QVERIFY(!f.form.state().isProjectOpen());

        f.form.OpenProjectFile(f.dir.filePath(QStringLiteral("SEA.QVJ")));
        QCOMPARE(f.form.state().ProjectFile, QStringLiteral("SEA.QVJ"));
        QCOMPARE(f.form.ProjectLbl->text(), QStringLiteral("SEA"));
        QVERIFY(f.form.EditBtn->isEnabled() && f.form.CustBookBtn->isEnabled());
    }

    // A presentation the disk refused to save is not kept in memory either: the next build would
    // carry what the project file lacks.
    void programPresentation_refusedSaveKeepsNothing()
    {
        Fixture f;
        writeBytes(f.dir.filePath(QStringLiteral("SEA.QVJ")), defaultProjectBytes());
        f.form.OpenProjectFile(f.dir.filePath(QStringLiteral("SEA.QVJ")));
        const QByteArray before = readBytes(f.dir.filePath(QStringLiteral("SEA.QVJ")));
        std::optional<FileSizeLimit> full;
        f.platform.modal.expect<TProgConfigForm>([&full](TProgConfigForm& config) {
            config.Edit1->setText(QStringLiteral("Lost Voyages"));
            full.emplace(64); // the disk fills while the window is open
            QTest::mouseClick(config.BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(f.form.CustBookBtn, Qt::LeftButton);
        full.reset();
        QCOMPARE(f.platform.messages.texts(), QStringList{QStringLiteral("Disk full: SEA.QVJ")});
        QCOMPARE(readBytes(f.dir.filePath(QStringLiteral("SEA.QVJ"))), before);
        QCOMPARE(f.form.state().Project.Config.BookTitle.text(), QString());
    }

    void nameAndFolderDialog_checksInOrder()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("OLD.QVJ")), "x");
        writeBytes(dir.filePath(QStringLiteral("notes.txt")), "x");
        TMakeDirForm form(QStringLiteral("*.QVJ"), 105, QStringLiteral("Enter E-Book Name"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(form.FileLbl->text(), QStringLiteral("Enter E-Book Name"));
        QCOMPARE(form.Edit1->text(), QDir(dir.path()).absolutePath());
        QCOMPARE(form.FileListBox1->count(), 1);
        form.show();

        form.Edit2->setText(QStringLiteral("what?"));
        form.BitBtn1->click();
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), form.Edit2);
        form.Edit2->clear();
        form.BitBtn1->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts(),
                 QStringList({QStringLiteral("A correct filename must be entered."),
                              QStringLiteral("A filename must be entered.")}));

        emit form.FileListBox1->fileClicked(form.FileListBox1->item(0)->text());
        QCOMPARE(form.Edit2->text(), QStringLiteral("OLD.QVJ"));
        form.BitBtn1->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.folder(), QDir(dir.path()).absolutePath() + QLatin1Char('/'));
    }

    void helpGroup()
    {
        Fixture f;
        f.form.state().ProgramDir = f.dir.path() + QLatin1Char('/');
        f.form.TutBtn->click();
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{QStringLiteral("The Tutorial file ") + f.dir.path() +
                             QStringLiteral("/KESTRIN.RTF was not found")});
        QCOMPARE(f.form.focusWidget(), f.form.TutBtn);

        f.form.HelpBtn->click();
        QCOMPARE(f.platform.help.contexts(), QList<int>{1});

        f.platform.modal.expect<TProgramAboutForm>(
            [](TProgramAboutForm& about) { about.OKBtn->click(); });
        f.form.AboutBtn->click();
        QCOMPARE(f.form.focusWidget(), f.form.AboutBtn);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
