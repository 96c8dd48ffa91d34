// Chapter management: the add and modify windows, the adding loop, the list window, removal and
// the chapter order.
#include "clicks.h"
#include "doubles.h"
#include "filesizelimit.h"
#include "recordbytes.h"
#include "screenshots.h"
#include "testdir.h"

#include "../findscript.h"
#include "core/project/chapters.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "platform/filelists.h"
#include "ui/chapters/chapaddform.h"
#include "ui/chapters/chaplistform.h"
#include "ui/chapters/chapmodform.h"
#include "ui/chapters/chapterflows.h"
#include "ui/chapters/hypreorgfm.h"
#include "ui/common/buttlistform.h"
#include "ui/common/getinputtextform.h"
#include "ui/mainwindow/bookmainform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Book
{
    CurrentTempDir dir;
    WorkingState state;

    explicit Book(const QStringList& entries = {})
    {
        writeBytes(dir.filePath(u"BOOK.QVJ"_s), defaultProjectBytes());
        writeBytes(dir.filePath(u"ONE.QLF"_s), "{\\rtf1 one}");
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = u"BOOK.QVJ"_s;
        OpenProject(state);
        QByteArray list;
        for (const QString& entry : entries)
            list += chapterBytes(entry.toLatin1(), "ONE.QLF", "BOOK.QVD");
        if (!list.isEmpty())
            writeBytes(dir.filePath(u"BOOK.QVC"_s), list);
    }

    QStringList entries() const
    {
        QStringList list;
        LoadMenuEntries(state, list);
        return list;
    }
};

} // namespace

class ChaptersTest : public QObject
{
    Q_OBJECT

private slots:
    void moveChapter_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("order");
        QTest::newRow("D before B") << u"ABCD"_s << 3 << 1 << u"ADBC"_s;
        QTest::newRow("A before C") << u"ABCD"_s << 0 << 2 << u"BACD"_s;
        QTest::newRow("B before C") << u"ABCD"_s << 1 << 2 << u"ABCD"_s;
        QTest::newRow("C before A") << u"ABCD"_s << 2 << 0 << u"CABD"_s;
        QTest::newRow("same chapter") << u"ABCD"_s << 1 << 1 << u"ABCD"_s;
        QTest::newRow("not in the list") << u"ABCD"_s << 1 << 9 << u"ABCD"_s;
        // Earlier files may hold an entry twice: exactly one record moves.
        QTest::newRow("first B before C") << u"ABBC"_s << 1 << 3 << u"ABBC"_s;
        QTest::newRow("second B before A") << u"ABBC"_s << 2 << 0 << u"BABC"_s;
        QTest::newRow("C before second B") << u"ABBC"_s << 3 << 2 << u"ABCB"_s;
    }
    void moveChapter()
    {
        QFETCH(QString, list);
        QFETCH(int, from);
        QFETCH(int, before);
        QFETCH(QString, order);
        Book book(list.split(QString(), Qt::SkipEmptyParts));
        MoveChapter(book.state, from, before);
        QCOMPARE(book.entries(), order.split(QString(), Qt::SkipEmptyParts));
        QVERIFY(!book.dir.entries().contains(u"BOOK.tmp"_s));
    }

    // Enter presses no button and leaving the entry field refuses an entry in use; Save checks
    // the fields in order, and refuses an entry with an override, which would make the contents
    // show an entry other than the one stored.
    void addWindow_checksTheFieldsInOrderBeforeSaving()
    {
        PlatformDoubles platform;
        Book book({u"Paris"_s});
        const QByteArray before = readBytes(book.dir.filePath(u"BOOK.QVC"_s));
        book.state.CurrentChapter = ChapterRecord{};
        TChapAddForm form(book.state, -1);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.ChapIDEdit->setFocus();
        QTest::keyClicks(form.ChapIDEdit, u"Rome"_s);
        QTest::keyClick(form.ChapIDEdit, Qt::Key_Return);
        QVERIFY(form.isVisible());
        QCOMPARE(form.DisplayEdit->text(), u"BOOK.QVD"_s);
        form.ChapIDEdit->selectAll();
        QTest::keyClicks(form.ChapIDEdit, u"PARIS"_s); // taken, in another case
        QTest::keyClick(form.ChapIDEdit, Qt::Key_Tab);
        QCOMPARE(platform.messages.texts(), QStringList{u"That Menu Entry is already in use."_s});
        QVERIFY(form.ChapIDEdit->text().isEmpty());
        QCOMPARE(form.focusWidget(), form.ChapIDEdit);

        platform.messages.clear();
        form.DisplayEdit->clear();
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.ChapIDEdit);
        QTest::keyClicks(form.ChapIDEdit, u"Chapter "_s);
        QTest::sendKeyEvent(QTest::Click, form.ChapIDEdit, Qt::Key_unknown, u"\u202E"_s,
                            Qt::NoModifier);
        QTest::keyClicks(form.ChapIDEdit, u"1 retpahC"_s);
        QCOMPARE(form.ChapIDEdit->text().size(), 18);
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.ChapIDEdit);
        form.ChapIDEdit->setText(u"First"_s);
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.FileListBox2);
        QCOMPARE(form.FileListBox2->count(), 1);
        emit form.FileListBox2->fileClicked(u"ONE.QLF"_s);
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.FileListBox1);
        QCOMPARE(platform.messages.texts(),
                 QStringList({u"A Menu Entry must be specified."_s,
                              u"A Menu Entry cannot hold characters that change the direction "
                              "of text."_s,
                              u"A Chapter Text file must be selected."_s,
                              u"A Display file must be selected."_s}));
        QVERIFY(form.isVisible());
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.QVC"_s)), before);

        emit form.FileListBox1->fileClicked(u"BOOK.QVD"_s);
        form.OKBtn->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.QVC"_s)),
                 before + chapterBytes("First", "ONE.QLF", "BOOK.QVD"));
    }

    // Save refuses an entry in use (in another case) without the field being left; saved with
    // the focus in the entry, closing must not find the window's own entry in use. Every pass,
    // saved or cancelled, asks for another chapter.
    void addingLoop_asksAfterEveryPass()
    {
        PlatformDoubles platform;
        Book book({u"Paris"_s});
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            emit form.FileListBox2->fileClicked(u"ONE.QLF"_s);
            form.ChapIDEdit->setFocus();
            QTest::keyClicks(form.ChapIDEdit, u"PARIS"_s);
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier); // "&Save", the focus stays
            QTRY_COMPARE(form.ChapIDEdit->text(), QString());
            QVERIFY(form.isVisible());
            QTest::keyClicks(form.ChapIDEdit, u"One"_s);
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!form.isVisible());
        });
        platform.messages.answer(MessageAnswer::Yes);
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            QVERIFY(form.ChapIDEdit->text().isEmpty());
            form.CancelBtn->click();
        });
        platform.messages.answer(MessageAnswer::No);
        AddChapters(book.state, nullptr);
        QCOMPARE(book.entries(), (QStringList{u"Paris"_s, u"One"_s}));
        QCOMPARE(platform.messages.texts(),
                 QStringList({u"That Menu Entry is already in use."_s,
                              u"Do you want to add another Chapter?"_s,
                              u"Do you want to add another Chapter?"_s}));

        // A chapter list the disk refuses: the error, and no offer of another chapter.
        platform.messages.clear();
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            form.ChapIDEdit->setText(u"Two"_s);
            emit form.FileListBox2->fileClicked(u"ONE.QLF"_s);
            const FileSizeLimit full(64);
            form.OKBtn->click();
        });
        AddChapters(book.state, nullptr);
        QCOMPARE(platform.messages.texts(), QStringList{u"Disk full: BOOK.QVC"_s});
        QCOMPARE(book.entries(), (QStringList{u"Paris"_s, u"One"_s}));
    }

    // Each chapter shows its words, and under the list the book's words and reading time; a
    // chapter whose file is missing counts none and the window still opens. OK modifies the
    // selected chapter.
    void listWindow_countsAndModifiesTheChapters()
    {
        PlatformDoubles platform;
        Book book;
        writeBytes(book.dir.filePath(u"TWO.QLF"_s), "{\\rtf1 Two words\\par and three more.}");
        writeBytes(book.dir.filePath(u"BOOK.QVC"_s), chapterBytes("A", "ONE.QLF", "BOOK.QVD") +
                                                         chapterBytes("B", "TWO.QLF", "BOOK.QVD") +
                                                         chapterBytes("C", "GONE.QLF", "BOOK.QVD"));
        TChapListForm list(book.state);
        QCOMPARE(list.windowTitle(), u"Highlight a Chapter to View or Modify"_s);
        list.show();
        QTRY_VERIFY(list.counted());
        QCOMPARE(list.ListBox1->item(0)->toolTip(), u"1 word, 3 characters"_s);
        QCOMPARE(list.ListBox1->item(1)->toolTip(), u"5 words, 24 characters"_s);
        QCOMPARE(list.ListBox1->item(2)->toolTip(), u"0 words, 0 characters"_s);
        QCOMPARE(list.TotalLbl->text(),
                 u"The book: 6 words, 27 characters, about 1 minute of reading"_s);
        KeepScreenshot(list, u"TChapListForm-words"_s);

        list.ListBox1->setCurrentRow(1);
        platform.modal.expect<TChapModForm>([](TChapModForm& form) {
            QCOMPARE(form.Edit1->text(), u"TWO.QLF"_s);
            form.ChapIDEdit->setText(u"b"_s); // its own entry in another case is no entry in use
            form.OKBtn->click();
        });
        list.OKBitBtn->click();
        QCOMPARE(list.ListBox1->item(1)->text(), u"b"_s);
        QCOMPARE(list.ListBox1->currentRow(), 1);
        QCOMPARE(book.entries(), QStringList({u"A"_s, u"b"_s, u"C"_s}));
        QVERIFY(platform.messages.texts().isEmpty());
    }

    // Each removal asks with the chapter's entry and keeps the others in order; removing the last
    // chapter disables the chapter buttons.
    void removal_keepsTheOthersInOrderAndTheLastDisablesTheChapterButtons()
    {
        PlatformDoubles platform;
        Book book({u"A"_s, u"B"_s, u"C"_s});
        Tbookmainform form;
        form.show();
        form.Timer1Timer();
        platform.files.answer(book.dir.filePath(u"BOOK.QVJ"_s));
        form.SelectBtn->click();
        platform.modal.expect<TButtListForm>([](TButtListForm& chooser) {
            QCOMPARE(chooser.windowTitle(), u"Select a Chapter to Remove"_s);
            chooser.ListBox1->setCurrentRow(1);
            chooser.OKBitBtn->click();
        });
        platform.messages.answer(MessageAnswer::Yes);
        form.DeleteBtn->click();
        QCOMPARE(book.entries(), QStringList({u"A"_s, u"C"_s}));
        for (int left = 2; left > 0; --left) {
            QVERIFY(form.DeleteBtn->isEnabled());
            platform.modal.expect<TButtListForm>(
                [](TButtListForm& chooser) { chooser.OKBitBtn->click(); });
            platform.messages.answer(MessageAnswer::Yes);
            form.DeleteBtn->click();
        }
        const auto question = [](const QString& entry) {
            return u"\tChapter \"%1\" will be removed.\n\r\n\r\tContinue?"_s.arg(entry);
        };
        QCOMPARE(platform.messages.texts(),
                 QStringList({question(u"B"_s), question(u"A"_s), question(u"C"_s)}));
        QVERIFY(!book.dir.entries().contains(u"BOOK.QVC"_s));
        for (QPushButton* button : {form.ViewBtn, form.DeleteBtn, form.ReorgBtn, form.PreviewBtn,
                                    form.ExecBtn, form.DistribBtn, form.HypTextBtn})
            QVERIFY(!button->isEnabled());
        QCOMPARE(form.focusWidget(), form.AddBtn);
    }

    // Find selects in the first list (how it searches on and falls back to the first line is the
    // chooser test's: both lists find through FindInList); the chosen chapter then moves.
    void reorder_findSelectsAndTheChapterMoves()
    {
        PlatformDoubles platform;
        Book one({u"Only"_s});
        ReorderChapters(one.state, nullptr);
        QCOMPARE(platform.messages.texts(), QStringList{u"The E-Book only has one Chapter"_s});

        Book book({u"North Sea"_s, u"Baltic"_s, u"Red Sea"_s, u"Arctic"_s});
        THypReorgFm form(book.state);
        QCOMPARE(form.windowTitle(), u"Re-Arrange Chapter  Entries"_s);
        QVERIFY(!form.SortBitBtn->isVisibleTo(&form));
        platform.modal.expect<TGetInputTextForm>(
            findWith(u"red"_s, &TGetInputTextForm::FindFirstBtn));
        form.Find1BtnClick();
        QCOMPARE(form.ListBox1->currentRow(), 2);

        form.ListBox1->setCurrentRow(3);
        form.OK1Btn->click();
        form.MovetoRbtn->setChecked(true);
        QVERIFY(form.List2Pnl->isVisibleTo(&form) && !form.List1Pnl->isVisibleTo(&form));
        form.ListBox2->setCurrentRow(1);
        form.OK2Btn->click();
        QVERIFY(form.SortBitBtn->isVisibleTo(&form));
        form.SortBitBtn->click();
        QCOMPARE(book.entries(),
                 QStringList({u"North Sea"_s, u"Arctic"_s, u"Baltic"_s, u"Red Sea"_s}));
        QVERIFY(form.Edit1->text().isEmpty() && form.ToMoveRBtn->isChecked());
        QVERIFY(!form.SortBitBtn->isVisibleTo(&form));

        // The last line of the second list is the end: the first chapter goes there.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ListBox1->setCurrentRow(0);
        click(form.OK1Btn);
        click(form.MovetoRbtn);
        QCOMPARE(form.ListBox2->count(), 5);
        clickItem(form.ListBox2, u"(the end of the list)"_s);
        click(form.OK2Btn);
        QCOMPARE(form.Edit2->text(), u"(the end of the list)"_s);
        click(form.SortBitBtn);
        QCOMPARE(book.entries(),
                 QStringList({u"Arctic"_s, u"Baltic"_s, u"Red Sea"_s, u"North Sea"_s}));
    }
};

QTEST_MAIN(ChaptersTest)
#include "tst_chapters.moc"
