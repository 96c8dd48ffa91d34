// How the names and sources of sections compare: without regard to case, by Unicode's case
// folding, so "Белые ночи" finds "БЕЛЫЕ НОЧИ" as "Paris" finds "PARIS".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The form in which two names that are the same phrase are equal.
QString SectionNameKey(const QString& name);

// Compares stored names, as bytes of a file in its encoding, with one wanted name. Names of ASCII
// letters only compare byte by byte; any other is decoded and folded.
class SectionNameMatcher
{
public:
    SectionNameMatcher(const QString& wanted, bool utf8);

    bool matches(QByteArrayView stored) const;
    // The wanted name's ASCII letters upper-cased, when it is all ASCII (the fast path), else
    // empty.
    const QByteArray& asciiUpper() const { return m_asciiUpper; }
    bool isAscii() const { return m_ascii; }

private:
    QString m_key;
    QByteArray m_asciiUpper;
    bool m_ascii;
    bool m_utf8;
};

// Whether every byte is below 0x80.
bool IsAscii(QByteArrayView bytes);
