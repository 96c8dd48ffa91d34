// The entry chooser and its find dialog.
#include "doubles.h"

#include "../findscript.h"
#include "ui/common/buttlistform.h"
#include "ui/common/getinputtextform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kLines = {QStringLiteral("Atlantic crossing"),
                            QStringLiteral("North Sea Ferries"), QStringLiteral("Baltic"),
                            QStringLiteral("Seaside towns"), QStringLiteral("Inland")};

} // namespace

class ChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void chooser_findSelectsMatchesAndFallsBackToTheFirstLine()
    {
        PlatformDoubles platform;
        TButtListForm form(kLines, 4, 257, QStringLiteral("Select an Entry to view"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Select an Entry to view"));
        QCOMPARE(form.chosenIndex(), 4);
        form.show();

        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("sea"), &TGetInputTextForm::FindFirstBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 1);
        QCOMPARE(form.focusWidget(), form.OKBitBtn);

        platform.modal.expect<TGetInputTextForm>([](TGetInputTextForm& find) {
            QCOMPARE(find.Edit1->text(), QStringLiteral("sea")); // the last search text comes back
            find.FindNextBtn->click();
        });
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 3);

        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("sea"), &TGetInputTextForm::FindNextBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 0);

        form.ListBox1->setCurrentRow(2);
        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("x"), &TGetInputTextForm::CancelBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 0);
    }

    void chooseEntry_results()
    {
        PlatformDoubles platform;
        platform.modal.expect<TButtListForm>([](TButtListForm& form) {
            form.ListBox1->setCurrentRow(2);
            form.OKBitBtn->click();
        });
        QCOMPARE(ChooseEntry(kLines, 0, 150, QStringLiteral("Remove")), 2);

        platform.modal.expect<TButtListForm>(
            [](TButtListForm& form) { form.CancelBitBtn->click(); });
        QCOMPARE(ChooseEntry(kLines, 0, 150, QStringLiteral("Remove")), -1);

        platform.modal.expect<TButtListForm>([](TButtListForm& form) { form.OKBitBtn->click(); });
        QCOMPARE(ChooseEntry({}, 0, 150, QStringLiteral("Remove")), -1);

        platform.modal.expect<TButtListForm>([](TButtListForm& form) {
            emit form.ListBox1->itemDoubleClicked(form.ListBox1->item(1));
        });
        QCOMPARE(ChooseEntry(kLines, 0, 150, QStringLiteral("Remove")), 1);
    }

    void askFindText_returnsButtonAndText()
    {
        PlatformDoubles platform;
        QString text = QStringLiteral("old");
        platform.modal.expect<TGetInputTextForm>([](TGetInputTextForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Find"));
            QCOMPARE(form.Edit1->text(), QStringLiteral("old"));
            form.Edit1->setText(QStringLiteral("new"));
            form.CancelBtn->click();
        });
        QCOMPARE(AskFindText(text), 0);
        QCOMPARE(text, QStringLiteral("old"));
        platform.modal.expect<TGetInputTextForm>(
            findWith(QStringLiteral("new"), &TGetInputTextForm::FindFirstBtn));
        QCOMPARE(AskFindText(text), 1);
        QCOMPARE(text, QStringLiteral("new"));
    }
};

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
