// The introduction display (module PIntDspF).
#include "preview/intdispform.h"

#include "platform/help.h"
#include "platform/modal.h"
#include "preview/aboutbox.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"

#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

bool bookHelpInUse(const ProjectRecord& project)
{
    return project.Presentation.Intro.UseMenuBar && project.Config.UseHelpFile;
}

} // namespace

TIntDispForm::TIntDispForm(const PreviewContext& context, const QStringList& textLines,
                           QWidget* parent)
    : QDialog(parent), MainMenu1(new QMenuBar(this)), TitlePnl(new QLabel(this)),
      StatusPnl(new QLabel(this)), ScreenPnl(new TScreenPanel(this)),
      TextPnl(new TTextWindow(ScreenPnl)), m_project(context.source.project()),
      m_text(RtfFromLines(textLines)), m_help(context, bookHelpInUse(m_project))
{
    setObjectName(QStringLiteral("TIntDispForm"));
    setWindowTitle(m_project.Config.BookTitle.text());
    const IntroRecord& intro = m_project.Presentation.Intro;
    const BarsRecord& bars = intro.IntroBars;
    SetupBar(TitlePnl, bars.TitleShown, bars.TitleText.text(), bars.TitleFont.text(),
             bars.TitleColor);
    SetupBar(StatusPnl, bars.StatusShown, bars.StatusText.text(), bars.StatusFont.text(),
             bars.StatusColor);

    const CaptionsRecord& captions = m_project.Presentation.Captions;
    MQuit = MainMenu1->addAction(captions.CloseCaption.text(), this, &QDialog::reject);
    MHelp = MainMenu1->addAction(captions.HelpCaption.text(), this,
                                 [this] { ShowHelp(m_project.Config.HelpTopic); });
    MAbout = MainMenu1->addAction(captions.AboutCaption.text(), this,
                                  [this] { ShowAboutBox(m_project.Presentation.About, this); });
    MQuit->setVisible(intro.UseMenuBar != 0);
    MAbout->setVisible(intro.UseMenuBar && m_project.Presentation.AboutShown);
    MHelp->setVisible(bookHelpInUse(m_project));

    LayOutReaderScreen(this, MainMenu1, TitlePnl, ScreenPnl, StatusPnl);

    ShowBackground(ScreenPnl, BackgroundOf(intro.IntroDisplay));
    TextPnl->setTextColour(BookColour(intro.IntroDisplay.TextColor));
    TextPnl->hide();
    connect(ScreenPnl, &TScreenPanel::rightPressed, this, &QDialog::reject);
}

void TIntDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout()->activate();
    TextPnl->hide();
    TextPnl->place(m_project.Presentation.Intro.IntroDisplay);
    TextPnl->RichEdit1->loadContent(m_text);
    TextPnl->show();
    TextPnl->raise();
}

void ShowIntroduction(const PreviewContext& context, const QStringList& textLines, QWidget* parent)
{
    TIntDispForm form(context, textLines, parent);
    RunModal(form);
}
