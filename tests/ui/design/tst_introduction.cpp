// The introduction: its text written in the entry window reaches the section file through the
// program configuration, which keeps it while the introduction is switched off (it is removed when
// emptied), and the screen designer's switches.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/book/booksource.h"
#include "core/files/filestore.h"
#include "core/sections/introduction.h"
#include "platform/f1help.h"
#include "preview/intdispform.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "ui/design/booktextform.h"
#include "ui/design/changetextform.h"
#include "ui/design/introdesignform.h"
#include "ui/design/introentryform.h"
#include "ui/design/progconfigform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct IntroBook : TestBook
{
    PresentationRecord& presentation = state.Project.Presentation;
    ConfigRecord& config = state.Project.Config;

    void configure() { ConfigureProgram(presentation, config, state.HyperTextFile, nullptr); }
};

// The program configuration with " Add an Introduction" checked and the entry run by `entry`.
void expectIntroductionThrough(PlatformDoubles& platform,
                               std::function<void(TIntroEntryForm&)> entry)
{
    platform.modal.expect<TProgConfigForm>([](TProgConfigForm& form) {
        if (!form.IntroChkBx->isChecked())
            click(form.IntroChkBx);
        click(form.IntroBtn);
        click(form.BitBtn1);
    });
    platform.modal.expect<TIntroEntryForm>(std::move(entry));
}

} // namespace

class IntroductionTest : public QObject
{
    Q_OBJECT

private slots:
    // The entry's text and colour reach the section and the reader's screen. Cancelled, the
    // entry leaves the text and its colour; unchecked in the program configuration, the
    // introduction keeps its section, and checked again it is the text the author wrote (no
    // entry opened); emptied in the entry, it is removed with a message.
    void entry_textReachesTheSectionAndIsKeptUntilEmptied()
    {
        PlatformDoubles platform;
        IntroBook book;
        expectIntroductionThrough(platform, [&platform](TIntroEntryForm& entry) {
            QCOMPARE(HelpContextOf(&entry), 450);
            QTest::keyClicks(entry.RichEdit1, u"Welcome aboard"_s);
            platform.files.answerColor(QColor(0xFF, 0xFF, 0xE0));
            click(entry.ColorBtn);
            KeepScreenshot(entry, u"TIntroEntryForm"_s);
            entry.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&entry));
            QTest::keyClick(&entry, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!entry.isVisible());
        });
        book.configure();
        QCOMPARE(book.presentation.IntroShown, 1);
        QCOMPARE(book.presentation.Intro.IntroDisplay.TextColor, 0xE0FFFF);
        QStringList lines;
        QVERIFY(ReadIntroEntry(book.state.HyperTextFile, lines));
        RecordsBookSource source(book.state.Project);
        const PreviewContext context{source, QString()};
        TIntDispForm screen(context, lines);
        screen.show();
        QCOMPARE(screen.TextPnl->RichEdit1->toPlainText(), u"Welcome aboard"_s);

        const QByteArray sections = readBytes(book.dir.filePath(book.state.HyperTextFile));
        const PresentationRecord before = book.presentation;
        expectIntroductionThrough(platform, [&platform](TIntroEntryForm& entry) {
            click(entry.ClearBtn);
            platform.files.answerColor(QColor(Qt::black));
            click(entry.ColorBtn);
            QTest::keyClick(&entry, Qt::Key_Escape);
        });
        book.configure();
        QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)), sections);
        QCOMPARE(filestore::bytesOf(book.presentation), filestore::bytesOf(before));
        for (const int shown : {0, 1}) {
            platform.modal.expect<TProgConfigForm>([](TProgConfigForm& form) {
                click(form.IntroChkBx);
                click(form.BitBtn1);
            });
            book.configure();
            QCOMPARE(book.presentation.IntroShown, shown);
            QCOMPARE(readBytes(book.dir.filePath(book.state.HyperTextFile)), sections);
        }

        expectIntroductionThrough(platform, [](TIntroEntryForm& entry) {
            QCOMPARE(entry.RichEdit1->toPlainText(), u"Welcome aboard"_s);
            click(entry.ClearBtn);
            click(entry.OKBtn);
        });
        book.configure();
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The Introduction has not been entered."_s});
        QCOMPARE(book.presentation.IntroShown, 0);
        QVERIFY(!ReadIntroEntry(book.state.HyperTextFile, lines));
    }

    // The screen's switches, and its captions: their Defaults restore the captions the caption
    // window does not show too, and only on "&OK".
    void screen_switchesStoreAtOnceAndCancelDiscards()
    {
        PlatformDoubles platform;
        PresentationRecord presentation = DefaultProjectRecord(u"2.2"_s).Presentation;
        presentation.Intro.IntroDisplay.FullScreen = 0;
        presentation.Intro.IntroDisplay.WinLeft = 77;
        presentation.Intro.UseMenuBar = 0;
        presentation.Captions.QuitCaption.setText(u"&Stop"_s);
        presentation.Captions.MediaPrompt.setText(u"Go"_s);
        presentation.Captions.CloseCaption.setText(u"&Shut"_s);
        const ConfigRecord config = DefaultConfig();

        TIntroDesignForm cancelled(presentation, config, QByteArray());
        cancelled.show();
        QVERIFY(cancelled.VPChkBx->isChecked() && cancelled.VPBtn->isEnabled());
        click(cancelled.UseMenuChkBx);
        click(cancelled.CancelBtn);
        QCOMPARE(presentation.Intro.UseMenuBar, 0);

        TIntroDesignForm form(presentation, config, QByteArray());
        form.show();
        QCOMPARE(HelpContextOf(&form), 460);
        click(form.VPChkBx); // full screen again; the window keeps its place
        QVERIFY(!form.VPBtn->isEnabled());
        click(form.UseMenuChkBx);
        platform.modal.expect<TChangeTextForm>([](TChangeTextForm& captions) {
            click(captions.DefaultsBtn);
            QTest::keyClick(&captions, Qt::Key_Escape);
        });
        click(form.Button1);
        platform.modal.expect<TChangeTextForm>([](TChangeTextForm& captions) {
            QCOMPARE(captions.Edit2->text(), u"&Shut"_s); // the cancelled Defaults changed nothing
            click(captions.DefaultsBtn);
            captions.Edit2->setText(u"&Onward"_s);
            captions.Edit3->setText(u"&Credits"_s);
            click(captions.OKBtn);
        });
        click(form.Button1);
        KeepScreenshot(form, u"TIntroDesignForm"_s);
        click(form.OKBtn);
        QCOMPARE(presentation.Intro.IntroDisplay.FullScreen, 1);
        QCOMPARE(presentation.Intro.IntroDisplay.WinLeft, 77);
        QCOMPARE(presentation.Intro.UseMenuBar, 1);
        const CaptionsRecord& captions = presentation.Captions;
        QCOMPARE(captions.QuitCaption.text(), u"&Quit"_s);
        QCOMPARE(captions.MediaPrompt.text(), u"Press the Start button"_s);
        QCOMPARE(captions.CloseCaption.text(), u"&Onward"_s);
        QCOMPARE(captions.AboutCaption.text(), u"&Credits"_s);
    }
};

QTEST_MAIN(IntroductionTest)
#include "tst_introduction.moc"
