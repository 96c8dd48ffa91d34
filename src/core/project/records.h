// The binary records of a project (project file, chapter list and display files) for Qt code: the
// format's records (format/records/recordlayout.h) with string[N] read and written as QString.
#pragma once

#include "core/project/pstring.h"
#include "format/records/recordlayout.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

using Colour = bookformat::Colour;

namespace colours {
constexpr Colour White = 0xFFFFFF;
constexpr Colour Silver = 0xC0C0C0;
} // namespace colours

// The records with their texts as QString; their layouts and offsets are the format's.
using BarsRecord = bookformat::BarsRecordOf<PString>;
static_assert(sizeof(BarsRecord) == sizeof(bookformat::BarsRecord));
using DisplayRecord = bookformat::DisplayRecordOf<PString>;
static_assert(sizeof(DisplayRecord) == sizeof(bookformat::DisplayRecord));
using ConfigRecord = bookformat::ConfigRecordOf<PString>;
static_assert(sizeof(ConfigRecord) == sizeof(bookformat::ConfigRecord));
using IntroRecord = bookformat::IntroRecordOf<PString>;
static_assert(sizeof(IntroRecord) == sizeof(bookformat::IntroRecord));
using CommandRecord = bookformat::CommandRecordOf<PString>;
static_assert(sizeof(CommandRecord) == sizeof(bookformat::CommandRecord));
using AboutRecord = bookformat::AboutRecordOf<PString>;
static_assert(sizeof(AboutRecord) == sizeof(bookformat::AboutRecord));
using CaptionsRecord = bookformat::CaptionsRecordOf<PString>;
static_assert(sizeof(CaptionsRecord) == sizeof(bookformat::CaptionsRecord));
using PresentationRecord = bookformat::PresentationRecordOf<PString>;
static_assert(sizeof(PresentationRecord) == sizeof(bookformat::PresentationRecord));
using AuthorRecord = bookformat::AuthorRecordOf<PString>;
static_assert(sizeof(AuthorRecord) == sizeof(bookformat::AuthorRecord));
using MenuRecord = bookformat::MenuRecordOf<PString>;
static_assert(sizeof(MenuRecord) == sizeof(bookformat::MenuRecord));
using ProjectRecord = bookformat::ProjectRecordOf<PString>;
static_assert(sizeof(ProjectRecord) == sizeof(bookformat::ProjectRecord));
using ChapterRecord = bookformat::ChapterRecordOf<PString>;
static_assert(sizeof(ChapterRecord) == sizeof(bookformat::ChapterRecord));

// A record of one text type as the other (the format's and Qt's): the same bytes.
template <class To, class From> To RecordAs(const From& from)
{
    static_assert(sizeof(To) == sizeof(From));
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// The defaults of a new project, field by field.
BarsRecord DefaultBars();
DisplayRecord DefaultDisplay();
ConfigRecord DefaultConfig();
AboutRecord DefaultAbout();
CaptionsRecord DefaultCaptions();
AuthorRecord DefaultAuthor();
IntroRecord DefaultIntro();
MenuRecord DefaultMenu(); // with the table-of-contents window rectangle
ProjectRecord DefaultProjectRecord(const QString& versionTag);
