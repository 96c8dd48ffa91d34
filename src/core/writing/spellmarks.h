// The editor's marks under words spelt wrong: a red wavy line drawn in the text's layout, never a
// format of the text, so it is never saved, never read as an underline and never taken for a
// HyperText phrase. The blocks in view are checked first; the rest a few at a time behind.
#pragma once

#include <QSet>
#include <QSyntaxHighlighter>

class QTimer;
class Spelling;

class SpellMarks : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    SpellMarks(Spelling& spelling, QString bookLanguage, QObject* parent);

    // Marks the document's words from now on (an editor may show another document).
    void follow(QTextDocument* document);

    void setMarking(bool marking);
    bool marking() const { return m_marking; }

    // The blocks the author sees, checked before the others.
    void setBlocksInView(int first, int last);

    // Whether every block has been checked since the text last changed as a whole.
    bool checkedAll() const;

    // The language of the text at a position: its run's marked language, else the book's.
    QString languageAt(int position) const;

    // The languages met that have no dictionary.
    QStringList languagesWithoutDictionary() const;

signals:
    void languageWithoutDictionary(const QString& language);

protected:
    void highlightBlock(const QString& text) override;

private:
    bool due(const QTextBlock& block) const;
    void checkBehind();
    void restart();

    Spelling& m_spelling;
    QString m_bookLanguage;
    bool m_marking = true;
    int m_firstInView = 0;
    int m_lastInView = -1;
    int m_checkedBefore = 0; // blocks before it are checked
    QTimer* m_behind;
    QSet<QString> m_missing;
    QMetaObject::Connection m_changes;
};
