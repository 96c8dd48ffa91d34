// The book's presentation windows: the bar text editor, and the chapter screens' bars and the
// captions of the E-Book Presentation menu.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/files/filestore.h"
#include "core/project/projectfiles.h"
#include "platform/f1help.h"
#include "ui/design/booktextform.h"
#include "ui/design/configbook.h"
#include "ui/design/custmenuform.h"
#include "ui/design/toctitleform.h"
#include "ui/design/vpdesigntitleform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void altKey(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window, key, Qt::AltModifier);
}

} // namespace

class PresentationTest : public QObject
{
    Q_OBJECT

private slots:
    void barEditor_textFontAndColourStoredOnlyOnOk()
    {
        PlatformDoubles platform;
        BarsRecord bars = DefaultBars();
        TTocTitleForm form(bars, Bar::Status, 212);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(HelpContextOf(&form), 212);
        QCOMPARE(form.TitleLbl->text(), u"StatusBar Text :"_s);
        QCOMPARE(form.edit1->font().pointSize(), 8); // "8 0 0 Times New Roman"
        QTest::keyClicks(form.edit1, QString(90, QLatin1Char('x')));
        QCOMPARE(form.edit1->text().size(), 80);

        QFont chosen(u"DejaVu Serif"_s, 14);
        chosen.setItalic(true);
        platform.files.answerFont(chosen);
        altKey(&form, Qt::Key_N);
        QTRY_COMPARE(form.edit1->font().pointSize(), 14);
        platform.files.answerColor(QColor(0, 0, 0x80));
        altKey(&form, Qt::Key_B);
        QTRY_COMPARE(form.edit1->palette().color(QPalette::Base), QColor(0, 0, 0x80));
        platform.files.answerColor(QColor(0xFF, 0xFF, 0)); // readable on the dark bar
        altKey(&form, Qt::Key_R);
        QTRY_COMPARE(form.edit1->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0));
        QVERIFY(bars.StatusText.text().isEmpty()); // nothing before "&OK"
        KeepScreenshot(form, u"TTocTitleForm"_s);
        QTest::keyClick(form.edit1, Qt::Key_Return);

        QCOMPARE(bars.StatusText.text(), QString(80, QLatin1Char('x')));
        QCOMPARE(bars.StatusColor, 0x800000);
        QCOMPARE(bars.StatusFont.text(), u"14 65535 2 DejaVu Serif"_s);
        QCOMPARE(bars.TitleText.text(), QString()); // the other bar is untouched

        const BarsRecord before = bars;
        TVPDesignTitleForm intro(bars, Bar::Title, 465);
        intro.show();
        QVERIFY(QTest::qWaitForWindowActive(&intro));
        QCOMPARE(intro.TitleLbl->text(), u"TitleBar Text : "_s);
        platform.files.answerColor(std::nullopt);
        click(intro.Button1);
        QVERIFY(intro.edit1->hasFocus()); // the twin gives the focus back to the text
        QTest::keyClicks(intro.edit1, u"Welcome"_s);
        QTest::keyClick(&intro, Qt::Key_Escape);
        QCOMPARE(filestore::bytesOf(bars), filestore::bytesOf(before));
    }

    // The E-Book Presentation menu's windows: the chapter screens' bars, written on Save and
    // kept when unchecked, and the book's captions, whose Defaults and Cancel leave the project
    // file, and whose OK stores the media prompt cut to its length.
    void bookPresentation_chapterBarsAndCaptions()
    {
        PlatformDoubles platform;
        TestBook book;
        book.state.Project.Presentation.Captions.QuitCaption.setText(u"&Leave"_s);
        WriteProject(book.state);
        const QByteArray before = book.projectBytes();
        platform.modal.expect<TCustMenuform>([&platform, &book](TCustMenuform& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            KeepScreenshot(form, u"TCustMenuform"_s);
            altKey(&form, Qt::Key_P);
            QTRY_VERIFY(platform.modal.allUsed()); // a mnemonic animates its click first
            const QByteArray withBars = book.projectBytes();
            platform.modal.expect<TBookTextForm>([](TBookTextForm& cancelled) {
                QCOMPARE(cancelled.Edit1->text(), u"&Leave"_s);
                click(cancelled.DefaultsBtn);
                QCOMPARE(cancelled.Edit1->text(), u"&Quit"_s);
                click(cancelled.CancelBtn);
            });
            click(form.TextBtn);
            QCOMPARE(book.projectBytes(), withBars);
            platform.modal.expect<TBookTextForm>([](TBookTextForm& captions) {
                QVERIFY(QTest::qWaitForWindowActive(&captions));
                captions.Edit7->selectAll();
                QTest::keyClicks(captions.Edit7, u"Press Start to play the film now"_s);
                QCOMPARE(captions.Edit7->text().size(), 25);
                KeepScreenshot(captions, u"TBookTextForm"_s);
                altKey(&captions, Qt::Key_O);
                QTRY_VERIFY(!captions.isVisible());
            });
            click(form.TextBtn);
            QCOMPARE(book.state.MediaPrompt, u"Press Start to play the f"_s);
            QTest::keyClick(&form, Qt::Key_Escape);
        });
        platform.modal.expect<TConfigBook>([&book, before](TConfigBook& bars) {
            QVERIFY(!bars.titleBtn->isEnabled() && !bars.statusbtn->isEnabled());
            click(bars.CheckBox1);
            QVERIFY(bars.titleBtn->isEnabled());
            click(bars.titleBtn);
            QCOMPARE(book.projectBytes(), before); // the project is written on "&Save" only
            KeepScreenshot(bars, u"TConfigBook"_s);
            click(bars.OKBtn);
        });
        platform.modal.expect<TTocTitleForm>([](TTocTitleForm& editor) {
            QCOMPARE(HelpContextOf(&editor), 211);
            QTest::keyClicks(editor.edit1, u"Voyages"_s);
            click(editor.OKBtn);
        });
        CustomizeBook(book.state, nullptr);

        const ProjectRecord saved = book.projectOnDisk();
        QCOMPARE(saved.ChapterBars.TitleShown, 1);
        QCOMPARE(saved.ChapterBars.TitleText.text(), u"Voyages"_s);
        QCOMPARE(saved.Presentation.Captions.MediaPrompt.text(), u"Press Start to play the f"_s);
        QCOMPARE(saved.Presentation.Captions.QuitCaption.text(), u"&Leave"_s);

        // Unchecking keeps the text, font and colour: only the flag changes.
        TConfigBook again(book.state);
        again.show();
        click(again.CheckBox1);
        click(again.OKBtn);
        const BarsRecord unchecked = book.projectOnDisk().ChapterBars;
        QCOMPARE(unchecked.TitleShown, 0);
        QCOMPARE(unchecked.TitleText.text(), u"Voyages"_s);
        QCOMPARE(unchecked.TitleFont.text(), saved.ChapterBars.TitleFont.text());
    }
};

QTEST_MAIN(PresentationTest)
#include "tst_presentation.moc"
