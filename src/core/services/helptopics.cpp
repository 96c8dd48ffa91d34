// Splitting a help page into its topics.
#include "core/services/helptopics.h"

#include <QRegularExpression>

HelpTopics HelpTopics::fromHtml(const QString& html)
{
    HelpTopics topics;
    topics.m_whole = html;
    static const QRegularExpression sectionStart(
        QStringLiteral("<section\\s+id\\s*=\\s*\"(\\d+)\"\\s*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QLatin1String sectionEnd("</section>");
    for (auto it = sectionStart.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype bodyStart = m.capturedEnd();
        qsizetype bodyEnd = html.indexOf(sectionEnd, bodyStart, Qt::CaseInsensitive);
        if (bodyEnd < 0)
            bodyEnd = html.size();
        topics.m_topics.insert(m.captured(1).toInt(), html.mid(bodyStart, bodyEnd - bodyStart));
    }
    return topics;
}

QString HelpTopics::topicHtml(int context) const
{
    if (m_topics.isEmpty())
        return m_whole;
    return m_topics.value(context);
}

QString HelpTopics::title(int context) const
{
    static const QRegularExpression heading(QStringLiteral("<h[12][^>]*>(.*?)</h[12]>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = heading.match(topicHtml(context));
    if (!m.hasMatch())
        return {};
    QString title = m.captured(1);
    title.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return title.simplified();
}
