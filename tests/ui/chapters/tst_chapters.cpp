// Chapter management: the add and modify windows, the adding loop, the list window, removal and
// the chapter order.
#include "clicks.h"
#include "doubles.h"
#include "filesizelimit.h"
#include "recordbytes.h"
#include "testdir.h"

#include "../findscript.h"
#include "core/project/chapters.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "platform/filelists.h"
#include "platform/inputbox.h"
#include "ui/chapters/chapaddform.h"
#include "ui/chapters/chaplistform.h"
#include "ui/chapters/chapmodform.h"
#include "ui/chapters/chapterflows.h"
#include "ui/chapters/hypreorgfm.h"
#include "ui/chapters/previewwindows.h"
#include "ui/common/buttlistform.h"
#include "ui/common/getinputtextform.h"
#include "ui/design/chapdesignform.h"
#include "ui/mainwindow/bookmainform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

struct Book
{
    CurrentTempDir dir;
    WorkingState state;

    explicit Book(const QStringList& entries = {})
    {
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), defaultProjectBytes());
        writeBytes(dir.filePath(QStringLiteral("ONE.QLF")), "{\\rtf1 one}");
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
        QByteArray list;
        for (const QString& entry : entries)
            list += chapterBytes(entry.toLatin1(), "ONE.QLF", "BOOK.QVD");
        if (!list.isEmpty())
            writeBytes(dir.filePath(QStringLiteral("BOOK.QVC")), list);
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
        QTest::newRow("D before B") << QStringLiteral("ABCD") << 3 << 1 << QStringLiteral("ADBC");
        QTest::newRow("A before C") << QStringLiteral("ABCD") << 0 << 2 << QStringLiteral("BACD");
        QTest::newRow("B before C") << QStringLiteral("ABCD") << 1 << 2 << QStringLiteral("ABCD");
        QTest::newRow("C before A") << QStringLiteral("ABCD") << 2 << 0 << QStringLiteral("CABD");
        QTest::newRow("same chapter") << QStringLiteral("ABCD") << 1 << 1 << QStringLiteral("ABCD");
        QTest::newRow("not in the list")
            << QStringLiteral("ABCD") << 1 << 9 << QStringLiteral("ABCD");
        // Earlier files may hold an entry twice: exactly one record moves.
        QTest::newRow("first B before C")
            << QStringLiteral("ABBC") << 1 << 3 << QStringLiteral("ABBC");
        QTest::newRow("second B before A")
            << QStringLiteral("ABBC") << 2 << 0 << QStringLiteral("BABC");
        QTest::newRow("C before second B")
            << QStringLiteral("ABBC") << 3 << 2 << QStringLiteral("ABCB");
    }
    void moveChapter()
    {
        QFETCH(QString, list);
        QFETCH(int, from);
        QFETCH(int, before);
        QFETCH(QString, order);
        const auto letters = [](const QString& text) {
            QStringList entries;
            for (QChar c : text)
                entries << QString(c);
            return entries;
        };
        Book book(letters(list));
        MoveChapter(book.state, from, before);
        QCOMPARE(book.entries(), letters(order));
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.tmp")));
    }

    void addWindow_saveChecksInOrder()
    {
        PlatformDoubles platform;
        Book book;
        book.state.CurrentChapter = ChapterRecord{};
        TChapAddForm form(book.state, -1);
        form.show();
        form.DisplayEdit->clear();
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.ChapIDEdit);
        form.ChapIDEdit->setText(QStringLiteral("First"));
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.FileListBox2);
        QCOMPARE(form.FileListBox2->count(), 1);
        emit form.FileListBox2->fileClicked(QStringLiteral("ONE.QLF"));
        form.OKBtn->click();
        QCOMPARE(form.focusWidget(), form.FileListBox1);
        QCOMPARE(platform.messages.texts(),
                 QStringList({QStringLiteral("A Menu Entry must be specified."),
                              QStringLiteral("A Chapter Text file must be selected."),
                              QStringLiteral("A Display file must be selected.")}));
        QVERIFY(form.isVisible());
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.QVC")));

        emit form.FileListBox1->fileClicked(QStringLiteral("BOOK.QVD"));
        form.OKBtn->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(readBytes(book.dir.filePath(QStringLiteral("BOOK.QVC"))),
                 chapterBytes("First", "ONE.QLF", "BOOK.QVD"));
    }

    void entryField_enterPressesNoButtonAndLeavingItRefusesAnEntryInUse()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("Paris")});
        book.state.CurrentChapter = ChapterRecord{};
        TChapAddForm form(book.state, -1);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.ChapIDEdit->setFocus();
        QTest::keyClicks(form.ChapIDEdit, QStringLiteral("Rome"));
        QTest::keyClick(form.ChapIDEdit, Qt::Key_Return);
        QVERIFY(form.isVisible());
        QCOMPARE(form.DisplayEdit->text(), QStringLiteral("BOOK.QVD"));
        QCOMPARE(book.entries(), QStringList{QStringLiteral("Paris")});

        form.ChapIDEdit->selectAll();
        QTest::keyClicks(form.ChapIDEdit, QStringLiteral("PARIS")); // taken, in another case
        QTest::keyClick(form.ChapIDEdit, Qt::Key_Tab);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("That Menu Entry is already in use.")});
        QVERIFY(form.ChapIDEdit->text().isEmpty());
        QCOMPARE(form.focusWidget(), form.ChapIDEdit);
    }

    void save_refusesAnEntryInUseEvenWithoutLeavingTheField()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("Paris")});
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.ChapIDEdit->setFocus();
            QTest::keyClicks(form.ChapIDEdit, QStringLiteral("PARIS"));
            form.TextFileEdit->setText(QStringLiteral("ONE.QLF"));
            QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier); // "&Save", the focus stays
            QTRY_COMPARE(form.ChapIDEdit->text(), QString());
            QVERIFY(form.isVisible());
            form.reject();
        });
        platform.messages.answer(MessageAnswer::No);
        AddChapters(book.state, nullptr);
        QCOMPARE(platform.messages.texts(),
                 QStringList({QStringLiteral("That Menu Entry is already in use."),
                              QStringLiteral("Do you want to add another Chapter?")}));
        QCOMPARE(book.entries(), QStringList{QStringLiteral("Paris")});
    }

    void addingLoop_asksAfterEveryPass()
    {
        PlatformDoubles platform;
        Book book;
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            form.ChapIDEdit->setText(QStringLiteral("One"));
            emit form.FileListBox2->fileClicked(QStringLiteral("ONE.QLF"));
            form.OKBtn->click();
        });
        platform.messages.answer(MessageAnswer::Yes);
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            QVERIFY(form.ChapIDEdit->text().isEmpty());
            form.CancelBtn->click();
        });
        platform.messages.answer(MessageAnswer::No);
        AddChapters(book.state, nullptr);
        QCOMPARE(book.entries(), QStringList{QStringLiteral("One")});
        QCOMPARE(platform.messages.texts(),
                 QStringList(2, QStringLiteral("Do you want to add another Chapter?")));

        // A chapter list the disk refuses: the error, and no offer of another chapter.
        platform.messages.clear();
        platform.modal.expect<TChapAddForm>([](TChapAddForm& form) {
            form.ChapIDEdit->setText(QStringLiteral("Two"));
            emit form.FileListBox2->fileClicked(QStringLiteral("ONE.QLF"));
            const FileSizeLimit full(64);
            form.OKBtn->click();
        });
        AddChapters(book.state, nullptr);
        QCOMPARE(platform.messages.texts(), QStringList{QStringLiteral("Disk full: BOOK.QVC")});
        QCOMPARE(book.entries(), QStringList{QStringLiteral("One")});
    }

    void modifyWindow_keepsOwnEntryInOtherCase()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("Paris"), QStringLiteral("Rome")});
        ReadChapter(book.state, 1);
        TChapModForm form(book.state, 1);
        QCOMPARE(form.Edit1->text(), QStringLiteral("ONE.QLF"));
        form.show();
        form.ChapIDEdit->setText(QStringLiteral("ROME"));
        form.ChapIDEditExit();
        QVERIFY(platform.messages.shown().isEmpty());
        form.OKBtn->click();
        QCOMPARE(book.entries(), QStringList({QStringLiteral("Paris"), QStringLiteral("ROME")}));
    }

    // The display file the designer saves is the one the chapter gets; a cancelled designer
    // leaves the field as it was.
    void designDisplay_putsTheSavedFileInTheField()
    {
        PlatformDoubles platform;
        Book book;
        PreviewChapterWindows windows(book.state);
        const ScopedService<ChapterWindowsSlot, ChapterWindows> installed{windows};
        book.state.CurrentChapter = ChapterRecord{};
        TChapAddForm form(book.state, -1);
        form.show();
        form.ChapIDEdit->setText(QStringLiteral("One"));
        emit form.FileListBox2->fileClicked(QStringLiteral("ONE.QLF"));
        platform.modal.expect<TChapDesignForm>(
            [](TChapDesignForm& design) { click(design.OKBtn); });
        platform.modal.expect<TInputBox>([](TInputBox& box) {
            QTest::keyClicks(box.Edit, QStringLiteral("Night"));
            QTest::keyClick(box.Edit, Qt::Key_Return);
        });
        click(form.Button1);
        QCOMPARE(form.DisplayEdit->text(), QStringLiteral("Night.QVD"));
        platform.modal.expect<TChapDesignForm>(
            [](TChapDesignForm& design) { QTest::keyClick(&design, Qt::Key_Escape); });
        click(form.Button1);
        QCOMPARE(form.DisplayEdit->text(), QStringLiteral("Night.QVD"));
        click(form.OKBtn);
        ReadChapter(book.state, 0);
        QCOMPARE(book.state.CurrentChapter.DisplayFile.text(), QStringLiteral("Night.QVD"));
    }

    void listWindow_modifiesTheSelectedChapter()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("A"), QStringLiteral("B")});
        TChapListForm list(book.state);
        QCOMPARE(list.windowTitle(), QStringLiteral("Highlight a Chapter to View or Modify"));
        QCOMPARE(list.ListBox1->count(), 2);
        list.ListBox1->setCurrentRow(1);
        platform.modal.expect<TChapModForm>([](TChapModForm& form) {
            form.ChapIDEdit->setText(QStringLiteral("Bee"));
            form.OKBtn->click();
        });
        list.OKBitBtn->click();
        QCOMPARE(list.ListBox1->item(1)->text(), QStringLiteral("Bee"));
        QCOMPARE(list.ListBox1->currentRow(), 1);
        QCOMPARE(book.entries(), QStringList({QStringLiteral("A"), QStringLiteral("Bee")}));
    }

    void removal_asksAndKeepsTheOthersInOrder()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        platform.modal.expect<TButtListForm>([](TButtListForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Select a Chapter to Remove"));
            form.ListBox1->setCurrentRow(1);
            form.OKBitBtn->click();
        });
        platform.messages.answer(MessageAnswer::Yes);
        RemoveChapter(book.state, nullptr);
        QCOMPARE(
            platform.messages.texts(),
            QStringList{QStringLiteral("\tChapter \"B\" will be removed.\n\r\n\r\tContinue?")});
        QCOMPARE(book.entries(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    }

    void removingTheLastChapter_disablesTheChapterButtons()
    {
        PlatformDoubles platform;
        Book book({QStringLiteral("Only")});
        Tbookmainform form;
        form.show();
        form.Timer1Timer();
        platform.files.answer(book.dir.filePath(QStringLiteral("BOOK.QVJ")));
        form.SelectBtn->click();
        QVERIFY(form.DeleteBtn->isEnabled());
        platform.modal.expect<TButtListForm>(
            [](TButtListForm& chooser) { chooser.OKBitBtn->click(); });
        platform.messages.answer(MessageAnswer::Yes);
        form.DeleteBtn->click();
        QCOMPARE(
            platform.messages.texts(),
            QStringList{QStringLiteral("\tChapter \"Only\" will be removed.\n\r\n\r\tContinue?")});
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.QVC")));
        for (QPushButton* button : {form.ViewBtn, form.DeleteBtn, form.ReorgBtn, form.PreviewBtn,
                                    form.ExecBtn, form.DistribBtn, form.HypTextBtn})
            QVERIFY(!button->isEnabled());
        QCOMPARE(form.focusWidget(), form.AddBtn);
    }

    void reorder_findWrapsToTheFirstEntryAndMoves()
    {
        PlatformDoubles platform;
        Book one({QStringLiteral("Only")});
        ReorderChapters(one.state, nullptr);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The E-Book only has one Chapter")});

        Book book({QStringLiteral("North Sea"), QStringLiteral("Baltic"), QStringLiteral("Red Sea"),
                   QStringLiteral("Arctic")});
        THypReorgFm form(book.state);
        QCOMPARE(form.windowTitle(), QStringLiteral("Re-Arrange Chapter  Entries"));
        QVERIFY(!form.SortBitBtn->isVisibleTo(&form));
        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("sea"), &TGetInputTextForm::FindFirstBtn));
        form.Find1BtnClick();
        QCOMPARE(form.ListBox1->currentRow(), 0);
        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("sea"), &TGetInputTextForm::FindNextBtn));
        form.Find1BtnClick();
        QCOMPARE(form.ListBox1->currentRow(), 2);
        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("sea"), &TGetInputTextForm::FindNextBtn));
        form.Find1BtnClick();
        QCOMPARE(form.ListBox1->currentRow(), 0);

        form.ListBox1->setCurrentRow(3);
        form.OK1Btn->click();
        form.MovetoRbtn->setChecked(true);
        QVERIFY(form.List2Pnl->isVisibleTo(&form) && !form.List1Pnl->isVisibleTo(&form));
        form.ListBox2->setCurrentRow(1);
        form.OK2Btn->click();
        QVERIFY(form.SortBitBtn->isVisibleTo(&form));
        form.SortBitBtn->click();
        QCOMPARE(book.entries(),
                 QStringList({QStringLiteral("North Sea"), QStringLiteral("Arctic"),
                              QStringLiteral("Baltic"), QStringLiteral("Red Sea")}));
        QVERIFY(form.Edit1->text().isEmpty() && form.ToMoveRBtn->isChecked());
        QVERIFY(!form.SortBitBtn->isVisibleTo(&form));

        // The last line of the second list is the end: the first chapter goes there.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ListBox1->setCurrentRow(0);
        click(form.OK1Btn);
        click(form.MovetoRbtn);
        QCOMPARE(form.ListBox2->count(), 5);
        clickItem(form.ListBox2, QStringLiteral("(the end of the list)"));
        click(form.OK2Btn);
        QCOMPARE(form.Edit2->text(), QStringLiteral("(the end of the list)"));
        click(form.SortBitBtn);
        QCOMPARE(book.entries(),
                 QStringList({QStringLiteral("Arctic"), QStringLiteral("Baltic"),
                              QStringLiteral("Red Sea"), QStringLiteral("North Sea")}));
    }
};

QTEST_MAIN(ChaptersTest)
#include "tst_chapters.moc"
