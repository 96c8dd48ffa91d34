// The entry chooser and its find dialog.
#include "doubles.h"

#include "../findscript.h"
#include "ui/common/buttlistform.h"
#include "ui/common/getinputtextform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kLines = {u"Atlantic crossing"_s, u"North Sea Ferries"_s, u"Baltic"_s,
                            u"Seaside towns"_s, u"Inland"_s};

} // namespace

class ChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void chooser_findSelectsMatchesAndFallsBackToTheFirstLine()
    {
        PlatformDoubles platform;
        TButtListForm form(kLines, 4, 257, u"Select an Entry to view"_s);
        QCOMPARE(form.windowTitle(), u"Select an Entry to view"_s);
        QCOMPARE(form.chosenIndex(), 4);
        form.show();

        platform.modal.expect<TGetInputTextForm>(
            findWith(u"sea"_s, &TGetInputTextForm::FindFirstBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 1);
        QCOMPARE(form.focusWidget(), form.OKBitBtn);

        platform.modal.expect<TGetInputTextForm>([](TGetInputTextForm& find) {
            QCOMPARE(find.Edit1->text(), u"sea"_s); // the last search text comes back
            find.FindNextBtn->click();
        });
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 3);

        platform.modal.expect<TGetInputTextForm>(
            findWith(u"sea"_s, &TGetInputTextForm::FindNextBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 0);

        form.ListBox1->setCurrentRow(2);
        platform.modal.expect<TGetInputTextForm>(findWith(u"x"_s, &TGetInputTextForm::CancelBtn));
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 0);
        platform.modal.expect<TGetInputTextForm>([](TGetInputTextForm& find) {
            QCOMPARE(find.windowTitle(), u"Find"_s);
            QCOMPARE(find.Edit1->text(), u"sea"_s); // a cancelled text is not kept
            find.FindFirstBtn->click();
        });
        form.BitBtn1->click();
        QCOMPARE(form.chosenIndex(), 1);
    }

    // OK on a chosen line gives its index: tst_chapters' removal, through the chooser.
    void chooseEntry_results()
    {
        PlatformDoubles platform;
        platform.modal.expect<TButtListForm>(
            [](TButtListForm& form) { form.CancelBitBtn->click(); });
        QCOMPARE(ChooseEntry(kLines, 0, 150, u"Remove"_s), -1);

        platform.modal.expect<TButtListForm>([](TButtListForm& form) { form.OKBitBtn->click(); });
        QCOMPARE(ChooseEntry({}, 0, 150, u"Remove"_s), -1);

        platform.modal.expect<TButtListForm>([](TButtListForm& form) {
            emit form.ListBox1->itemDoubleClicked(form.ListBox1->item(1));
        });
        QCOMPARE(ChooseEntry(kLines, 0, 150, u"Remove"_s), 1);
    }
};

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
