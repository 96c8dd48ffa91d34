// What the link dialog holds for one phrase: the type the author selected, the type whose data
// was last completed, the files, the command and, for text links, the display record and the
// text; read from the phrase's stored section and written back as one section in its place.
#pragma once

#include "core/project/codes.h"
#include "core/project/records.h"

#include <QStringList>

// A text link's display before the author designs it: white text window of 400 x 200 at
// (120, 80), silver screen, shown full screen.
DisplayRecord LinkDisplayDefaults();

struct LinkDefinition
{
    bool editMode = false;
    QString oldName; // the section's name as stored: the one replaced on saving
    int selectedType = static_cast<int>(HyperTextType::TextOnly);
    int enteredType = 0; // 0 when no data was completed
    QString command;
    QString graphic;
    QString sound;
    QString voice;
    QString video;
    QString midi;
    QString program;
    int duration = 0;
    DisplayRecord display = LinkDisplayDefaults();
    QStringList textLines;
    QString altText; // the words for its picture, sound or film (see alttext.h)
};

// Whether links of the type show a picture or play a sound or film, which an alternative text
// stands for.
bool TakesAltText(int type);

// The definition of a phrase: edit mode with the stored section's data when the file holds one
// (phrases compare without regard to case), new mode otherwise. A stored type the dialog cannot
// show (0, 11, 12, above 13) leaves the data empty and the selected type 0. Raises ConvertError
// when the type, a duration or a display line is not a number.
LinkDefinition LoadLinkDefinition(const QString& hyperTextFile, const QString& phrase);

enum class LinkSaveResult
{
    Written,
    NoData,      // "No data has been entered."
    NoText,      // "No Text information was entered."
    NothingDone, // an empty command of a media or program type, or a type that cannot be saved
};

// Writes the phrase's section: in edit mode in place of the stored one, else appended; and the
// alternative text of a type that takes one (any other type's is removed).
LinkSaveResult SaveLinkDefinition(const LinkDefinition& link, const QString& hyperTextFile,
                                  const QString& phrase);
