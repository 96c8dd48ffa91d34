// Find in the entry chooser.
#include "core/sections/entrysearch.h"

int EntrySearch::find(const QStringList& lines, const QString& text, bool first)
{
    m_lastText = text;
    if (first)
        m_lastMatch = -1;
    for (int i = m_lastMatch + 1; i < lines.size(); ++i) {
        if (lines.at(i).contains(text, Qt::CaseInsensitive)) {
            m_lastMatch = i;
            return i;
        }
    }
    return -1;
}
