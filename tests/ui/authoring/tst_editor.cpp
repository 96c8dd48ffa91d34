// The chapter editor, its name dialog, the definition viewer and the tutorial window.
#include "doubles.h"
#include "filesizelimit.h"
#include "testdir.h"

#include "core/project/chaptersave.h"
#include "core/richtext/rtfreader.h"
#include "platform/finddialog.h"
#include "preview/richedit.h"
#include "ui/authoring/chapeditform.h"
#include "ui/authoring/gettextform.h"
#include "ui/authoring/hypeditform.h"
#include "ui/authoring/linkdefiner.h"
#include "ui/authoring/tutorialform.h"
#include "ui/common/colourlist.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

std::function<void(TGetTextForm&)> saveAs(const QString& name)
{
    return [name](TGetTextForm& form) {
        QCOMPARE(form.Label1->text(), QStringLiteral("Save Chapter file as :"));
        form.Edit1->setText(name);
        form.SaveBtn->click();
    };
}

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT

private slots:
    void chapterFileName_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("saved");
        QTest::newRow("extension replaced")
            << QStringLiteral("Chapter 1.txt") << QStringLiteral("Chapter 1.QLF");
        QTest::newRow("folder dropped")
            << QStringLiteral("C:\\TEMP\\INTRO") << QStringLiteral("INTRO.QLF");
        QTest::newRow("colon ends the folder")
            << QStringLiteral("A:NOTES") << QStringLiteral("NOTES.QLF");
        QTest::newRow("refused") << QStringLiteral("a*b") << QString();
        QTest::newRow("blanks and dots allowed")
            << QStringLiteral("my.story v2") << QStringLiteral("my.QLF");
    }
    void chapterFileName()
    {
        QFETCH(QString, entered);
        QFETCH(QString, saved);
        QCOMPARE(ChapterFileName(entered).value_or(QString()), saved);
    }

    void openFile_asksBeforeReplacingChangedText()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("other.txt")), "other words");
        TChapEditForm editor;
        editor.show();
        editor.RichEdit1->setFocus();
        QTest::keyClicks(editor.RichEdit1, QStringLiteral("unsaved"));
        const QString question =
            QStringLiteral("The file has been changed.\n\r\n\rOpen another file anyway?");
        platform.messages.answer(MessageAnswer::No);
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QCOMPARE(platform.messages.texts(), QStringList{question});
        QCOMPARE(editor.RichEdit1->toPlainText(), QStringLiteral("unsaved"));

        platform.messages.clear();
        platform.messages.answer(MessageAnswer::Yes);
        platform.files.answer(dir.filePath(QStringLiteral("other.txt")));
        QTest::mouseClick(editor.ImportBtn, Qt::LeftButton);
        QCOMPARE(platform.messages.texts(), QStringList{question});
        QCOMPARE(editor.RichEdit1->toPlainText(), QStringLiteral("other words"));
    }

    void save_writesRichTextAndReports()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("notes.txt")), "plain words");
        TChapEditForm editor;
        platform.files.answer(dir.filePath(QStringLiteral("notes.txt")));
        editor.ImportBtn->click();
        QCOMPARE(editor.Label2->text(), QStringLiteral("notes.txt"));
        QVERIFY(!editor.RichEdit1->modified());

        platform.modal.expect<TGetTextForm>([](TGetTextForm& form) {
            QCOMPARE(form.Edit1->text(), QStringLiteral("notes.txt"));
            form.Edit1->setText(QStringLiteral("Chapter 1.txt"));
            form.SaveBtn->click();
        });
        editor.SaveasBtn->click();
        const QByteArray saved = readBytes(dir.filePath(QStringLiteral("Chapter 1.QLF")));
        QVERIFY(LooksLikeRtf(saved));
        QVERIFY(saved.contains("plain words"));
        QCOMPARE(editor.Label2->text(), QStringLiteral("Chapter 1.QLF"));
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Chapter 1.QLF has been saved.")});

        platform.messages.clear();
        platform.modal.expect<TGetTextForm>(saveAs(QStringLiteral("a*b")));
        editor.SaveasBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("a*b is not a valid file name")});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::Error);
        QCOMPARE(dir.entries(),
                 QStringList({QStringLiteral("Chapter 1.QLF"), QStringLiteral("notes.txt")}));

        // Another chapter's file is replaced only after a question whose default is No; the
        // file being edited is saved again without one.
        platform.messages.clear();
        writeBytes(dir.filePath(QStringLiteral("Other.QLF")), "{\\rtf1 other chapter}");
        platform.modal.expect<TGetTextForm>(saveAs(QStringLiteral("other")));
        platform.messages.answer(MessageAnswer::No);
        editor.SaveasBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral(
                     "The file Other.QLF already exists.\n\r\n\rDo you want to replace it?")});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::ConfirmDiscard);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("Other.QLF"))),
                 QByteArray("{\\rtf1 other chapter}"));
        platform.messages.clear();
        platform.modal.expect<TGetTextForm>(saveAs(QStringLiteral("Chapter 1")));
        editor.SaveasBtn->click();
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Chapter 1.QLF has been saved.")});

        // On a full disk the chapter stays as it was saved, and the author is told why.
        platform.messages.clear();
        const QByteArray kept = readBytes(dir.filePath(QStringLiteral("Chapter 1.QLF")));
        QTest::keyClicks(editor.RichEdit1, QStringLiteral(" and more"));
        platform.modal.expect<TGetTextForm>(saveAs(QStringLiteral("Chapter 1")));
        {
            const FileSizeLimit full(64);
            editor.SaveasBtn->click();
        }
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Disk full: Chapter 1.QLF")});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("Chapter 1.QLF"))), kept);
        QVERIFY(editor.RichEdit1->modified());
        platform.messages.clear();
        platform.modal.expect<TGetTextForm>(saveAs(QStringLiteral("Chapter 1")));
        editor.SaveasBtn->click(); // with room again
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Chapter 1.QLF has been saved.")});

        // A file that cannot be read gives a message and the text stays.
        platform.messages.clear();
        platform.files.answer(dir.filePath(QStringLiteral("gone.rtf")));
        editor.ImportBtn->click();
        QCOMPARE(platform.messages.texts(), QStringList{QStringLiteral("Cannot open file ") +
                                                        dir.filePath(QStringLiteral("gone.rtf"))});
        QVERIFY(editor.RichEdit1->toPlainText().contains(QStringLiteral("plain words")));
    }

    void close_asksOnlyWhenChanged()
    {
        PlatformDoubles platform;
        TChapEditForm editor;
        editor.show();
        editor.OKBtn->click();
        QVERIFY(!editor.isVisible());
        QVERIFY(platform.messages.shown().isEmpty());

        editor.show();
        editor.RichEdit1->insertPlainText(QStringLiteral("new text"));
        platform.messages.answer(MessageAnswer::No);
        editor.OKBtn->click();
        QVERIFY(editor.isVisible());
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The file has been changed.\n\r\n\rClose anyway?")});
        QCOMPARE(platform.messages.shown().last().kind, MessageKind::ConfirmDiscard);
        platform.messages.answer(MessageAnswer::Yes);
        editor.OKBtn->click();
        QVERIFY(!editor.isVisible());
        QCOMPARE(platform.messages.texts().size(), 2); // asked again, and this time closed
    }

    void toolbar_showsUniformAttributesAndApplies()
    {
        PlatformDoubles platform;
        TChapEditForm editor;
        QCOMPARE(editor.sizeCombo->currentText(), QStringLiteral("10"));
        QCOMPARE(editor.ColorCombo->currentIndex(), 1); // black
        editor.RichEdit1->loadContent(
            "{\\rtf1 {\\fonttbl{\\f0 Arial;}}\\f0\\fs24 plain \\b\\ul bold\\b0\\ulnone  end}");
        QTextCursor cursor = editor.RichEdit1->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(editor.BtnB->isChecked() && editor.BtnH->isChecked() && !editor.BtnI->isChecked());
        QCOMPARE(editor.sizeCombo->currentText(), QStringLiteral("12"));

        cursor.setPosition(0);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(!editor.BtnB->isChecked());
        editor.BtnI->click();
        editor.RichEdit1->setTextCursor(cursor);
        QVERIFY(editor.BtnI->isChecked());
        QVERIFY(!editor.BtnB->isChecked()); // still mixed: bold kept as it was
        editor.ColorCombo->setCurrentIndex(10);
        emit editor.ColorCombo->activated(10);
        editor.RichEdit1->setTextCursor(cursor);
        QCOMPARE(editor.ColorCombo->currentIndex(), 10);
        QCOMPARE(editor.focusWidget(), editor.RichEdit1);
    }

    void typedSizeAndFont_applyOnEnterWhichTogglesNoStyle()
    {
        PlatformDoubles platform;
        TChapEditForm editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.RichEdit1->setFocus();
        QTest::keyClicks(editor.RichEdit1, QStringLiteral("some words"));
        editor.RichEdit1->selectAll();
        const auto typeInto = [](QComboBox* box, const QString& text) {
            box->lineEdit()->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        };
        const auto format = [&editor] { return editor.RichEdit1->textCursor().charFormat(); };
        typeInto(editor.sizeCombo, QStringLiteral("13"));
        QCOMPARE(format().fontPointSize(), 13.0);
        QCOMPARE(editor.focusWidget(), editor.RichEdit1);
        typeInto(editor.sizeCombo, QStringLiteral("big"));
        QCOMPARE(format().fontPointSize(), 10.0);
        typeInto(editor.sizeCombo, QStringLiteral("24"));
        QCOMPARE(format().fontPointSize(), 24.0);
        const QString family = editor.FontNameCombo->itemText(editor.FontNameCombo->count() - 1);
        typeInto(editor.FontNameCombo, family.toLower());
        QCOMPARE(format().fontFamilies().toStringList(), QStringList{family});
        QTest::keyClick(editor.RichEdit1, Qt::Key_Return); // a new paragraph, not Bold
        QVERIFY(!editor.BtnB->isChecked());
        QCOMPARE(format().fontWeight(), int(QFont::Normal));
        QVERIFY(editor.isVisible());
    }

    void colourList_keysApplyColoursWithTheAutomaticOneFirst()
    {
        PlatformDoubles platform;
        TChapEditForm editor;
        editor.show();
        editor.RichEdit1->insertPlainText(QStringLiteral("word"));
        editor.RichEdit1->selectAll();
        const auto colour = [&editor] {
            return editor.RichEdit1->textCursor().charFormat().foreground();
        };
        QTest::keyClick(editor.ColorCombo, Qt::Key_End);
        QCOMPARE(colour().color(), QColor(Qt::white));
        QTest::keyClick(editor.ColorCombo, Qt::Key_Home); // the automatic colour comes first
        QCOMPARE(colour().style(), Qt::NoBrush);
        QTest::keyClick(editor.ColorCombo, Qt::Key_Down);
        QTest::keyClick(editor.ColorCombo, Qt::Key_Down);
        QCOMPARE(colour().color(), QColor(0x80, 0x00, 0x00));
        // The closed box shows the chosen colour's swatch.
        const QImage closed = editor.ColorCombo->grab().toImage();
        QCOMPARE(closed.pixelColor(closed.width() / 3, closed.height() / 2),
                 QColor(0x80, 0x00, 0x00));
    }

    void defineHyperText_viewerDefinesClickedPhrases()
    {
        struct Recorder : LinkDefiner
        {
            QStringList phrases;
            void define(const QString& phrase) override { phrases << phrase; }
        } recorder;
        ScopedService<LinkDefinerSlot, LinkDefiner> guard(recorder);
        PlatformDoubles platform;
        TChapEditForm editor;
        editor.RichEdit1->loadContent("{\\rtf1 the \\ul North Sea\\ulnone  ferry}");
        editor.RichEdit1->insertPlainText(QStringLiteral("x"));
        platform.modal.expect<ThypeditForm>([](ThypeditForm& viewer) {
            QVERIFY(viewer.RichEdit1->isReadOnly());
            QTextCursor cursor = viewer.RichEdit1->textCursor();
            cursor.setPosition(int(QStringLiteral("xthe Nor").size()));
            viewer.RichEdit1->setTextCursor(cursor);
            viewer.RichEdit1MouseDown();
            cursor.setPosition(2);
            viewer.RichEdit1->setTextCursor(cursor);
            viewer.RichEdit1MouseDown();
            viewer.CloseBtn->click();
        });
        editor.Button1->click();
        QCOMPARE(recorder.phrases, QStringList{QStringLiteral("North Sea")});
        QVERIFY(editor.RichEdit1->modified());
        QVERIFY(editor.RichEdit1->toPlainText().startsWith(QStringLiteral("xthe")));
    }

    void tutorial_findText()
    {
        PlatformDoubles platform;
        TTutorialForm tutorial(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/KESTRIN.RTF"));
        QVERIFY(tutorial.RichEdit1->toPlainText().contains(QStringLiteral("Quorelle")));
        QTextCursor cursor = tutorial.RichEdit1->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        tutorial.RichEdit1->setTextCursor(cursor);
        tutorial.FindClick();
        QCOMPARE(tutorial.FindDialog1->findText(), QStringLiteral("Quorelle"));
        cursor.setPosition(0);
        cursor.setPosition(40, QTextCursor::KeepAnchor);
        tutorial.RichEdit1->setTextCursor(cursor);
        tutorial.FindClick();
        QCOMPARE(tutorial.FindDialog1->findText(),
                 QStringLiteral("Quorelle")); // a long selection keeps it

        cursor.setPosition(0);
        tutorial.RichEdit1->setTextCursor(cursor);
        QVERIFY(tutorial.RichEdit1->findNext(QStringLiteral("TUTORIAL")));
        const int first = tutorial.RichEdit1->textCursor().selectionStart();
        QVERIFY(tutorial.RichEdit1->findNext(QStringLiteral("tutorial")));
        QVERIFY(tutorial.RichEdit1->textCursor().selectionStart() > first);
        cursor.movePosition(QTextCursor::End);
        tutorial.RichEdit1->setTextCursor(cursor);
        QVERIFY(!tutorial.RichEdit1->findNext(QStringLiteral("Quorelle"))); // no wrap
    }
};

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
