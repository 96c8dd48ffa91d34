// The link dialog through its windows: every kind of link defined with the keys and the mouse,
// the sections it writes, edits in place, the refusals, and what a click on each phrase does.
#include "clicks.h"
#include "doubles.h"
#include "mediarecorder.h"
#include "screenshots.h"
#include "spellingmarks.h"
#include "testbook.h"

#include "core/book/booksource.h"
#include "core/sections/alttext.h"
#include "core/sections/booklanguage.h"
#include "core/sections/hypertext.h"
#include "platform/filelists.h"
#include "preview/entrydispatch.h"
#include "preview/hnotesform.h"
#include "preview/previewcontext.h"
#include "preview/richedit.h"
#include "preview/showhtextform.h"
#include "preview/txtvpdispform.h"
#include "ui/authoring/hypaddform.h"
#include "ui/authoring/hypentryform.h"
#include "ui/authoring/hypermenuform.h"
#include "ui/authoring/hypmenuform.h"
#include "ui/authoring/notefileform.h"
#include "ui/common/buttlistform.h"
#include "ui/common/exechoiceform.h"
#include "ui/common/getexeform.h"
#include "ui/common/getfileform.h"
#include "ui/common/getgraphicform.h"
#include "ui/common/getgraudioform.h"
#include "ui/common/getwinexeform.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Row
{
    TextOnly,
    GraphicOnly,
    Voice,
    Executable,
    GraphicText,
    GraphicSound,
    Video,
    Midi,
    Notepad
};

void choose(THypMenuForm& form, Row row)
{
    QRadioButton* button = form.RadioButtons[row];
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The project of a book with a file of every kind the links name.
struct LinkBook : TestBook
{
    LinkBook()
    {
        for (const char* name :
             {"SEA.JPG", "HORN.WAV", "FILM.AVI", "TUNE.MID", "GAME.EXE", "PAGE.HTM", "NOTES.TXT"})
            writeBytes(dir.filePath(QString::fromLatin1(name)), "x");
    }
    QByteArray hyperText() const { return readBytes(dir.filePath(u"BOOK.QVR"_s)); }
};

// Defines a link for the phrase: chooses the row, presses Add, lets `script` work the kind's
// window(s), and saves with Alt+S.
template <class Window>
void defineLink(PlatformDoubles& platform, const QString& phrase, Row row,
                std::function<void(Window&)> script)
{
    platform.modal.expect<THypMenuForm>([row](THypMenuForm& form) {
        QVERIFY(QTest::qWaitForWindowActive(&form));
        choose(form, row);
        click(form.Buttons[row]);
        form.activateWindow(); // back from the kind's window, as a window manager gives it
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!form.isVisible());
    });
    platform.modal.expect<Window>(script);
    DefineLink(u"BOOK.QVR"_s, phrase);
}

template <class Picker>
void defineExecutable(PlatformDoubles& platform, const QString& phrase, int choice,
                      std::function<void(Picker&)> pickerScript)
{
    platform.modal.expect<THypMenuForm>([](THypMenuForm& form) {
        choose(form, Executable);
        click(form.Buttons[Executable]);
        click(form.OKBtn);
    });
    platform.modal.expect<TExeChoiceForm>([choice](TExeChoiceForm& c) {
        c.RadioButtons[choice]->click();
        click(c.AddButtons[choice]);
        click(c.OKBtn);
    });
    platform.modal.expect<Picker>(pickerScript);
    DefineLink(u"BOOK.QVR"_s, phrase);
}

void typeText(THypEntryForm& editor, const QString& text)
{
    editor.RichEdit1->setFocus();
    QTest::keyClicks(editor.RichEdit1, text);
    KeepScreenshot(editor, editor.AdjustBtn->text().contains(u"Design"_s)
                               ? u"THypEntryForm-display"_s
                               : u"THypEntryForm-text"_s);
    click(editor.OKBtn);
}

} // namespace

class LinkDialogTest : public QObject
{
    Q_OBJECT

private slots:
    // Every kind is defined through its window. A link's text is spelt in the book's language as
    // it is typed, beside a Language box of its own; a right click puts a spelling in place of a
    // word, and the marks are never saved. A click on each phrase then does what the reader's
    // click does.
    void everyKind_isDefinedThroughItsWindowAndPlaysAsTheReaderClicks()
    {
        PlatformDoubles platform;
        LinkBook book;
        WriteBookLanguage(u"BOOK.QVR"_s, u"de"_s);
        defineLink<THypEntryForm>(platform, u"Note"_s, TextOnly, [](THypEntryForm& editor) {
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            editor.RichEdit1->setFocus();
            QTest::keyClicks(editor.RichEdit1, u"Die Flut kommt morgn."_s);
            QTRY_COMPARE(MarkedWords(editor.RichEdit1), QStringList{u"morgn"_s});
            QComboBox* language = nullptr;
            for (QComboBox* box : editor.findChildren<QComboBox*>()) {
                if (box->accessibleName() == u"Language"_s)
                    language = box;
            }
            QVERIFY(language && language->isVisible());
            for (QWidget* other : editor.findChildren<QWidget*>()) {
                if (other->isVisible() && other->parentWidget() == &editor && other != language)
                    QVERIFY2(!other->geometry().intersects(language->geometry()),
                             other->metaObject()->className());
            }
            KeepScreenshot(editor, u"THypEntryForm-spelling"_s);
            ChooseOnRightClick(editor.RichEdit1,
                               editor.RichEdit1->toPlainText().indexOf(u"morgn"_s), u"morgen"_s);
            QTRY_VERIFY(MarkedWords(editor.RichEdit1).isEmpty());
            click(editor.OKBtn);
        });
        defineLink<TGetGraphicForm>(platform, u"Sunrise"_s, GraphicOnly, [](TGetGraphicForm& p) {
            p.Edit2->setText(u"30"_s);
            click(p.OKBtn);
        });
        defineLink<TGetFileForm>(platform, u"Horn"_s, Voice,
                                 [](TGetFileForm& p) { click(p.OKBtn); });
        defineLink<THypEntryForm>(platform, u"Chart"_s, GraphicText,
                                  [](THypEntryForm& e) { typeText(e, u"the chart"_s); });
        defineLink<TGetGrAudioForm>(platform, u"Sun and wave"_s, GraphicSound,
                                    [](TGetGrAudioForm& p) { click(p.OKBtn); });
        defineLink<TGetFileForm>(platform, u"Film"_s, Video,
                                 [](TGetFileForm& p) { click(p.OKBtn); });
        defineLink<TGetFileForm>(platform, u"Tune"_s, Midi,
                                 [](TGetFileForm& p) { click(p.OKBtn); });
        defineLink<TNoteFileForm>(platform, u"Notes"_s, Notepad, [](TNoteFileForm& n) {
            QTest::keyClicks(n.Edit1, u"NOTES.TXT"_s);
            click(n.OKBtn);
        });
        // The three kinds behind " Executable": the choice window, then its picker.
        defineExecutable<TGetExeForm>(platform, u"Game"_s, 0, [](TGetExeForm& p) {
            p.Edit1->setText(u"GAME.EXE"_s);
            p.Edit2->setText(u"-x"_s);
            click(p.OKBtn);
        });
        defineExecutable<TGetWinExeForm>(platform, u"Letter"_s, 1, [](TGetWinExeForm& p) {
            QTest::keyClicks(p.Edit1, u"write notes.txt"_s);
            click(p.OKBtn);
        });
        defineExecutable<TGetFileForm>(platform, u"Page"_s, 2, [](TGetFileForm& p) {
            emit p.FileListBox1->fileClicked(u"PAGE.HTM"_s);
            click(p.OKBtn);
        });

        const QString sections = QString::fromLatin1(book.hyperText());
        const auto simple = [](const char* phrase, int type, const char* command) {
            return u"[%1]\r\nsource=HYPER\r\ntype=%2\r\ncommand=%3\r\n]\r\n\r\n"_s
                .arg(QLatin1String(phrase))
                .arg(type)
                .arg(QLatin1String(command));
        };
        for (const QString& expected :
             {simple("Sunrise", 2, "SEA.JPG,30"), simple("Horn", 3, "HORN.WAV"),
              simple("Sun and wave", 6, "SEA.JPG,HORN.WAV,0"), simple("Film", 7, "FILM.AVI"),
              simple("Tune", 8, "TUNE.MID"), simple("Notes", 13, "NOTES.TXT"),
              simple("Game", 4, "GAME.EXE,-x"), simple("Letter", 9, "WRITE NOTES.TXT"),
              simple("Page", 10, "PAGE.HTM")})
            QVERIFY2(sections.contains(expected), qPrintable(expected + sections));
        QVERIFY(sections.contains(u"[Note]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=0\r\n"_s));
        QVERIFY(sections.contains(u"[Chart]\r\nsource=HYPER\r\ntype=5\r\n"_s));
        QVERIFY2(sections.contains(u"Die Flut kommt morgen."_s), qPrintable(sections));
        QVERIFY(!sections.contains(u"\\ul"_s));

        MediaRecorder media;
        ProjectBookSource source(book.state);
        platform.modal.expect<TShowHTextForm>([](TShowHTextForm& popup) { popup.reject(); });
        platform.modal.expect<TTxtVPDispForm>([](TTxtVPDispForm& screen) { screen.reject(); });
        platform.modal.expect<THNotesForm>([](THNotesForm& notepad) { notepad.reject(); });
        for (const char* phrase : {"note", "SUNRISE", "Horn", "Chart", "Sun and wave", "Film",
                                   "Tune", "Notes", "Game", "Letter", "Page"}) {
            QStringList lines;
            QVERIFY(source.hyperEntry(QString::fromLatin1(phrase), lines));
            ShowEntry(lines, nullptr);
        }
        QCOMPARE(media.calls, QStringList({u"show Sunrise: SEA.JPG,30"_s, u"show Horn: HORN.WAV"_s,
                                           u"show Sun and wave: SEA.JPG,HORN.WAV,0"_s,
                                           u"show Film: FILM.AVI"_s, u"show Tune: TUNE.MID"_s,
                                           u"run 4: GAME.EXE,-x"_s, u"run 9: WRITE NOTES.TXT"_s}));
        QCOMPARE(platform.documents.opened(), QStringList{u"PAGE.HTM"_s});
    }

    // An edit replaces the link in place, with the alternative text typed where its picture is
    // chosen. Another kind chosen and its windows left without data keeps the link what it was:
    // the program choice closed with OK before any program was picked, and the notepad name
    // (which offers no other kind's file) cancelled. The alternative text is read back when the
    // link is edited, and goes when the link becomes one without media.
    void edits_replaceInPlaceAndUnfinishedKindsLeaveTheLink()
    {
        PlatformDoubles platform;
        LinkBook book;
        AddEntry(u"BOOK.QVR"_s, u"First"_s, 3, u"HORN.WAV"_s, kHyperSource);
        AddEntry(u"BOOK.QVR"_s, u"Sunrise"_s, 2, u"SEA.JPG,30"_s, kHyperSource);
        AddEntry(u"BOOK.QVR"_s, u"Last"_s, 3, u"HORN.WAV"_s, kHyperSource);
        const QByteArray before = book.hyperText();
        platform.modal.expect<THypMenuForm>([](THypMenuForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.Label1->text(), u"HyperLink Phrase"_s);
            QVERIFY(form.RadioButtons[GraphicOnly]->isChecked());
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier); // saved unchanged
            QTRY_VERIFY(!form.isVisible());
        });
        DefineLink(u"BOOK.QVR"_s, u"SUNRISE"_s);
        QCOMPARE(book.hyperText(), QByteArray(before).replace("[Sunrise]", "[SUNRISE]"));

        // Voice Only becomes Graphic Only in its place, with its alternative text.
        const QString words = u"Sunrise over the sea \u2014 \u65e5\u306e\u51fa"_s;
        platform.modal.expect<THypMenuForm>([&words](THypMenuForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            choose(form, GraphicOnly);
            QVERIFY(form.AltTextEdit->isEnabled());
            QTest::keyClick(&form, Qt::Key_T, Qt::AltModifier);
            QTRY_VERIFY(form.AltTextEdit->hasFocus());
            type(form.AltTextEdit, words);
            KeepScreenshot(form, u"THypMenuForm-alt-text"_s);
            click(form.Buttons[GraphicOnly]);
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!form.isVisible());
        });
        platform.modal.expect<TGetGraphicForm>([](TGetGraphicForm& p) { click(p.OKBtn); });
        DefineLink(u"BOOK.QVR"_s, u"first"_s);
        const QByteArray changed = book.hyperText();
        QVERIFY(changed.startsWith(
            "\xEF\xBB\xBF[first]\r\nsource=HYPER\r\ntype=2\r\n"
            "command=SEA.JPG,0\r\n]\r\n\r\n")); // the alternative text needs UTF-8
        QCOMPARE(changed.count("[first]") + changed.count("[First]"), 1);
        QCOMPARE(AltText(u"BOOK.QVR"_s, u"FIRST"_s), words);
        QVERIFY(QString::fromUtf8(changed).contains(
            u"[^ALTTEXT^]\r\nsource=BOOK\r\nphrase=first\r\ntext="_s + words + u"\r\n]\r\n"_s));

        for (const Row row : {Executable, Notepad}) {
            platform.modal.expect<THypMenuForm>([row](THypMenuForm& form) {
                choose(form, row);
                click(form.Buttons[row]);
                click(form.OKBtn);
                QVERIFY(form.isVisible());
                click(form.CancelBtn);
            });
            if (row == Executable) {
                platform.modal.expect<TExeChoiceForm>([](TExeChoiceForm& c) { click(c.OKBtn); });
            } else {
                platform.modal.expect<TNoteFileForm>([](TNoteFileForm& n) {
                    QCOMPARE(n.Edit1->text(), QString());
                    QTest::keyClick(&n, Qt::Key_Escape);
                });
            }
            DefineLink(u"BOOK.QVR"_s, u"Last"_s);
            QCOMPARE(platform.messages.texts(), QStringList{u"No data has been entered."_s});
            platform.messages.clear();
        }
        QCOMPARE(book.hyperText(), changed);

        platform.modal.expect<THypMenuForm>([&words](THypMenuForm& form) {
            QCOMPARE(form.AltTextEdit->text(), words);
            choose(form, TextOnly);
            QVERIFY(!form.AltTextEdit->isEnabled());
            click(form.Buttons[TextOnly]);
            click(form.OKBtn);
        });
        platform.modal.expect<THypEntryForm>([](THypEntryForm& e) { typeText(e, u"text"_s); });
        DefineLink(u"BOOK.QVR"_s, u"FIRST"_s);
        QCOMPARE(AltTexts(u"BOOK.QVR"_s), (QHash<QString, QString>{}));
    }

    // A new phrase's dialog saved at once says there is no data, and so does a program kind
    // whose row is chosen again after its program; cancelled, it writes nothing. A damaged
    // section opens as a new link.
    void newLink_noDataAndDamagedSections()
    {
        PlatformDoubles platform;
        LinkBook book;
        platform.modal.expect<THypMenuForm>([&platform](THypMenuForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.Label1->text(), u"HyperText Link"_s);
            QCOMPARE(form.GroupBox1->title(), u" Select HyperText type "_s);
            QVERIFY(form.RadioButtons[TextOnly]->isChecked() &&
                    form.Buttons[TextOnly]->isEnabled());
            QVERIFY(!form.Buttons[GraphicOnly]->isEnabled());
            QVERIFY(!form.AltTextEdit->isEnabled()); // Text Only shows no picture
            KeepScreenshot(form, u"THypMenuForm"_s);
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!platform.messages.shown().isEmpty()); // a mnemonic animates its click
            QVERIFY(form.isVisible());
            choose(form, Executable);
            click(form.Buttons[Executable]);
            choose(form, Executable); // type 9 came back; the button again means 4: no data
            click(form.OKBtn);
            QVERIFY(form.isVisible());
            QTest::keyClick(&form, Qt::Key_Escape);
        });
        platform.modal.expect<TExeChoiceForm>([](TExeChoiceForm& c) {
            c.RadioButtons[1]->click();
            click(c.AddButtons[1]);
            click(c.OKBtn);
        });
        platform.modal.expect<TGetWinExeForm>([](TGetWinExeForm& p) {
            QTest::keyClicks(p.Edit1, u"write notes.txt"_s);
            click(p.OKBtn);
        });
        DefineLink(u"BOOK.QVR"_s, u"Letter"_s);
        QCOMPARE(platform.messages.texts(), QStringList(2, u"No data has been entered."_s));
        QVERIFY(book.hyperText().isEmpty());
        QCOMPARE(CurrentHyperPhrase(), u"Letter"_s);

        platform.messages.clear();
        writeBytes(book.dir.filePath(u"BOOK.QVR"_s),
                   "[Odd]\r\nsource=HYPER\r\ntype=x2\r\ncommand=A\r\n]\r\n\r\n");
        platform.modal.expect<THypMenuForm>([](THypMenuForm& form) {
            QCOMPARE(form.Label1->text(), u"HyperText Link"_s);
            click(form.CancelBtn);
        });
        DefineLink(u"BOOK.QVR"_s, u"Odd"_s);
        QCOMPARE(platform.messages.texts(),
                 QStringList{
                     QStringLiteral("The HyperText link \"Odd\" is damaged ('x2' is not a valid "
                                    "integer value). It opens as a new link; Save replaces it.")});
    }

    void utilities_defineViewAndDeleteThroughTheChooser()
    {
        PlatformDoubles platform;
        LinkBook book;
        DialogEntryChooser chooser;
        ScopedService<ChooserSlot, EntryChooser> chooserInstalled(chooser);
        LinkDialogDefiner definer(book.state);
        ScopedService<LinkDefinerSlot, LinkDefiner> definerInstalled(definer);
        book.addChapter("One", "{\\rtf1 plain \\ul Sea\\ulnone  words}");
        book.addChapter("Two", "{\\rtf1 two}");
        Thypermenuform form(book.state);
        form.show();
        QVERIFY(!form.viewbtn->isEnabled() && !form.deleteBtn->isEnabled()); // no links yet
        const QString unlinked = u"1 HyperText phrase has no link: Sea"_s;
        QCOMPARE(form.UnlinkedLbl->text(), unlinked);
        QVERIFY(form.UnlinkedLbl->isVisible());
        KeepScreenshot(form, u"Thypermenuform"_s);

        // Add: the chapter, then a press on the phrase in its text opens the link dialog.
        const auto firstLine = [](TButtListForm& list) { click(list.OKBitBtn); };
        platform.modal.expect<TButtListForm>([](TButtListForm& list) {
            QCOMPARE(list.windowTitle(), u"Select a Chapter with HyperText"_s);
            QCOMPARE(list.ListBox1->count(), 2);
            click(list.OKBitBtn);
        });
        platform.modal.expect<Thypaddform>([](Thypaddform& viewer) {
            QVERIFY(QTest::qWaitForWindowExposed(&viewer));
            KeepScreenshot(viewer, u"Thypaddform"_s);
            QTextCursor at(viewer.RichEdit1->document());
            at.setPosition(7); // inside "Sea"
            QTest::mouseClick(viewer.RichEdit1->viewport(), Qt::LeftButton, {},
                              viewer.RichEdit1->cursorRect(at).center());
            QTest::keyClick(&viewer, Qt::Key_Escape);
        });
        platform.modal.expect<THypMenuForm>([](THypMenuForm& link) {
            QCOMPARE(link.Edit1->text(), u"Sea"_s);
            choose(link, Notepad);
            click(link.Buttons[Notepad]);
            click(link.OKBtn);
        });
        platform.modal.expect<TNoteFileForm>([](TNoteFileForm& n) {
            QTest::keyClicks(n.Edit1, u"NOTES.TXT"_s);
            click(n.OKBtn);
        });
        click(form.AddBtn);
        QVERIFY(form.viewbtn->isEnabled() && form.deleteBtn->isEnabled());
        QVERIFY(!form.UnlinkedLbl->isVisible());
        QCOMPARE(book.hyperText(),
                 QByteArray("[Sea]\r\nsource=HYPER\r\ntype=13\r\ncommand=NOTES.TXT\r\n]\r\n\r\n"));

        // View shows the link as the reader sees it: the notepad on its file.
        platform.modal.expect<TButtListForm>(firstLine);
        platform.modal.expect<THNotesForm>([](THNotesForm& notepad) { notepad.reject(); });
        click(form.viewbtn);

        // Delete asks with the entry's name, then the file goes with its last link.
        platform.modal.expect<TButtListForm>(firstLine);
        platform.messages.answer(MessageAnswer::Yes);
        click(form.deleteBtn);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The \"Sea\" entry will be deleted.\n\rContinue?"_s});
        QVERIFY(!form.viewbtn->isEnabled());
        QCOMPARE(form.UnlinkedLbl->text(), unlinked);

        // A chapter whose file is gone: the error, and no viewer.
        QFile::remove(book.dir.filePath(u"Two.QLF"_s));
        platform.messages.clear();
        platform.modal.expect<TButtListForm>([](TButtListForm& list) {
            list.ListBox1->setCurrentRow(1);
            click(list.OKBitBtn);
        });
        click(form.AddBtn);
        QCOMPARE(platform.messages.texts(), QStringList{u"Cannot open file Two.QLF"_s});
    }
};

QTEST_MAIN(LinkDialogTest)
#include "tst_linkdialog.moc"
