#include "core/writing/importlanguages.h"

#include "core/epub/zipreader.h"
#include "core/files/filestore.h"
#include "core/files/runtimeerror.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"

#include <QFileInfo>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QXmlStreamReader>

namespace {

// The largest XML part read out of an archive: a whole novel's text is a few megabytes.
constexpr qsizetype kLargestPart = 64 * 1024 * 1024;
constexpr qint64 kLargestArchive = 256 * 1024 * 1024;
// How far ahead of the last run a run's text is looked for.
constexpr qsizetype kLookAhead = 2048;

const QString kWord =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");

bool isRightToLeft(QChar c)
{
    return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
}

// A text's languages as word processors keep them: one for most scripts, one for East Asian
// scripts and one for right-to-left ones; each unset falls back to the one beneath it.
struct Languages
{
    QString latin;
    QString eastAsian;
    QString complex;

    Languages over(const Languages& beneath) const
    {
        return {latin.isEmpty() ? beneath.latin : latin,
                eastAsian.isEmpty() ? beneath.eastAsian : eastAsian,
                complex.isEmpty() ? beneath.complex : complex};
    }
    // The language of a text, by the script of its first letter.
    QString of(const QString& text) const
    {
        for (const QChar c : text) {
            if (!c.isLetter())
                continue;
            if (IsEastAsian(c.unicode()) && !eastAsian.isEmpty())
                return eastAsian;
            if (isRightToLeft(c) && !complex.isEmpty())
                return complex;
            return latin;
        }
        return latin;
    }
};

void addRun(QList<LanguageRun>& runs, const QString& text, const QString& tag)
{
    if (text.isEmpty())
        return;
    if (!runs.isEmpty() && !runs.last().ends && runs.last().tag == tag)
        runs.last().text += text;
    else
        runs << LanguageRun{text, tag, false};
}

void endParagraph(QList<LanguageRun>& runs)
{
    if (!runs.isEmpty())
        runs.last().ends = true;
}

Languages wordLanguages(const QXmlStreamAttributes& lang)
{
    return {lang.value(kWord, QLatin1String("val")).toString(),
            lang.value(kWord, QLatin1String("eastAsia")).toString(),
            lang.value(kWord, QLatin1String("bidi")).toString()};
}

Languages wordDefaults(const QByteArray& styles)
{
    QXmlStreamReader xml(styles);
    bool inDefaults = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.namespaceUri() != kWord)
            continue;
        if (xml.name() == u"docDefaults")
            inDefaults = xml.isStartElement();
        else if (inDefaults && xml.isStartElement() && xml.name() == u"lang")
            return wordLanguages(xml.attributes());
    }
    return {};
}

// An OpenDocument language: "de" and "DE" make "de-DE"; "zxx" and "none" say no language.
QString odfTag(const QXmlStreamAttributes& attributes, const QString& ns, QLatin1String language,
               QLatin1String country)
{
    const QString tag = attributes.value(ns, language).toString();
    if (tag.isEmpty() || tag == u"zxx" || tag == u"none")
        return {};
    const QString region = attributes.value(ns, country).toString();
    return region.isEmpty() || region == u"none" ? tag : tag + u'-' + region;
}

Languages odfLanguages(const QXmlStreamAttributes& properties)
{
    return {
        odfTag(properties, kFo, QLatin1String("language"), QLatin1String("country")),
        odfTag(properties, kStyle, QLatin1String("language-asian"), QLatin1String("country-asian")),
        odfTag(properties, kStyle, QLatin1String("language-complex"),
               QLatin1String("country-complex"))};
}

// Every named style's languages and parent, and the paragraphs' default, from one part.
struct OdfStyles
{
    QHash<QString, Languages> own;
    QHash<QString, QString> parent;
    Languages defaults;

    void read(const QByteArray& part)
    {
        QXmlStreamReader xml(part);
        QString style; // the style whose properties come next; "" for the default
        bool inStyle = false;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (!xml.isStartElement())
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (xml.namespaceUri() == kStyle && xml.name() == u"style") {
                style = attributes.value(kStyle, QLatin1String("name")).toString();
                parent.insert(
                    style, attributes.value(kStyle, QLatin1String("parent-style-name")).toString());
                inStyle = true;
            } else if (xml.namespaceUri() == kStyle && xml.name() == u"default-style") {
                inStyle = attributes.value(kStyle, QLatin1String("family")) == u"paragraph";
                style.clear();
            } else if (inStyle && xml.namespaceUri() == kStyle &&
                       xml.name() == u"text-properties") {
                if (style.isEmpty())
                    defaults = odfLanguages(attributes);
                else
                    own.insert(style, odfLanguages(attributes));
            }
        }
    }
    // A style's languages over its parents', over the default.
    Languages of(const QString& name) const
    {
        Languages languages;
        QString at = name;
        for (int depth = 0; !at.isEmpty() && depth < 32; ++depth) {
            languages = languages.over(own.value(at));
            at = parent.value(at);
        }
        return languages.over(defaults);
    }
};

qsizetype markRun(QTextDocument& document, const QString& plain, qsizetype& from,
                  const LanguageRun& run)
{
    const QString text = run.text.trimmed();
    const int id = LanguageIdOf(run.tag); // a region the table lacks reads as its language
    if (text.isEmpty() || id == 0)
        return 0;
    const qsizetype at = plain.indexOf(text, from);
    if (at < 0 || at - from > kLookAhead)
        return 0;
    QTextCursor cursor(&document);
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + text.size()), QTextCursor::KeepAnchor);
    QTextCharFormat language;
    language.setProperty(rtfprops::Language, id);
    cursor.mergeCharFormat(language);
    from = at + text.size();
    return text.size();
}

} // namespace

QList<LanguageRun> WordLanguageRuns(const QByteArray& document, const QByteArray& styles)
{
    const Languages defaults = wordDefaults(styles);
    QList<LanguageRun> runs;
    QXmlStreamReader xml(document);
    Languages run;
    QString text;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.namespaceUri() != kWord)
            continue;
        const bool start = xml.isStartElement();
        if (start && xml.name() == u"r") {
            run = {};
            text.clear();
        } else if (start && xml.name() == u"lang") {
            run = wordLanguages(xml.attributes());
        } else if (start && xml.name() == u"t") {
            text += xml.readElementText();
        } else if (start && xml.name() == u"tab") {
            text += u'\t';
        } else if (xml.isEndElement() && xml.name() == u"r") {
            addRun(runs, text, run.over(defaults).of(text));
        } else if (xml.isEndElement() && xml.name() == u"p") {
            endParagraph(runs);
        }
    }
    return runs;
}

QList<LanguageRun> OpenDocumentLanguageRuns(const QByteArray& content, const QByteArray& styles)
{
    OdfStyles known;
    known.read(styles);
    known.read(content); // the automatic styles
    QList<LanguageRun> runs;
    QXmlStreamReader xml(content);
    QList<Languages> open; // the paragraph's, then each span's within it
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        const bool inText = xml.namespaceUri() == kText;
        const bool paragraph = inText && (xml.name() == u"p" || xml.name() == u"h");
        if (inText && xml.isStartElement() && (paragraph || xml.name() == u"span")) {
            const Languages own =
                known.of(xml.attributes().value(kText, QLatin1String("style-name")).toString());
            open << (open.isEmpty() ? own : own.over(open.last()));
        } else if (inText && xml.isEndElement() && (paragraph || xml.name() == u"span")) {
            if (!open.isEmpty())
                open.removeLast();
            if (paragraph)
                endParagraph(runs);
        } else if (xml.isCharacters() && !open.isEmpty()) {
            const QString text = xml.text().toString();
            addRun(runs, text, open.last().of(text));
        } else if (inText && xml.isStartElement() && xml.name() == u"s" && !open.isEmpty()) {
            addRun(runs, QStringLiteral(" "), open.last().latin);
        }
    }
    return runs;
}

QList<LanguageRun> LanguageRunsOfFile(const QString& path)
{
    if (QFileInfo(path).size() > kLargestArchive)
        return {};
    try {
        const QByteArray archive = filestore::readAll(path);
        const auto part = [&archive](const char* name) {
            return ReadZipFile(archive, QString::fromLatin1(name), kLargestPart)
                .value_or(QByteArray());
        };
        if (QFileInfo(path).suffix().compare(u"docx", Qt::CaseInsensitive) == 0)
            return WordLanguageRuns(part("word/document.xml"), part("word/styles.xml"));
        return OpenDocumentLanguageRuns(part("content.xml"), part("styles.xml"));
    } catch (const RunTimeError&) {
        return {};
    }
}

qsizetype MarkLanguages(QTextDocument& document, const QList<LanguageRun>& runs)
{
    const QString plain = document.toPlainText();
    qsizetype from = 0;
    qsizetype marked = 0;
    for (const LanguageRun& run : runs)
        marked += markRun(document, plain, from, run);
    return marked;
}
