// The chapter display window (module chpdispf).
#include "preview/chapdispform.h"

#include "core/services/messages.h"
#include "format/reader/linkaction.h"
#include "platform/finddialog.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "platform/printing.h"
#include "preview/aboutbox.h"
#include "preview/entrydispatch.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"

#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

TChapDispForm::TChapDispForm(const PreviewContext& context, const DisplayRecord& display,
                             const QByteArray& chapterText, QWidget* parent)
    : QDialog(parent), MainMenu1(new QMenuBar(this)), TitlePnl(new QLabel(this)),
      StatusPnl(new QLabel(this)), ScreenPnl(new TScreenPanel(this)),
      TextPnl(new TTextWindow(ScreenPnl)), m_context(context), m_project(context.source.project()),
      m_display(display)
{
    setObjectName(QStringLiteral("TChapDispForm"));
    setWindowTitle(m_project.Config.BookTitle.text());
    buildMenu();
    const BarsRecord& bars = m_project.ChapterBars;
    SetupBar(TitlePnl, bars.TitleShown, bars.TitleText.text(), bars.TitleFont.text(),
             bars.TitleColor);
    SetupBar(StatusPnl, bars.StatusShown, bars.StatusText.text(), bars.StatusFont.text(),
             bars.StatusColor);
    LayOutReaderScreen(this, MainMenu1, TitlePnl, ScreenPnl, StatusPnl);

    TextPnl->setTextColour(BookColour(display.TextColor));
    ShowBackground(ScreenPnl, BackgroundOf(display));
    TextPnl->RichEdit1->loadContent(chapterText);
    connect(TextPnl->RichEdit1, &TRichEdit::pressedAt, this,
            [this](Qt::MouseButton) { RichEdit1MouseDown(); });
}

void TChapDispForm::buildMenu()
{
    const CaptionsRecord& captions = m_project.Presentation.Captions;
    MQuit = MainMenu1->addAction(captions.CloseCaption.text(), this, &QDialog::reject);
    MFind = MainMenu1->addAction(captions.FindCaption.text(), this, &TChapDispForm::MFindClick);
    MPrint = MainMenu1->addMenu(captions.PrintCaption.text());
    MPrint->addAction(tr("&Print"), this, [this] {
        printing().printDocument(this, *TextPnl->RichEdit1->document(), QString());
    });
    MPrint->addAction(tr("Printer Setup"), this, [this] { printing().printerSetup(this); });
    MPrint->menuAction()->setVisible(m_display.PrintAllowed != 0);
    MAbout = MainMenu1->addAction(captions.AboutCaption.text(), this,
                                  [this] { ShowAboutBox(m_project.Presentation.About, this); });
    MAbout->setVisible(m_project.Presentation.AboutShown != 0);
    MHelp = MainMenu1->addAction(captions.HelpCaption.text(), this, [this] {
        SetHelpFile(m_project.Config.HelpFile.text());
        ShowHelp(m_project.Config.HelpTopic);
    });
    MHelp->setVisible(m_project.Config.UseHelpFile != 0);
}

void TChapDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout()->activate();
    TextPnl->place(m_display);
    TextPnl->raise();
}

void TChapDispForm::RichEdit1MouseDown()
{
    const QString phrase = TextPnl->RichEdit1->HyperPhraseAt();
    if (phrase.isEmpty())
        return;
    ReportErrors([&] {
        QStringList entry;
        if (!m_context.source.hyperEntry(phrase, entry)) {
            ShowInfo(QString::fromStdString(bookformat::NotHyperTextMessage(phrase.toStdString())));
            return;
        }
        ShowEntry(entry, this);
    });
}

void TChapDispForm::MFindClick()
{
    if (!FindDialog1) {
        FindDialog1 = new TFindDialog(TFindDialog::Find, QString(), this);
        connect(FindDialog1, &TFindDialog::findNext, this,
                [this] { TextPnl->RichEdit1->findNext(FindDialog1->findText()); });
    }
    FindDialog1->takeShortSelection(TextPnl->RichEdit1->textCursor().selectedText());
    FindDialog1->show();
    FindDialog1->raise();
}

void ShowChapter(const PreviewContext& context, const DisplayRecord& display,
                 const QByteArray& chapterText, QWidget* parent)
{
    TChapDispForm form(context, display, chapterText, parent);
    RunModal(form);
    // The book's help file, if the reader opened it, gives way to the tool's again.
    SetHelpFile(context.toolHelpFile);
}
