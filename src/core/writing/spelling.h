// Spelling through Hunspell and the dictionaries installed on the system, in the language of
// each word (a BCP 47 tag such as "en-GB" or "ru"), with the book's own words beside them.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QTextDocument;

class Spelling
{
public:
    static constexpr int kMostSuggestions = 7;

    explicit Spelling(QString dictionaryFolder = QStringLiteral("/usr/share/hunspell"));
    ~Spelling();
    Spelling(const Spelling&) = delete;
    Spelling& operator=(const Spelling&) = delete;

    // Whether a dictionary of the language is installed.
    bool knows(const QString& language);

    // Whether the word is spelt right: also true for a word of a language without a dictionary,
    // a word ignored, a word of the book's own, and a "word" without letters.
    bool isRight(const QString& word, const QString& language);

    // At most seven spellings the dictionary offers instead.
    QStringList suggestions(const QString& word, const QString& language);

    // Not marked again until the tool closes.
    void ignore(const QString& word);

    // The book's own words: a UTF-8 file, one word a line, in the book's folder.
    void useBookWords(const QString& file);
    // Adds the word to them and writes the file through the one write path.
    void addToBook(const QString& word);

private:
    struct Dictionary;
    Dictionary* dictionaryFor(const QString& language);

    QString m_folder;
    QHash<QString, std::shared_ptr<Dictionary>> m_dictionaries; // null: none for that language
    QSet<QString> m_ignored;
    QSet<QString> m_bookWords;
    QString m_bookFile;
};

// The tool's one checker: words ignored stay ignored until the tool closes.
Spelling& ToolSpelling();

// The file of the book's own words in the book's folder.
QString BookWordsFile(const QString& bookFolder);

// The words of the document spelt wrong, each once in the order of the text: each run in its
// marked language (RTF \lang), else in the language of its script (Cyrillic in an English book
// is Russian), else in the book's.
QStringList MisspelledWords(const QTextDocument& document, const QString& bookLanguage,
                            Spelling& spelling);
