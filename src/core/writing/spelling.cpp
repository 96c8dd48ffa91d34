#include "core/writing/spelling.h"

#include "core/epub/epubxhtml.h"
#include "core/files/filestore.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>

#include <cerrno>
#include <hunspell.hxx>
#include <iconv.h>

namespace {

// Converts between UTF-8 and a dictionary's own encoding; empty when the text has no form there.
std::string convert(iconv_t converter, const std::string& text)
{
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* to = out.data();
    size_t outLeft = out.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &to, &outLeft) == size_t(-1))
        return {};
    out.resize(out.size() - outLeft);
    return out;
}

// The dictionary files for a language tag: its region's first ("en-GB" -> en_GB), then the
// language's own country (de_DE, fr_FR), then the language alone (nl), then any of its regions;
// English without a region is en_US.
QString dictionaryFile(const QString& folder, const QString& language)
{
    const QStringList parts = language.split(QLatin1Char('-'));
    const QString primary = parts.value(0).toLower();
    if (primary.isEmpty())
        return {};
    QStringList names;
    for (const QString& part : parts.mid(1)) {
        if (part.size() == 2)
            names << primary + QLatin1Char('_') + part.toUpper();
    }
    if (primary == QLatin1String("en"))
        names << QStringLiteral("en_US");
    names << primary + QLatin1Char('_') + primary.toUpper() << primary;
    const QStringList regional =
        QDir(folder).entryList({primary + QStringLiteral("_*.dic")}, QDir::Files, QDir::Name);
    for (const QString& file : regional)
        names << QFileInfo(file).completeBaseName();
    for (const QString& name : std::as_const(names)) {
        const QString dic = QDir(folder).filePath(name + QStringLiteral(".dic"));
        if (QFileInfo::exists(dic) &&
            QFileInfo::exists(QDir(folder).filePath(name + QStringLiteral(".aff"))))
            return QDir(folder).filePath(name);
    }
    return {};
}

bool hasLetter(const QString& word)
{
    for (const QChar c : word) {
        if (c.isLetter())
            return true;
    }
    return false;
}

} // namespace

struct Spelling::Dictionary
{
    std::unique_ptr<Hunspell> hunspell;
    iconv_t toDictionary = iconv_t(-1);
    iconv_t fromDictionary = iconv_t(-1);

    ~Dictionary()
    {
        if (toDictionary != iconv_t(-1))
            iconv_close(toDictionary);
        if (fromDictionary != iconv_t(-1))
            iconv_close(fromDictionary);
    }

    bool utf8() const { return toDictionary == iconv_t(-1); }

    std::string encode(const QString& word) const
    {
        const std::string text = word.toStdString();
        return utf8() ? text : convert(toDictionary, text);
    }

    QString decode(const std::string& text) const
    {
        return QString::fromStdString(utf8() ? text : convert(fromDictionary, text));
    }
};

Spelling::Spelling(QString dictionaryFolder) : m_folder(std::move(dictionaryFolder)) {}

Spelling::~Spelling() = default;

Spelling::Dictionary* Spelling::dictionaryFor(const QString& language)
{
    const QString key = language.toLower();
    if (const auto known = m_dictionaries.constFind(key); known != m_dictionaries.constEnd())
        return known->get();
    std::shared_ptr<Dictionary> dictionary;
    const QString base = dictionaryFile(m_folder, language);
    if (!base.isEmpty()) {
        dictionary = std::make_shared<Dictionary>();
        dictionary->hunspell = std::make_unique<Hunspell>(
            QFile::encodeName(base + QStringLiteral(".aff")).constData(),
            QFile::encodeName(base + QStringLiteral(".dic")).constData());
        const std::string encoding = dictionary->hunspell->get_dict_encoding();
        if (encoding != "UTF-8") {
            dictionary->toDictionary = iconv_open(encoding.c_str(), "UTF-8");
            dictionary->fromDictionary = iconv_open("UTF-8", encoding.c_str());
            if (dictionary->toDictionary == iconv_t(-1) ||
                dictionary->fromDictionary == iconv_t(-1))
                dictionary.reset(); // an encoding the system cannot convert: not checked
        }
    }
    m_dictionaries.insert(key, dictionary);
    return dictionary.get();
}

bool Spelling::knows(const QString& language)
{
    return dictionaryFor(language) != nullptr;
}

bool Spelling::isRight(const QString& word, const QString& language)
{
    if (!hasLetter(word) || m_ignored.contains(word) || m_bookWords.contains(word))
        return true;
    Dictionary* dictionary = dictionaryFor(language);
    if (!dictionary)
        return true;
    const std::string encoded = dictionary->encode(word);
    return encoded.empty() ? false : dictionary->hunspell->spell(encoded);
}

QStringList Spelling::suggestions(const QString& word, const QString& language)
{
    Dictionary* dictionary = dictionaryFor(language);
    if (!dictionary)
        return {};
    const std::string encoded = dictionary->encode(word);
    if (encoded.empty())
        return {};
    QStringList offered;
    for (const std::string& suggestion : dictionary->hunspell->suggest(encoded)) {
        if (offered.size() == kMostSuggestions)
            break;
        offered << dictionary->decode(suggestion);
    }
    return offered;
}

void Spelling::ignore(const QString& word)
{
    m_ignored.insert(word);
}

void Spelling::useBookWords(const QString& file)
{
    m_bookFile = file;
    m_bookWords.clear();
    if (!filestore::exists(file))
        return;
    const QString text = QString::fromUtf8(filestore::readAll(file));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            m_bookWords.insert(word);
    }
}

void Spelling::addToBook(const QString& word)
{
    if (word.trimmed().isEmpty() || m_bookWords.contains(word))
        return;
    m_bookWords.insert(word);
    QStringList words(m_bookWords.cbegin(), m_bookWords.cend());
    words.sort();
    filestore::writeAll(m_bookFile, words.join(QLatin1Char('\n')).toUtf8() + '\n');
}

Spelling& ToolSpelling()
{
    static Spelling spelling;
    return spelling;
}

QString BookWordsFile(const QString& bookFolder)
{
    return QDir(bookFolder).filePath(QStringLiteral("book-words.txt"));
}

QStringList MisspelledWords(const QTextDocument& document, const QString& bookLanguage,
                            Spelling& spelling)
{
    QStringList wrong;
    QSet<QString> seen;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // Where each run starts in the block, and the language it marks (none: empty).
        QList<std::pair<qsizetype, QString>> runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.append({fragment.position() - block.position(),
                         LanguageTagOf(fragment.charFormat().intProperty(rtfprops::Language))});
        }
        const QString text = block.text();
        QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
        for (qsizetype start = 0, run = 0; start < text.size();) {
            const qsizetype end = words.toNextBoundary();
            if (end < 0)
                break;
            while (run + 1 < runs.size() && runs.at(run + 1).first <= start)
                ++run;
            const QString word = text.mid(start, end - start);
            // Unmarked text is in the language of its script, as the EPUB reads it.
            const QString marked = runs.isEmpty() ? QString() : runs.at(run).second;
            const QString language =
                marked.isEmpty() ? UnmarkedTextLanguage(word, bookLanguage) : marked;
            if (!seen.contains(word) && !spelling.isRight(word, language)) {
                seen.insert(word);
                wrong << word;
            }
            start = end;
        }
    }
    return wrong;
}
