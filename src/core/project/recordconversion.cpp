// Records of the earlier version turned into the current records, field by field. Texts of the
// earlier records are shorter than the current ones, so every text fits.
#include "core/project/recordconversion.h"

namespace {

template <std::size_t To, std::size_t From>
void copyText(PString<To>& to, const PString<From>& from)
{
    static_assert(To >= From);
    to.setText(from.text());
}

ConfigRecord convertConfig(const OldProjectRecord& old)
{
    const OldConfigRecord& from = old.Config;
    ConfigRecord config = DefaultConfig();
    copyText(config.BookTitle, from.BookTitle);
    config.UseIcon = from.UseIcon;
    copyText(config.IconFile, from.IconFile);
    config.UseHelpFile = from.UseHelpFile;
    copyText(config.HelpFile, from.HelpFile);
    config.HelpTopic = from.HelpTopic;
    config.VideoAdvisory = from.VideoAdvisory;
    config.ProgBackType = 1;
    config.ProgBackColor = old.ProgBackColor;
    return config;
}

AboutRecord convertAbout(const OldAboutRecord& from)
{
    AboutRecord about{};
    about.AboutWhen = from.AboutWhen;
    copyText(about.AboutCaption, from.AboutCaption);
    about.UseIcon = from.UseIcon;
    copyText(about.IconFile, from.IconFile);
    copyText(about.ProgramName, from.ProgramName);
    copyText(about.VersionText, from.VersionText);
    copyText(about.AuthorText, from.AuthorText);
    copyText(about.Comment1, from.Comment1);
    copyText(about.Comment2, from.Comment2);
    copyText(about.Comment3, from.Comment3);
    copyText(about.Comment4, from.Comment4);
    return about;
}

PresentationRecord convertPresentation(const OldPresentationRecord& from)
{
    PresentationRecord presentation{};
    presentation.IntroShown = from.IntroShown;
    presentation.Intro.IntroBars = from.Intro.IntroBars;
    presentation.Intro.IntroDisplay = ConvertDisplayRecord(from.Intro.IntroDisplay);
    presentation.Intro.UseMenuBar = from.Intro.UseMenuBar;
    presentation.OpeningShown = from.OpeningShown;
    presentation.Opening = ConvertCommandRecord(from.Opening);
    presentation.ClosingShown = from.ClosingShown;
    presentation.Closing = ConvertCommandRecord(from.Closing);
    presentation.AboutShown = from.AboutShown;
    presentation.About = convertAbout(from.About);
    presentation.Captions = from.Captions;
    return presentation;
}

AuthorRecord convertAuthor(const OldAuthorRecord& from)
{
    AuthorRecord author{};
    author.AuthorLine1 = from.AuthorLine1;
    author.AuthorLine2 = from.AuthorLine2;
    author.AuthorLine3 = from.AuthorLine3;
    author.AuthorLine4 = from.AuthorLine4;
    author.AuthorLine5 = from.AuthorLine5;
    author.AuthorLine6 = from.AuthorLine6;
    author.AuthorColor = from.AuthorColor;
    author.AuthorFont = from.AuthorFont;
    author.AuthorTop = from.AuthorTop;
    author.AuthorLeft = from.AuthorLeft;
    author.AuthorHeight = from.AuthorHeight;
    author.AuthorWidth = from.AuthorWidth;
    author.AuthorReserved1 = 1;
    author.AuthorReserved2 = 1;
    return author;
}

MenuRecord convertMenu(const OldMenuRecord& from)
{
    MenuRecord menu{};
    menu.MenuBars = from.MenuBars;
    menu.MenuDisplay = ConvertDisplayRecord(from.MenuDisplay);
    menu.UseAuthorBox = from.UseAuthorBox;
    menu.Author = convertAuthor(from.Author);
    menu.MenuBarShown = from.MenuBarShown;
    return menu;
}

} // namespace

ChapterRecord ConvertChapterRecord(const OldChapterRecord& from)
{
    ChapterRecord chapter{};
    chapter.Removed = from.Removed;
    chapter.MenuEntry = from.MenuEntry;
    chapter.ChapterFile = from.ChapterFile;
    copyText(chapter.DisplayFile, from.DisplayFile);
    return chapter;
}

DisplayRecord ConvertDisplayRecord(const OldDisplayRecord& old)
{
    DisplayRecord display{};
    display.TextColor = old.TextColor;
    display.FullScreen = old.FullScreen;
    display.BackType = old.BackType;
    display.BackColor = old.BackColor;
    copyText(display.GraphicFile, old.GraphicFile);
    copyText(display.WallpaperFile, old.WallpaperFile);
    display.WinLeft = old.WinLeft;
    display.WinTop = old.WinTop;
    display.WinWidth = old.WinWidth;
    display.WinHeight = old.WinHeight;
    display.RLTop = 1;
    display.RLLeft = 1;
    display.PrintAllowed = old.PrintAllowed;
    return display;
}

CommandRecord ConvertCommandRecord(const OldCommandRecord& old)
{
    CommandRecord command{};
    command.CommandType = old.CommandType;
    copyText(command.GraphicFile, old.GraphicFile);
    copyText(command.ComboGraphicFile, old.ComboGraphicFile);
    copyText(command.VoiceFile, old.VoiceFile);
    copyText(command.ComboSoundFile, old.ComboSoundFile);
    copyText(command.ProgramFile, old.ProgramFile);
    command.GraphicOption = old.GraphicOption;
    // The earlier version separated the program from its argument by a blank.
    QString text = old.Command.text();
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        text[blank] = QLatin1Char(',');
    command.Command.setText(text);
    return command;
}

void ConvertProjectFields(const OldProjectRecord& old, ProjectRecord& project)
{
    project.ChapterBars = old.ChapterBars;
    project.Config = convertConfig(old);
    project.Presentation = convertPresentation(old.Presentation);
    project.Menu = convertMenu(old.Menu);
}
