// A book made as an author makes one, through the tool's own windows with the mouse and the
// keyboard: Create New E-Book, a chapter written and saved in the editor, Add a Chapter, Create
// Executable; the executable then passes the reader runtime's own check.
#include "doubles.h"
#include "testdir.h"

#include "platform/filelists.h"
#include "preview/richedit.h"
#include "ui/authoring/chpeditf.h"
#include "ui/authoring/gettextform.h"
#include "ui/chapters/chpaddf.h"
#include "ui/mainwindow/bmmain.h"
#include "ui/mainwindow/makedirf.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void clickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

} // namespace

class MakeBookTest : public QObject
{
    Q_OBJECT

private slots:
    void makeBook_fromNewProjectToAVerifiedExecutable()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        Tbookmainform form;
        form.show();
        form.Timer1Timer();
        const QString folder = dir.filePath(QStringLiteral("My Books/Sea"));

        platform.modal.expect<TMakeDirForm>([&dir](TMakeDirForm& ask) {
            typeInto(ask.Edit1, QString());
            ask.Edit1->insert(dir.path()); // pasted: key clicks type ASCII only
            QTest::keyClicks(ask.Edit1, QStringLiteral("/My Books/Sea"));
            typeInto(ask.Edit2, QStringLiteral("Sea"));
            click(ask.BitBtn1);
        });
        click(form.StartBtn);
        QCOMPARE(form.ProjectLbl->text(), QStringLiteral("Sea"));

        platform.modal.expect<TChapEditForm>([](TChapEditForm& editor) {
            editor.RichEdit1->setFocus();
            QTest::keyClicks(editor.RichEdit1, QStringLiteral("The sea is wide."));
            click(editor.SaveasBtn);
            click(editor.OKBtn);
        });
        platform.modal.expect<TGetTextForm>([](TGetTextForm& name) {
            typeInto(name.Edit1, QStringLiteral("waves"));
            QTest::keyClick(name.Edit1, Qt::Key_Return);
        });
        click(form.EditBtn);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("waves.QLF has been saved.")});
        QVERIFY(form.AddBtn->isEnabled());

        platform.modal.expect<TChapAddForm>([](TChapAddForm& add) {
            QTest::keyClicks(add.ChapIDEdit, QStringLiteral("The Sea"));
            clickItem(add.FileListBox2, QStringLiteral("waves.QLF"));
            QVERIFY(QTest::qWaitForWindowActive(&add)); // shortcuts go to the active window
            QTest::keyClick(&add, Qt::Key_S, Qt::AltModifier);
            QTRY_VERIFY(!add.isVisible()); // a mnemonic animates its click
        });
        platform.messages.answer(MessageAnswer::No);
        click(form.AddBtn);
        QCOMPARE(platform.messages.texts().last(),
                 QStringLiteral("Do you want to add another Chapter?"));

        platform.messages.answer(MessageAnswer::No);
        click(form.ExecBtn);
        QCOMPARE(platform.messages.texts().last(),
                 QStringLiteral("The Executable E-Book Sea.EXE has been created.\n\r\n\rDo you "
                                "want to test it now?"));

        QProcess book;
        book.start(QDir(folder).filePath(QStringLiteral("Sea.EXE")), {QStringLiteral("--verify")});
        QVERIFY(book.waitForFinished(30000));
        QCOMPARE(book.exitCode(), 0);
        QVERIFY2(book.readAllStandardOutput().startsWith(
                     "1 chapters, 1 display records, 0 HyperText entries"),
                 book.readAllStandardError().constData());
    }
};

QTEST_MAIN(MakeBookTest)
#include "tst_makebook.moc"
