// Picking one line of a list: model code asks, the tool installs the chooser window.
#pragma once

#include "core/services/service.h"

#include <QStringList>

// Picks one line of a list; the tool installs the chooser window, model code only asks.
class EntryChooser
{
public:
    virtual ~EntryChooser() = default;
    // The index of the chosen line, or -1.
    virtual int choose(const QStringList& lines, int selected, int helpContext,
                       const QString& caption) = 0;
};

class NoEntryChooser : public EntryChooser
{
public:
    int choose(const QStringList&, int, int, const QString&) override { return -1; }
};

using ChooserSlot = ServiceSlot<EntryChooser, NoEntryChooser>;
