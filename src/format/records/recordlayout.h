// The binary records of a project: project file, chapter list and display files, packed exactly as
// they lie on disk (little-endian, no gaps); the asserts pin every offset. Each record is written
// once, for any text type of string[N]'s layout: the format's own PString (UTF-8), and the Qt
// programs' PString, which adds QString to the same bytes.
#pragma once

#include "format/records/shortstring.h"

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

namespace bookformat {

using Colour = std::int32_t; // $00BBGGRR, or a system colour code with high byte $80

#pragma pack(push, 1)

template <template <std::size_t> class Text> struct BarsRecordOf
{
    std::uint8_t TitleShown;
    Text<80> TitleText;
    Text<50> TitleFont;
    Colour TitleColor;
    std::uint8_t StatusShown;
    Text<80> StatusText;
    Text<50> StatusFont;
    Colour StatusColor;
};

template <template <std::size_t> class Text> struct DisplayRecordOf
{
    Colour TextColor;
    std::uint8_t FullScreen;
    std::int32_t BackType; // 1 colour, 2 picture, 3 wallpaper
    Colour BackColor;
    Text<150> GraphicFile;
    Text<150> WallpaperFile;
    std::int32_t WinLeft;
    std::int32_t WinTop;
    std::int32_t WinWidth;
    std::int32_t WinHeight;
    std::int32_t RLTop;  // carried with the record, never interpreted
    std::int32_t RLLeft; // carried with the record, never interpreted
    std::uint8_t PrintAllowed;
};

template <template <std::size_t> class Text> struct ConfigRecordOf
{
    Text<80> BookTitle;
    std::uint8_t UseIcon;
    Text<150> IconFile;
    std::uint8_t UseHelpFile;
    Text<150> HelpFile;
    std::int32_t HelpTopic;
    std::uint8_t VideoAdvisory;
    std::int32_t ProgBackType;
    Colour ProgBackColor;
    Text<150> ProgGraphicFile;
    Text<150> ProgWallpaperFile;
};

template <template <std::size_t> class Text> struct IntroRecordOf
{
    BarsRecordOf<Text> IntroBars;
    DisplayRecordOf<Text> IntroDisplay;
    std::uint8_t UseMenuBar;
};

template <template <std::size_t> class Text> struct CommandRecordOf
{
    std::int16_t CommandType;
    Text<150> GraphicFile;
    Text<150> ComboGraphicFile;
    Text<150> VoiceFile;
    Text<150> ComboSoundFile;
    Text<200> ProgramFile;
    std::int16_t GraphicOption;
    Text<200> Command; // items separated by ","
};

template <template <std::size_t> class Text> struct AboutRecordOf
{
    std::uint16_t AboutWhen; // 0 at start, 1 at end, 2 both, 3 neither
    Text<40> AboutCaption;
    std::uint8_t UseIcon;
    Text<150> IconFile;
    Text<32> ProgramName;
    Text<42> VersionText;
    Text<42> AuthorText;
    Text<65> Comment1;
    Text<65> Comment2;
    Text<65> Comment3;
    Text<65> Comment4;
};

template <template <std::size_t> class Text> struct CaptionsRecordOf
{
    Text<16> AboutCaption;
    Text<16> HelpCaption;
    Text<16> QuitCaption;
    Text<16> CloseCaption;
    Text<16> PrintCaption;
    Text<16> FindCaption;
    Text<25> MediaPrompt;
};

template <template <std::size_t> class Text> struct PresentationRecordOf
{
    std::uint8_t IntroShown;
    IntroRecordOf<Text> Intro;
    std::uint8_t OpeningShown;
    CommandRecordOf<Text> Opening;
    std::uint8_t ClosingShown;
    CommandRecordOf<Text> Closing;
    std::uint8_t AboutShown;
    AboutRecordOf<Text> About;
    CaptionsRecordOf<Text> Captions;
};

template <template <std::size_t> class Text> struct AuthorRecordOf
{
    Text<60> AuthorLine1;
    Text<60> AuthorLine2;
    Text<60> AuthorLine3;
    Text<60> AuthorLine4;
    Text<60> AuthorLine5;
    Text<60> AuthorLine6;
    Colour AuthorColor;
    Text<50> AuthorFont;
    std::uint16_t AuthorTop;
    std::uint16_t AuthorLeft;
    std::uint16_t AuthorHeight;
    std::uint16_t AuthorWidth;
    std::int32_t AuthorReserved1;
    std::int32_t AuthorReserved2;
};

template <template <std::size_t> class Text> struct MenuRecordOf
{
    BarsRecordOf<Text> MenuBars;
    DisplayRecordOf<Text> MenuDisplay;
    std::uint8_t UseAuthorBox;
    AuthorRecordOf<Text> Author;
    std::uint8_t MenuBarShown;
};

template <template <std::size_t> class Text> struct ProjectRecordOf
{
    Text<4> Version;
    BarsRecordOf<Text> ChapterBars;
    ConfigRecordOf<Text> Config;
    PresentationRecordOf<Text> Presentation;
    MenuRecordOf<Text> Menu;
};

template <template <std::size_t> class Text> struct ChapterRecordOf
{
    std::uint8_t Removed; // 1 only while the chapter is being removed
    Text<60> MenuEntry;
    Text<80> ChapterFile;
    Text<25> DisplayFile;
};

#pragma pack(pop)

using BarsRecord = BarsRecordOf<PString>;
using DisplayRecord = DisplayRecordOf<PString>;
using ConfigRecord = ConfigRecordOf<PString>;
using IntroRecord = IntroRecordOf<PString>;
using CommandRecord = CommandRecordOf<PString>;
using AboutRecord = AboutRecordOf<PString>;
using CaptionsRecord = CaptionsRecordOf<PString>;
using PresentationRecord = PresentationRecordOf<PString>;
using AuthorRecord = AuthorRecordOf<PString>;
using MenuRecord = MenuRecordOf<PString>;
using ProjectRecord = ProjectRecordOf<PString>;
using ChapterRecord = ChapterRecordOf<PString>;

// The display a new screen or pop-up starts from: white text filling a silver screen, and a
// 400 x 200 window at 120, 80 when it does not fill it.
template <template <std::size_t> class Text> DisplayRecordOf<Text> DefaultDisplayOf()
{
    DisplayRecordOf<Text> display{};
    display.TextColor = 0xFFFFFF;
    display.FullScreen = 1;
    display.BackType = 1;
    display.BackColor = 0xC0C0C0;
    display.WinLeft = 120;
    display.WinTop = 80;
    display.WinWidth = 400;
    display.WinHeight = 200;
    display.RLTop = 1;
    display.RLLeft = 1;
    display.PrintAllowed = 0;
    return display;
}

#define QUORELLE_RECORD_FIELD(type, field, offset)                                                 \
    static_assert(offsetof(type, field) == (offset), #type "." #field " offset")

static_assert(sizeof(BarsRecord) == 274);
QUORELLE_RECORD_FIELD(BarsRecord, TitleText, 1);
QUORELLE_RECORD_FIELD(BarsRecord, TitleFont, 82);
QUORELLE_RECORD_FIELD(BarsRecord, TitleColor, 133);
QUORELLE_RECORD_FIELD(BarsRecord, StatusShown, 137);
QUORELLE_RECORD_FIELD(BarsRecord, StatusText, 138);
QUORELLE_RECORD_FIELD(BarsRecord, StatusFont, 219);
QUORELLE_RECORD_FIELD(BarsRecord, StatusColor, 270);

static_assert(sizeof(DisplayRecord) == 340);
QUORELLE_RECORD_FIELD(DisplayRecord, FullScreen, 4);
QUORELLE_RECORD_FIELD(DisplayRecord, BackType, 5);
QUORELLE_RECORD_FIELD(DisplayRecord, BackColor, 9);
QUORELLE_RECORD_FIELD(DisplayRecord, GraphicFile, 13);
QUORELLE_RECORD_FIELD(DisplayRecord, WallpaperFile, 164);
QUORELLE_RECORD_FIELD(DisplayRecord, WinLeft, 315);
QUORELLE_RECORD_FIELD(DisplayRecord, WinTop, 319);
QUORELLE_RECORD_FIELD(DisplayRecord, WinWidth, 323);
QUORELLE_RECORD_FIELD(DisplayRecord, WinHeight, 327);
QUORELLE_RECORD_FIELD(DisplayRecord, RLTop, 331);
QUORELLE_RECORD_FIELD(DisplayRecord, RLLeft, 335);
QUORELLE_RECORD_FIELD(DisplayRecord, PrintAllowed, 339);

static_assert(sizeof(ConfigRecord) == 700);
QUORELLE_RECORD_FIELD(ConfigRecord, UseIcon, 81);
QUORELLE_RECORD_FIELD(ConfigRecord, IconFile, 82);
QUORELLE_RECORD_FIELD(ConfigRecord, UseHelpFile, 233);
QUORELLE_RECORD_FIELD(ConfigRecord, HelpFile, 234);
QUORELLE_RECORD_FIELD(ConfigRecord, HelpTopic, 385);
QUORELLE_RECORD_FIELD(ConfigRecord, VideoAdvisory, 389);
QUORELLE_RECORD_FIELD(ConfigRecord, ProgBackType, 390);
QUORELLE_RECORD_FIELD(ConfigRecord, ProgBackColor, 394);
QUORELLE_RECORD_FIELD(ConfigRecord, ProgGraphicFile, 398);
QUORELLE_RECORD_FIELD(ConfigRecord, ProgWallpaperFile, 549);

static_assert(sizeof(IntroRecord) == 615);
QUORELLE_RECORD_FIELD(IntroRecord, IntroDisplay, 274);
QUORELLE_RECORD_FIELD(IntroRecord, UseMenuBar, 614);

static_assert(sizeof(CommandRecord) == 1010);
QUORELLE_RECORD_FIELD(CommandRecord, GraphicFile, 2);
QUORELLE_RECORD_FIELD(CommandRecord, ComboGraphicFile, 153);
QUORELLE_RECORD_FIELD(CommandRecord, VoiceFile, 304);
QUORELLE_RECORD_FIELD(CommandRecord, ComboSoundFile, 455);
QUORELLE_RECORD_FIELD(CommandRecord, ProgramFile, 606);
QUORELLE_RECORD_FIELD(CommandRecord, GraphicOption, 807);
QUORELLE_RECORD_FIELD(CommandRecord, Command, 809);

static_assert(sizeof(AboutRecord) == 578);
QUORELLE_RECORD_FIELD(AboutRecord, AboutCaption, 2);
QUORELLE_RECORD_FIELD(AboutRecord, UseIcon, 43);
QUORELLE_RECORD_FIELD(AboutRecord, IconFile, 44);
QUORELLE_RECORD_FIELD(AboutRecord, ProgramName, 195);
QUORELLE_RECORD_FIELD(AboutRecord, VersionText, 228);
QUORELLE_RECORD_FIELD(AboutRecord, AuthorText, 271);
QUORELLE_RECORD_FIELD(AboutRecord, Comment1, 314);
QUORELLE_RECORD_FIELD(AboutRecord, Comment2, 380);
QUORELLE_RECORD_FIELD(AboutRecord, Comment3, 446);
QUORELLE_RECORD_FIELD(AboutRecord, Comment4, 512);

static_assert(sizeof(CaptionsRecord) == 128);
QUORELLE_RECORD_FIELD(CaptionsRecord, HelpCaption, 17);
QUORELLE_RECORD_FIELD(CaptionsRecord, QuitCaption, 34);
QUORELLE_RECORD_FIELD(CaptionsRecord, CloseCaption, 51);
QUORELLE_RECORD_FIELD(CaptionsRecord, PrintCaption, 68);
QUORELLE_RECORD_FIELD(CaptionsRecord, FindCaption, 85);
QUORELLE_RECORD_FIELD(CaptionsRecord, MediaPrompt, 102);

static_assert(sizeof(PresentationRecord) == 3345);
QUORELLE_RECORD_FIELD(PresentationRecord, Intro, 1);
QUORELLE_RECORD_FIELD(PresentationRecord, OpeningShown, 616);
QUORELLE_RECORD_FIELD(PresentationRecord, Opening, 617);
QUORELLE_RECORD_FIELD(PresentationRecord, ClosingShown, 1627);
QUORELLE_RECORD_FIELD(PresentationRecord, Closing, 1628);
QUORELLE_RECORD_FIELD(PresentationRecord, AboutShown, 2638);
QUORELLE_RECORD_FIELD(PresentationRecord, About, 2639);
QUORELLE_RECORD_FIELD(PresentationRecord, Captions, 3217);

static_assert(sizeof(AuthorRecord) == 437);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLine2, 61);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLine3, 122);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLine4, 183);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLine5, 244);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLine6, 305);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorColor, 366);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorFont, 370);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorTop, 421);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorLeft, 423);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorHeight, 425);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorWidth, 427);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorReserved1, 429);
QUORELLE_RECORD_FIELD(AuthorRecord, AuthorReserved2, 433);

static_assert(sizeof(MenuRecord) == 1053);
QUORELLE_RECORD_FIELD(MenuRecord, MenuDisplay, 274);
QUORELLE_RECORD_FIELD(MenuRecord, UseAuthorBox, 614);
QUORELLE_RECORD_FIELD(MenuRecord, Author, 615);
QUORELLE_RECORD_FIELD(MenuRecord, MenuBarShown, 1052);

static_assert(sizeof(ProjectRecord) == 5377);
QUORELLE_RECORD_FIELD(ProjectRecord, ChapterBars, 5);
QUORELLE_RECORD_FIELD(ProjectRecord, Config, 279);
QUORELLE_RECORD_FIELD(ProjectRecord, Presentation, 979);
QUORELLE_RECORD_FIELD(ProjectRecord, Menu, 4324);

static_assert(sizeof(ChapterRecord) == 169);
QUORELLE_RECORD_FIELD(ChapterRecord, MenuEntry, 1);
QUORELLE_RECORD_FIELD(ChapterRecord, ChapterFile, 62);
QUORELLE_RECORD_FIELD(ChapterRecord, DisplayFile, 143);

} // namespace bookformat
