// The platform layers: help topics, message texts, dialog filters, F1 help, file lists, documents.
#include "doubles.h"
#include "testdir.h"

#include "core/services/helptopics.h"
#include "platform/documents.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/help.h"
#include "platform/helpviewer.h"
#include "platform/qtmessageboxes.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    // The help file splits into topics by section, and the tool's file has a topic for every
    // context the tool passes.
    void helpTopics_splitBySectionAndCoverEveryContext()
    {
        const HelpTopics topics = HelpTopics::fromHtml(QStringLiteral(
            "<html><body><section id=\"1\"><h2>Contents</h2><a href=\"#120\">x</a></section>\n"
            "<section id=\"120\"><h2>Select an "
            "<b>E-Book</b></h2><p>Pick.</p></section></body></html>"));
        QCOMPARE(topics.contexts(), QList<int>({1, 120}));
        QCOMPARE(topics.title(120), u"Select an E-Book"_s);
        QVERIFY(topics.topicHtml(120).contains(u"<p>Pick.</p>"_s));
        QVERIFY(topics.topicHtml(999).isEmpty());

        const HelpTopics plain = HelpTopics::fromHtml(u"<p>Book help</p>"_s);
        QCOMPARE(plain.topicHtml(42), u"<p>Book help</p>"_s);

        QFile file(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/KESTRIN.HLP"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const HelpTopics tool = HelpTopics::fromHtml(QString::fromUtf8(file.readAll()));
        for (int context :
             {1,   80,  100, 105, 120, 140, 141, 144, 145, 150, 160, 161, 171, 170, 180, 200, 230,
              240, 245, 250, 257, 258, 260, 280, 290, 420, 425, 430, 440, 520, 530, 540, 545, 546,
              547, 560, 570, 580, 222, 223, 325, 410, 480, 485, 510, 255, 256, 500, 550, 590, 166,
              205, 210, 211, 212, 215, 475, 400, 405, 440, 220, 221, 465, 470, 450, 460})
            QVERIFY2(!tool.title(context).isEmpty(), qPrintable(QString::number(context)));
    }

    // The viewer shows a topic, or the contents for one it lacks. Help asked for in a modal window
    // opens above it and takes input, and goes with it.
    void helpViewer_fallsBackToContentsAndOpensAboveTheModalWindow()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"H.HLP"_s),
                   "<section id=\"1\"><h2>Contents</h2></section><section "
                   "id=\"7\"><h2>Seven</h2></section>");
        HelpViewer alone;
        QVERIFY(alone.loadFile(dir.filePath(u"H.HLP"_s)));
        alone.showTopic(7);
        QCOMPARE(alone.currentTopic(), 7);
        QCOMPARE(alone.windowTitle(), u"Help - Seven"_s);
        alone.showTopic(55);
        QCOMPARE(alone.currentTopic(), 1);
        QVERIFY(!alone.loadFile(dir.filePath(u"MISSING.HLP"_s)));

        ViewerHelpService help;
        help.setHelpFile(dir.filePath(u"H.HLP"_s));
        QPointer<QDialog> dialog = new QDialog;
        dialog->setModal(true);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        help.showHelp(7);
        auto* viewer = dialog->findChild<HelpViewer*>();
        QVERIFY(viewer && viewer->isWindow() && viewer->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QCOMPARE(viewer->currentTopic(), 7);
        const QPointer<HelpViewer> alive = viewer;
        delete dialog;
        QVERIFY(!alive);
        help.showHelp(1); // the next request makes a new window of its own
        QTRY_VERIFY(QApplication::activeWindow() &&
                    QApplication::activeWindow()->objectName() == QLatin1String("HelpViewer"));
        QVERIFY(!QApplication::activeWindow()->parentWidget());
        delete QApplication::activeWindow();
    }

    // A line feed and carriage return show as one break. Enter presses a question's default
    // button: No where Yes would throw the author's work away.
    void messageBoxes_oneBreakAndEnterPressesTheDefaultButton()
    {
        QCOMPARE(QtMessageBoxes::displayText(u"a\n\r\n\rb"_s), u"a\n\nb"_s);
        QtMessageBoxes boxes;
        const std::pair<MessageKind, MessageAnswer> cases[] = {
            {MessageKind::Confirm, MessageAnswer::Yes},
            {MessageKind::ConfirmDiscard, MessageAnswer::No}};
        for (const auto& [kind, answer] : cases) {
            QTimer::singleShot(0, [] {
                QWidget* box = QApplication::activeModalWidget();
                QVERIFY(box);
                QTest::keyClick(box, Qt::Key_Return);
            });
            QCOMPARE(boxes.show(kind, u"Close anyway?"_s), answer);
        }
    }

    void fileDialogFilter_matchesBothCases()
    {
        QCOMPARE(QtFileDialogs::qtFilter(u"Graphic Files|*.BMP;*.JPG"_s),
                 u"Graphic Files (*.BMP *.bmp *.JPG *.jpg)"_s);
        QCOMPARE(QtFileDialogs::qtFilter(u"A|*.a|B|*.b"_s), u"A (*.A *.a);;B (*.B *.b)"_s);
    }

    // A control without a help context of its own opens its window's (a control's own context
    // is pressed in tst_mainwindow).
    void f1_opensHelpAtTheNearestContext()
    {
        PlatformDoubles platform;
        InstallF1Help(*qApp);
        QWidget window;
        SetHelpContext(&window, 105);
        auto* edit = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(platform.help.contexts(), QList<int>{105});
    }

    void fileLists_followEachOther()
    {
        CurrentTempDir dir;
        QDir(dir.path()).mkpath(u"sub/deeper"_s);
        writeBytes(dir.filePath(u"sub/a.bmp"_s), "x");
        writeBytes(dir.filePath(u"sub/b.JPG"_s), "x");
        writeBytes(dir.filePath(u"sub/c.txt"_s), "x");
        DirectoryListBox folders;
        FileListBox files;
        files.setMask(u"*.BMP;*.JPG"_s);
        folders.setFileList(&files);
        folders.setDirectory(dir.filePath(u"sub"_s));
        QCOMPARE(folders.count(), 2); // ".." and "deeper"
        QCOMPARE(files.count(), 2);

        // Files and folders chosen with the keys count as clicked.
        QStringList chosen;
        connect(&files, &FileListBox::fileClicked, &files,
                [&chosen](const QString& name) { chosen << name; });
        files.show();
        QTest::keyClick(&files, Qt::Key_Down);
        QTest::keyClick(&files, Qt::Key_Down);
        QCOMPARE(chosen, QStringList({u"a.bmp"_s, u"b.JPG"_s}));
        QLineEdit folderEdit;
        folders.bindFolderEdit(&folderEdit);
        folders.show();
        QTest::keyClick(&folders, Qt::Key_Down); // the first key makes ".." current
        QTest::keyClick(&folders, Qt::Key_Down);
        QCOMPARE(folderEdit.text(), dir.filePath(u"sub/deeper"_s));

        QTest::keyClick(&folders, Qt::Key_Home); // ".." and Enter go up
        QTest::keyClick(&folders, Qt::Key_Return);
        QCOMPARE(folders.directory(), QDir(dir.path()).absolutePath());
        QCOMPARE(files.count(), 0);
    }

    // Pages of the book and addresses go to the desktop's opener; a page that is not there, an
    // opener that fails and a desktop without one are told, never passed over.
    void documents_openedByTheDesktopOrTold()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"page.htm"_s), "<p>");
        QTemporaryDir tools;
        const QString log = tools.filePath(u"opened.log"_s);
        writeBytes(tools.filePath(u"xdg-open"_s),
                   "#!/bin/sh\necho \"$1\" >> \"" + log.toUtf8() +
                       "\"\ncase \"$1\" in *nowhere*) exit 4;; esac\n");
        QFile::setPermissions(tools.filePath(u"xdg-open"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", tools.path().toUtf8() + ":/usr/bin:/bin");
        DesktopDocumentOpener opener;
        opener.open(u"PAGE.HTM"_s);
        opener.open(u"https://example.org/a b"_s);
        opener.open(u"GONE.HTM"_s);
        opener.open(u"https://nowhere.example/"_s);
        QTRY_COMPARE(QString::fromUtf8(readBytes(log)).split(u'\n', Qt::SkipEmptyParts).size(), 3);
        QTRY_COMPARE(platform.messages.texts(),
                     QStringList({u"The file GONE.HTM is missing"_s,
                                  u"The file https://nowhere.example/ could not be opened."_s}));
        QStringList opened = QString::fromUtf8(readBytes(log)).split(u'\n', Qt::SkipEmptyParts);
        opened.sort(); // the openers run side by side
        QCOMPARE(opened, QStringList({dir.filePath(u"page.htm"_s), u"https://example.org/a b"_s,
                                      u"https://nowhere.example/"_s}));
        platform.messages.clear();
        qputenv("PATH", tools.filePath(u"none"_s).toUtf8());
        opener.open(u"page.htm"_s);
        QTRY_COMPARE(platform.messages.texts(),
                     QStringList{u"The file page.htm could not be opened."_s});
        qputenv("PATH", path);
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
