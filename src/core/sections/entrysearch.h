// The find rules of the entry chooser: search downward from the line after the last match for a
// line that contains the text, without regard to case.
#pragma once

#include <QStringList>

class EntrySearch
{
public:
    // Returns the index of the matching line, or -1 (the chooser then selects the first line).
    // A first search starts from the top again.
    int find(const QStringList& lines, const QString& text, bool first);

    const QString& lastText() const { return m_lastText; }
    void setLastText(const QString& text) { m_lastText = text; }
    int lastMatch() const { return m_lastMatch; }

private:
    QString m_lastText;
    int m_lastMatch = -1;
};
