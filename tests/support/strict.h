// What makes the test doubles strict: a double fails the running test when the code shows a window
// or message, or asks a question, that the test did not script, and when a scripted answer or an
// event the test never looked at is left over as the double goes away.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace strict {

// Records a failure of the running test and lets it go on, so that one run names every fault.
void fail(const QString& what);

} // namespace strict

// How an entry of a log is named in a failure; doubles add overloads for their own entries.
inline QString eventText(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
inline QString eventText(int number)
{
    return QString::number(number);
}

// What a double was asked, in order. The test must read it: entries that nobody read fail the
// test when the log goes away, so a test cannot pass because it never looked.
template <class T> class EventLog
{
public:
    explicit EventLog(const char* what) : m_what(what) {}
    ~EventLog()
    {
        if (m_read < m_items.size())
            strict::fail(QStringLiteral("%1 that the test never looked at: %2")
                             .arg(QLatin1String(m_what), describe(m_read)));
    }
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    void add(const T& item) { m_items.append(item); }
    // Everything so far, now counted as seen.
    const QList<T>& read()
    {
        m_read = m_items.size();
        return m_items;
    }
    // Drops what was logged so far, on purpose.
    void clear()
    {
        m_items.clear();
        m_read = 0;
    }

private:
    QString describe(qsizetype from) const
    {
        QStringList texts;
        for (qsizetype i = from; i < m_items.size(); ++i)
            texts << eventText(m_items.at(i));
        return texts.join(QStringLiteral(", "));
    }

    const char* m_what;
    QList<T> m_items;
    qsizetype m_read = 0;
};

// Answers a double gives in order. Asking with none left fails the test; answers left over when
// the double goes away fail it too.
template <class T> class AnswerScript
{
public:
    explicit AnswerScript(const char* what) : m_what(what) {}
    ~AnswerScript()
    {
        if (!m_answers.isEmpty())
            strict::fail(QStringLiteral("%1 scripted but never asked for: %2")
                             .arg(QLatin1String(m_what))
                             .arg(m_answers.size()));
    }
    AnswerScript(const AnswerScript&) = delete;
    AnswerScript& operator=(const AnswerScript&) = delete;

    void add(const T& answer) { m_answers.append(answer); }
    // The next answer; `fallback` after failing the test when none was scripted for `question`.
    T next(const QString& question, const T& fallback)
    {
        if (m_answers.isEmpty()) {
            strict::fail(QStringLiteral("unscripted %1: %2").arg(QLatin1String(m_what), question));
            return fallback;
        }
        return m_answers.takeFirst();
    }

private:
    const char* m_what;
    QList<T> m_answers;
};
