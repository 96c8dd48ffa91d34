// Defaults of the project records: what a new project starts from.
#include "core/project/records.h"

BarsRecord DefaultBars()
{
    BarsRecord bars{};
    bars.TitleFont.setText(QStringLiteral("16 0 1 Times New Roman"));
    bars.TitleColor = colours::Silver;
    bars.StatusFont.setText(QStringLiteral("8 0 0 Times New Roman"));
    bars.StatusColor = colours::Silver;
    return bars;
}

DisplayRecord DefaultDisplay()
{
    return bookformat::DefaultDisplayOf<PString>();
}

ConfigRecord DefaultConfig()
{
    ConfigRecord config{};
    config.ProgBackType = 1;
    config.ProgBackColor = colours::Silver;
    return config;
}

AboutRecord DefaultAbout()
{
    return AboutRecord{};
}

CaptionsRecord DefaultCaptions()
{
    CaptionsRecord captions{};
    captions.AboutCaption.setText(QStringLiteral("&About"));
    captions.HelpCaption.setText(QStringLiteral("&Help"));
    captions.QuitCaption.setText(QStringLiteral("&Quit"));
    captions.CloseCaption.setText(QStringLiteral("&Close"));
    captions.PrintCaption.setText(QStringLiteral("&Print"));
    captions.FindCaption.setText(QStringLiteral("&Find"));
    captions.MediaPrompt.setText(QStringLiteral("Press the Start button"));
    return captions;
}

AuthorRecord DefaultAuthor()
{
    AuthorRecord author{};
    author.AuthorColor = colours::White;
    author.AuthorFont.setText(QStringLiteral("10 0 1 MS Sans Serif"));
    author.AuthorTop = 5;
    author.AuthorLeft = 5;
    author.AuthorHeight = 100;
    author.AuthorWidth = 190;
    author.AuthorReserved1 = 1;
    author.AuthorReserved2 = 1;
    return author;
}

IntroRecord DefaultIntro()
{
    IntroRecord intro{};
    intro.IntroBars = DefaultBars();
    intro.IntroDisplay = DefaultDisplay();
    intro.UseMenuBar = 1;
    return intro;
}

MenuRecord DefaultMenu()
{
    MenuRecord menu{};
    menu.MenuBars = DefaultBars();
    menu.MenuDisplay = DefaultDisplay();
    menu.UseAuthorBox = 0;
    menu.Author = DefaultAuthor();
    menu.MenuBarShown = 1;

    // The table of contents sits in its own smaller window.
    DisplayRecord& toc = menu.MenuDisplay;
    toc.WinLeft = 230;
    toc.WinTop = 130;
    toc.WinWidth = 190;
    toc.WinHeight = 165;
    toc.RLTop = 0;
    toc.RLLeft = 0;
    toc.PrintAllowed = 0;
    return menu;
}

ProjectRecord DefaultProjectRecord(const QString& versionTag)
{
    ProjectRecord project{};
    project.Version.setText(versionTag);
    project.ChapterBars = DefaultBars();
    PresentationRecord& presentation = project.Presentation;
    presentation.Intro = DefaultIntro();
    presentation.About = DefaultAbout();
    presentation.Captions = DefaultCaptions();
    project.Config = DefaultConfig();
    project.Menu = DefaultMenu();
    return project;
}
