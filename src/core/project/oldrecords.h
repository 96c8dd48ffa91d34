// Records of projects made by the earlier version of the tool, read only to be converted.
#pragma once

#include "core/project/records.h"

#pragma pack(push, 1)

struct OldDisplayRecord
{
    Colour TextColor;
    std::uint8_t FullScreen;
    std::int32_t BackType;
    Colour BackColor;
    PString<12> GraphicFile;
    PString<12> WallpaperFile;
    std::int32_t WinLeft;
    std::int32_t WinTop;
    std::int32_t WinWidth;
    std::int32_t WinHeight;
    std::uint8_t Unused[12];
    std::uint8_t PrintAllowed;
};

struct OldConfigRecord
{
    PString<80> BookTitle;
    std::uint8_t UseIcon;
    PString<12> IconFile;
    std::uint8_t UseHelpFile;
    PString<12> HelpFile;
    std::int32_t HelpTopic;
    std::uint8_t VideoAdvisory;
};

struct OldIntroRecord
{
    BarsRecord IntroBars;
    OldDisplayRecord IntroDisplay;
    std::uint8_t UseMenuBar;
};

struct OldCommandRecord
{
    std::int16_t CommandType;
    PString<12> GraphicFile;
    PString<12> ComboGraphicFile;
    PString<12> VoiceFile;
    PString<12> ComboSoundFile;
    PString<50> ProgramFile;
    std::int16_t GraphicOption;
    PString<60> Command; // items separated by a blank
};

struct OldAboutRecord
{
    std::uint16_t AboutWhen;
    PString<40> AboutCaption;
    std::uint8_t UseIcon;
    PString<12> IconFile;
    PString<32> ProgramName;
    PString<42> VersionText;
    PString<42> AuthorText;
    PString<65> Comment1;
    PString<65> Comment2;
    PString<65> Comment3;
    PString<65> Comment4;
};

struct OldPresentationRecord
{
    std::uint8_t IntroShown;
    OldIntroRecord Intro;
    std::uint8_t OpeningShown;
    OldCommandRecord Opening;
    std::uint8_t ClosingShown;
    OldCommandRecord Closing;
    std::uint8_t AboutShown;
    OldAboutRecord About;
    CaptionsRecord Captions;
};

struct OldAuthorRecord
{
    PString<60> AuthorLine1;
    PString<60> AuthorLine2;
    PString<60> AuthorLine3;
    PString<60> AuthorLine4;
    PString<60> AuthorLine5;
    PString<60> AuthorLine6;
    Colour AuthorColor;
    PString<50> AuthorFont;
    std::uint16_t AuthorTop;
    std::uint16_t AuthorLeft;
    std::uint16_t AuthorHeight;
    std::uint16_t AuthorWidth;
    std::uint8_t Unused[12];
};

struct OldMenuRecord
{
    BarsRecord MenuBars;
    OldDisplayRecord MenuDisplay;
    std::uint8_t UseAuthorBox;
    OldAuthorRecord Author;
    std::uint8_t MenuBarShown;
};

struct OldProjectRecord
{
    PString<4> Version;
    BarsRecord ChapterBars;
    Colour ProgBackColor;
    OldConfigRecord Config;
    OldPresentationRecord Presentation;
    OldMenuRecord Menu;
    std::uint8_t Unused[1000];
};

struct OldChapterRecord
{
    std::uint8_t Removed;
    PString<60> MenuEntry;
    PString<80> ChapterFile;
    PString<12> DisplayFile;
};

#pragma pack(pop)

static_assert(sizeof(OldDisplayRecord) == 68);
QUORELLE_RECORD_FIELD(OldDisplayRecord, GraphicFile, 13);
QUORELLE_RECORD_FIELD(OldDisplayRecord, WallpaperFile, 26);
QUORELLE_RECORD_FIELD(OldDisplayRecord, WinLeft, 39);
QUORELLE_RECORD_FIELD(OldDisplayRecord, WinTop, 43);
QUORELLE_RECORD_FIELD(OldDisplayRecord, WinWidth, 47);
QUORELLE_RECORD_FIELD(OldDisplayRecord, WinHeight, 51);
QUORELLE_RECORD_FIELD(OldDisplayRecord, Unused, 55);
QUORELLE_RECORD_FIELD(OldDisplayRecord, PrintAllowed, 67);

static_assert(sizeof(OldConfigRecord) == 114);
QUORELLE_RECORD_FIELD(OldConfigRecord, UseIcon, 81);
QUORELLE_RECORD_FIELD(OldConfigRecord, IconFile, 82);
QUORELLE_RECORD_FIELD(OldConfigRecord, UseHelpFile, 95);
QUORELLE_RECORD_FIELD(OldConfigRecord, HelpFile, 96);
QUORELLE_RECORD_FIELD(OldConfigRecord, HelpTopic, 109);
QUORELLE_RECORD_FIELD(OldConfigRecord, VideoAdvisory, 113);

static_assert(sizeof(OldIntroRecord) == 343);
QUORELLE_RECORD_FIELD(OldIntroRecord, IntroDisplay, 274);
QUORELLE_RECORD_FIELD(OldIntroRecord, UseMenuBar, 342);

static_assert(sizeof(OldCommandRecord) == 168);
QUORELLE_RECORD_FIELD(OldCommandRecord, GraphicFile, 2);
QUORELLE_RECORD_FIELD(OldCommandRecord, ComboGraphicFile, 15);
QUORELLE_RECORD_FIELD(OldCommandRecord, VoiceFile, 28);
QUORELLE_RECORD_FIELD(OldCommandRecord, ComboSoundFile, 41);
QUORELLE_RECORD_FIELD(OldCommandRecord, ProgramFile, 54);
QUORELLE_RECORD_FIELD(OldCommandRecord, GraphicOption, 105);
QUORELLE_RECORD_FIELD(OldCommandRecord, Command, 107);

static_assert(sizeof(OldAboutRecord) == 440);
QUORELLE_RECORD_FIELD(OldAboutRecord, UseIcon, 43);
QUORELLE_RECORD_FIELD(OldAboutRecord, IconFile, 44);
QUORELLE_RECORD_FIELD(OldAboutRecord, ProgramName, 57);
QUORELLE_RECORD_FIELD(OldAboutRecord, VersionText, 90);
QUORELLE_RECORD_FIELD(OldAboutRecord, AuthorText, 133);
QUORELLE_RECORD_FIELD(OldAboutRecord, Comment1, 176);
QUORELLE_RECORD_FIELD(OldAboutRecord, Comment2, 242);
QUORELLE_RECORD_FIELD(OldAboutRecord, Comment3, 308);
QUORELLE_RECORD_FIELD(OldAboutRecord, Comment4, 374);

static_assert(sizeof(OldPresentationRecord) == 1251);
QUORELLE_RECORD_FIELD(OldPresentationRecord, Intro, 1);
QUORELLE_RECORD_FIELD(OldPresentationRecord, OpeningShown, 344);
QUORELLE_RECORD_FIELD(OldPresentationRecord, Opening, 345);
QUORELLE_RECORD_FIELD(OldPresentationRecord, ClosingShown, 513);
QUORELLE_RECORD_FIELD(OldPresentationRecord, Closing, 514);
QUORELLE_RECORD_FIELD(OldPresentationRecord, AboutShown, 682);
QUORELLE_RECORD_FIELD(OldPresentationRecord, About, 683);
QUORELLE_RECORD_FIELD(OldPresentationRecord, Captions, 1123);

static_assert(sizeof(OldAuthorRecord) == 441);
QUORELLE_RECORD_FIELD(OldAuthorRecord, AuthorColor, 366);
QUORELLE_RECORD_FIELD(OldAuthorRecord, AuthorFont, 370);
QUORELLE_RECORD_FIELD(OldAuthorRecord, AuthorTop, 421);
QUORELLE_RECORD_FIELD(OldAuthorRecord, AuthorWidth, 427);
QUORELLE_RECORD_FIELD(OldAuthorRecord, Unused, 429);

static_assert(sizeof(OldMenuRecord) == 785);
QUORELLE_RECORD_FIELD(OldMenuRecord, MenuDisplay, 274);
QUORELLE_RECORD_FIELD(OldMenuRecord, UseAuthorBox, 342);
QUORELLE_RECORD_FIELD(OldMenuRecord, Author, 343);
QUORELLE_RECORD_FIELD(OldMenuRecord, MenuBarShown, 784);

static_assert(sizeof(OldProjectRecord) == 3433);
QUORELLE_RECORD_FIELD(OldProjectRecord, ChapterBars, 5);
QUORELLE_RECORD_FIELD(OldProjectRecord, ProgBackColor, 279);
QUORELLE_RECORD_FIELD(OldProjectRecord, Config, 283);
QUORELLE_RECORD_FIELD(OldProjectRecord, Presentation, 397);
QUORELLE_RECORD_FIELD(OldProjectRecord, Menu, 1648);
QUORELLE_RECORD_FIELD(OldProjectRecord, Unused, 2433);

static_assert(sizeof(OldChapterRecord) == 156);
QUORELLE_RECORD_FIELD(OldChapterRecord, MenuEntry, 1);
QUORELLE_RECORD_FIELD(OldChapterRecord, ChapterFile, 62);
QUORELLE_RECORD_FIELD(OldChapterRecord, DisplayFile, 143);
