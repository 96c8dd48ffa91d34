// A help file: an HTML page whose topics are the <section id="N"> elements, N being the help
// context. A page without such sections is one topic, shown for every context.
#pragma once

#include <QList>
#include <QMap>
#include <QString>

class HelpTopics
{
public:
    static HelpTopics fromHtml(const QString& html);

    bool isEmpty() const { return m_whole.isEmpty(); }
    bool hasTopic(int context) const { return m_topics.contains(context); }
    QList<int> contexts() const { return m_topics.keys(); }

    // The topic's HTML; the whole page when the file has no topics; empty for an unknown context.
    QString topicHtml(int context) const;
    QString title(int context) const;

private:
    QString m_whole;
    QMap<int, QString> m_topics;
};
