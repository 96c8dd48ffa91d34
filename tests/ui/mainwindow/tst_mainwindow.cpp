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

using namespace Qt::StringLiterals;

namespace {

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
    // At the start only the buttons that need no project are enabled, and they work: F1 on a
    // button opens its topic, Alt and its letter or Enter presses it; Help, the Tutorial (missing
    // here) and About keep the focus.
    void startup_projectFreeButtonsWork()
    {
        Fixture f;
        QVERIFY(f.form.MenuPnl->isVisible());
        QVERIFY(!f.form.waitpnl->isVisible());
        QCOMPARE(f.form.focusWidget(), f.form.HelpBtn);
        QCOMPARE(f.form.ProjectLbl->text(), u"None Selected"_s);
        QCOMPARE(f.form.windowTitle(), u"Quorelle for Windows - Ver 2.2"_s);
        const QList<QPushButton*> expected = {f.form.SelectBtn, f.form.StartBtn, f.form.AboutBtn,
                                              f.form.HelpBtn,   f.form.TutBtn,   f.form.QuitBtn};
        for (QPushButton* button : f.form.findChildren<QPushButton*>())
            QVERIFY2(button->isEnabled() == expected.contains(button), qPrintable(button->text()));
        QVERIFY(f.platform.messages.shown().isEmpty());
        QCOMPARE(f.platform.help.helpFile(), f.form.state().ProgramDir + u"KESTRIN.HLP"_s);

        InstallF1Help(*qApp);
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        f.form.StartBtn->setFocus();
        QTest::keyClick(f.form.StartBtn, Qt::Key_F1);
        f.form.TutBtn->setFocus();
        QTest::keyClick(f.form.TutBtn, Qt::Key_F1);
        f.form.HelpBtn->click();
        QCOMPARE(f.platform.help.contexts(), QList<int>({100, 1, 1}));

        f.platform.files.answer(QString()); // Alt+S is "&Select an E-Book": its dialog, cancelled
        QTest::keyClick(&f.form, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(f.platform.files.asked().size(), 1); // a mnemonic animates the click
        QCOMPARE(f.platform.files.asked().first().title, u"Select an E-Book"_s);
        f.platform.files.answer(QString()); // Enter presses the focused button
        f.form.SelectBtn->setFocus();
        QTest::keyClick(f.form.SelectBtn, Qt::Key_Return);
        QCOMPARE(f.platform.files.asked().size(), 2);
        // Alt+A is "&Add a Chapter ", which needs a project: nothing opens (the doubles would
        // fail).
        QTest::keyClick(&f.form, Qt::Key_A, Qt::AltModifier);
        QVERIFY(!f.form.AddBtn->isEnabled());

        f.form.state().ProgramDir = f.dir.path() + QLatin1Char('/');
        f.form.TutBtn->click();
        QCOMPARE(f.platform.messages.texts(), QStringList{u"The Tutorial file "_s + f.dir.path() +
                                                          u"/KESTRIN.RTF was not found"_s});
        QCOMPARE(f.form.focusWidget(), f.form.TutBtn);
        f.platform.modal.expect<TProgramAboutForm>(
            [](TProgramAboutForm& about) { about.OKBtn->click(); });
        f.form.AboutBtn->click();
        QCOMPARE(f.form.focusWidget(), f.form.AboutBtn);
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

    // The name-and-folder dialog lists the projects of the current folder and checks the name in
    // order; a cancelled dialog, a folder that cannot be made and a project file that cannot be
    // written leave no project open; then a new project is made, opened, and enables its buttons.
    void createProject_opensItOrKeepsState()
    {
        Fixture f;
        writeBytes(f.dir.filePath(u"OLD.QVJ"_s), "x");
        writeBytes(f.dir.filePath(u"notes.txt"_s), "x");
        f.platform.modal.expect<TMakeDirForm>([&f](TMakeDirForm& form) {
            QCOMPARE(form.windowTitle(), u"Press F1 for Help"_s);
            QCOMPARE(form.FileLbl->text(), u"Enter E-Book Name"_s);
            QCOMPARE(form.Edit1->text(), QDir(f.dir.path()).absolutePath());
            QCOMPARE(form.FileListBox1->count(), 1);
            form.Edit2->setText(u"what?"_s);
            form.BitBtn1->click();
            QCOMPARE(form.focusWidget(), form.Edit2);
            form.Edit2->clear();
            form.BitBtn1->click();
            QVERIFY(form.isVisible());
            emit form.FileListBox1->fileClicked(form.FileListBox1->item(0)->text());
            QCOMPARE(form.Edit2->text(), u"OLD.QVJ"_s);
            form.BitBtn2->click();
        });
        f.form.StartBtn->click();
        QCOMPARE(f.platform.messages.texts(), QStringList({u"A correct filename must be entered."_s,
                                                           u"A filename must be entered."_s}));
        QVERIFY(!f.form.state().isProjectOpen());
        f.platform.messages.clear();

        writeBytes(f.dir.filePath(u"plain.txt"_s), "x");
        f.platform.modal.expect<TMakeDirForm>(
            answerNameAndFolder(f.dir.filePath(u"plain.txt/sub"_s), u"Book"_s));
        f.form.StartBtn->click();
        QCOMPARE(f.platform.messages.texts(), QStringList{u"Unable to create the directory"_s});
        QVERIFY(!f.form.state().isProjectOpen());
        QCOMPARE(f.form.ProjectLbl->text(), u"None Selected"_s);

        f.platform.messages.clear();
        QDir(f.dir.path()).mkpath(u"blocked/BOOK.QVJ"_s);
        f.platform.modal.expect<TMakeDirForm>(
            answerNameAndFolder(f.dir.filePath(u"blocked"_s), u"BOOK"_s));
        f.form.StartBtn->click();
        QCOMPARE(f.platform.messages.texts(), QStringList{u"File access denied: BOOK.QVJ"_s});
        QVERIFY(!f.form.state().isProjectOpen());
        QCOMPARE(f.form.ProjectLbl->text(), u"None Selected"_s);
        QVERIFY(!f.form.EditBtn->isEnabled());
        QCOMPARE(QDir(f.dir.filePath(u"blocked"_s)).entryList(QDir::Files), QStringList());

        const QString folder = f.dir.filePath(u"books/first"_s);
        f.platform.modal.expect<TMakeDirForm>(answerNameAndFolder(folder, u"My Book"_s));
        f.form.StartBtn->click();
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({u"My Book.QVD"_s, u"My Book.QVJ"_s}));
        QCOMPARE(readBytes(QDir(folder).filePath(u"My Book.QVJ"_s)), defaultProjectBytes());
        QCOMPARE(f.form.ProjectLbl->text(), u"My Book"_s);
        QCOMPARE(QDir::current().absolutePath(), QDir(folder).absolutePath());
        QVERIFY(f.form.EditBtn->isEnabled() && f.form.CustChapBtn->isEnabled() &&
                f.form.CustBookBtn->isEnabled());
        QVERIFY(!f.form.AddBtn->isEnabled() && !f.form.ViewBtn->isEnabled() &&
                !f.form.PreviewBtn->isEnabled());
        QCOMPARE(f.form.focusWidget(), f.form.SelectBtn);
        QVERIFY(f.form.MenuPnl->isVisible());
    }

    // The dialog starts at home, then in the open project's folder; chapter files and a list
    // enable the rest; a cancelled dialog reads the open project again; a damaged project is
    // reported and the open one kept.
    void selectProject_opensItOrKeepsTheOpenOne()
    {
        Fixture f;
        QDir(f.dir.path()).mkdir(u"book"_s);
        const QString bookDir = f.dir.filePath(u"book"_s);
        writeBytes(bookDir + u"/story.qvj"_s, defaultProjectBytes());
        writeBytes(bookDir + u"/CH1.QLF"_s, "{\\rtf1 x}");
        f.platform.files.answer(bookDir + u"/story.qvj"_s);
        f.form.SelectBtn->click();
        QCOMPARE(f.platform.files.asked().first().filter, u"E-Book Project Files|*.QVJ"_s);
        QCOMPARE(f.platform.files.asked().first().folder, QDir::homePath()); // not the tool's
        QCOMPARE(f.form.state().ProjectFile, u"STORY.QVJ"_s);
        QCOMPARE(f.form.ProjectLbl->text(), u"STORY"_s);
        QVERIFY(f.form.state().BookTitle.isEmpty());
        QVERIFY(f.form.AddBtn->isEnabled());
        QVERIFY(!f.form.DeleteBtn->isEnabled());
        QCOMPARE(f.form.focusWidget(), f.form.AddBtn);

        writeBytes(bookDir + u"/STORY.QVC"_s, chapterBytes("One", "CH1.QLF", "STORY.QVD"));
        f.form.UpdateButtons();
        for (QPushButton* button :
             {f.form.ViewBtn, f.form.DeleteBtn, f.form.ReorgBtn, f.form.PreviewBtn, f.form.ExecBtn,
              f.form.DistribBtn, f.form.HypTextBtn})
            QVERIFY2(button->isEnabled(), qPrintable(button->text()));

        QByteArray changed = defaultProjectBytes();
        changed[279] = 3;
        changed.replace(280, 3, "New");
        writeBytes(bookDir + u"/story.qvj"_s, changed);
        f.platform.files.answer(QString()); // the dialog is cancelled
        f.form.SelectBtn->click();
        QCOMPARE(QDir(f.platform.files.asked().last().folder), QDir(bookDir));
        QCOMPARE(f.form.state().BookTitle, u"New"_s);
        QCOMPARE(f.form.ProjectLbl->text(), u"STORY"_s);
        QCOMPARE(f.form.focusWidget(), f.form.AddBtn);

        QDir(f.dir.path()).mkdir(u"bad"_s);
        writeBytes(f.dir.filePath(u"bad/BAD.QVJ"_s), "2.1 short");
        f.platform.files.answer(f.dir.filePath(u"bad/BAD.QVJ"_s));
        f.form.SelectBtn->click();
        QCOMPARE(f.platform.messages.texts(), QStringList{u"Read beyond end of file: BAD.QVJ"_s});
        QCOMPARE(f.platform.messages.shown().first().kind, MessageKind::Error);
        QCOMPARE(f.form.state().ProjectFile, u"STORY.QVJ"_s);
        QCOMPARE(f.form.ProjectLbl->text(), u"STORY"_s);
        QCOMPARE(QDir::current().absolutePath(), QDir(bookDir).absolutePath());
        QCOMPARE(readBytes(f.dir.filePath(u"bad/BAD.QVJ"_s)), QByteArray("2.1 short"));
        QVERIFY(f.form.MenuPnl->isVisible());
    }

    // A project named on the command line that is missing is reported. A presentation the disk
    // refused to save is not kept in memory either: the next build would carry what the project
    // file lacks.
    void projectArgument_andARefusedPresentationSave()
    {
        Fixture f;
        writeBytes(f.dir.filePath(u"SEA.QVJ"_s), defaultProjectBytes());
        f.form.OpenProjectFile(f.dir.filePath(u"missing.qvj"_s));
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{u"Cannot open file "_s + f.dir.filePath(u"missing.qvj"_s)});
        QVERIFY(!f.form.state().isProjectOpen());
        f.platform.messages.clear();

        f.form.OpenProjectFile(f.dir.filePath(u"SEA.QVJ"_s)); // opened as Select opens it
        QVERIFY(f.form.EditBtn->isEnabled() && f.form.CustBookBtn->isEnabled());
        const QByteArray before = readBytes(f.dir.filePath(u"SEA.QVJ"_s));
        std::optional<FileSizeLimit> full;
        f.platform.modal.expect<TProgConfigForm>([&full](TProgConfigForm& config) {
            config.Edit1->setText(u"Lost Voyages"_s);
            full.emplace(64); // the disk fills while the window is open
            QTest::mouseClick(config.BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(f.form.CustBookBtn, Qt::LeftButton);
        full.reset();
        QCOMPARE(f.platform.messages.texts(), QStringList{u"Disk full: SEA.QVJ"_s});
        QCOMPARE(readBytes(f.dir.filePath(u"SEA.QVJ"_s)), before);
        QCOMPARE(f.form.state().Project.Config.BookTitle.text(), QString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
