// The HyperText dispatcher.
#include "preview/entrydispatch.h"

#include "preview/htxvdspf.h"
#include "preview/htxdispf.h"
#include "core/sections/displaysection.h"
#include "platform/documents.h"
#include "platform/modal.h"
#include "preview/hnotesf.h"
#include "preview/mediaactions.h"
#include "core/files/filenames.h"

int EntryTypeCode(const QStringList& lines)
{
    if (lines.size() < 3)
        return 0;
    const QString& line = lines.at(2);
    const QString digits = line.mid(line.indexOf(QLatin1Char('=')) + 1, 2);
    return ParseInteger(digits).value_or(0);
}

void ShowEntry(const QStringList& lines, const PreviewContext& context, QWidget* parent)
{
    if (lines.isEmpty())
        return;
    QString phrase = lines.at(0);
    if (phrase.startsWith(QLatin1Char('[')))
        phrase = phrase.mid(1, phrase.size() - 2);
    CurrentHyperPhrase() = phrase;
    const QString command = lines.size() > 3 ? lines.at(3).mid(lines.at(3).indexOf(QLatin1Char('=')) + 1) : QString();

    const int type = EntryTypeCode(lines);
    switch (type) {
    case 1:
    case 5: {
        DisplayRecord display = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, display, text);
        if (type == 1) {
            TShowHTextForm popup(display, text, context.popupOrigin, parent);
            RunModal(popup);
        } else {
            TTxtVPDispForm screen(display, text, parent);
            RunModal(screen);
        }
        break;
    }
    case 2:
    case 3:
    case 6:
    case 7:
    case 8:
        MediaSlot::get().showCommand(parent, phrase, command);
        break;
    case 4:
    case 9:
        MediaSlot::get().runProgram(parent, type, command);
        break;
    case 10:
        OpenDocument(command);
        break;
    case 13:
        OpenNotepad(command, parent);
        break;
    default:
        break;
    }
}

QString& CurrentHyperPhrase()
{
    static QString phrase;
    return phrase;
}
