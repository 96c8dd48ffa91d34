// Seeded random damage to section files: every rule of the format library must give a defined
// result, never crash or read outside its data, and find what a plain reading of the rules finds.
// Run it under the asan preset too; QUORELLE_FUZZ_ROUNDS raises the number of rounds.
#include "format/book/sectionindex.h"
#include "format/sections/introsection.h"
#include "format/sections/languagesection.h"
#include "format/sections/sectionrules.h"
#include "format/text/textencoding.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A Windows-1252 file, or (every other round) a UTF-8 one with its mark and a Cyrillic phrase.
QByteArray seedFile(bool utf8 = false)
{
    const QByteArray sections =
        "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP,30\r\n]\r\n\r\n"
        "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n{\\rtf1 hi}\r\n]\r\n\r\n"
        "[Pop]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\nfullscreen=true\r\n]\r\n\r\n"
        "[PARIS]\r\nsource=hyper\r\ntype=3\r\ncommand=P.WAV\r\n]\r\n\r\n";
    if (!utf8)
        return sections;
    return QByteArray(bookformat::kUtf8Mark.data()) + sections +
           QString::fromUtf8("[Белые ночи]\r\nsource=HYPER\r\ntype=2\r\ncommand=W.BMP\r\n]\r\n")
               .toUtf8();
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& random)
{
    static const QByteArray alphabet("[]\r\n=xX ^\0\xff", 12);
    const int edits = 1 + random.bounded(6);
    for (int e = 0; e < edits; ++e) {
        const int pos = bytes.isEmpty() ? 0 : random.bounded(int(bytes.size()));
        switch (random.bounded(4)) {
        case 0:
            bytes.insert(pos, alphabet.at(random.bounded(int(alphabet.size()))));
            break;
        case 1:
            bytes.remove(pos, 1 + random.bounded(8));
            break;
        case 2:
            if (!bytes.isEmpty())
                bytes[pos] = char(random.bounded(256));
            break;
        default:
            bytes.truncate(pos);
        }
    }
    return bytes;
}

// The section rules written plainly, as the reference the engine's fast scanner is held against:
// lines end at CR LF, LF or CR; a header is a line starting with "["; its name is what lies
// between its first and last character; the next line is its source line, whose source starts
// after "source="; the body runs to the line "]"; the last matching section wins.
QList<QByteArray> referenceLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString decodeAs(const QByteArray& bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes)
                : QString::fromStdString(bookformat::Windows1252ToUtf8(view(bytes)));
}

// A file's text after its mark, and whether the mark says UTF-8.
QByteArray withoutMark(const QByteArray& file, bool& utf8)
{
    utf8 = file.startsWith(bookformat::kUtf8Mark.data());
    return utf8 ? file.mid(3) : file;
}

QStringList toQt(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

// A file starting with the UTF-8 mark is UTF-8, any other Windows-1252; names compare by
// Unicode case folding.
std::optional<QStringList> referenceEntry(const QByteArray& file, const QString& name)
{
    bool utf8 = false;
    const QByteArray bytes = withoutMark(file, utf8);
    const auto decode = [utf8](const QByteArray& b) { return decodeAs(b, utf8); };
    const QList<QByteArray> lines = referenceLines(bytes);
    std::optional<QStringList> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        if (!line.startsWith('['))
            continue;
        const QByteArray header = line.mid(1, line.size() - 2); // "[" alone has an empty name
        const QByteArray sourceLine = lines.value(i + 1);
        if (decode(header).toCaseFolded() != name.toCaseFolded() ||
            decode(sourceLine.mid(7)).toCaseFolded() != u"hyper"_s)
            continue;
        QStringList entry{decode(header), decode(sourceLine)};
        for (qsizetype j = i + 2; j < lines.size(); ++j) {
            entry << decode(lines.at(j));
            if (lines.at(j) == "]")
                break;
        }
        found = entry;
    }
    return found;
}

// Names of the headers of a file without control characters, the ones the reference compares.
QStringList headerNames(const QByteArray& file)
{
    bool utf8 = false;
    const QByteArray bytes = withoutMark(file, utf8);
    QStringList names;
    for (const QByteArray& line : referenceLines(bytes)) {
        const bool printable =
            std::all_of(line.cbegin(), line.cend(), [](char c) { return c < 0 || c >= 0x20; });
        if (line.startsWith('[') && line.size() >= 2 && printable)
            names << decodeAs(line.mid(1, line.size() - 2), utf8);
    }
    return names;
}

std::optional<QStringList> engineEntry(const QByteArray& file, const QString& name)
{
    bool utf8 = false;
    const QByteArray bytes = withoutMark(file, utf8);
    const auto lines = bookformat::FindSection(view(bytes), utf8, name.toStdString(), "HYPER");
    return lines ? std::optional(toQt(*lines)) : std::nullopt;
}

int rounds()
{
    const int asked = qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS");
    return asked > 0 ? asked : 4000;
}

} // namespace

class SectionFuzzTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedSectionFiles_giveDefinedResults()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < rounds(); ++round) {
            const QByteArray damaged = mutate(seedFile(round % 2 == 1), random);
            const QString context = QString::fromLatin1(damaged.toPercentEncoding());
            const QStringList compared = headerNames(damaged) << u"paris"_s;
            for (const QString& name : compared)
                QVERIFY2(engineEntry(damaged, name) == referenceEntry(damaged, name),
                         qPrintable(name + u' ' + context));
            bool utf8 = false;
            const QByteArray bytes = withoutMark(damaged, utf8);
            const std::vector<std::string> names =
                bookformat::SectionNames(view(bytes), utf8, "HYPER");
            bookformat::FindIntroText(view(bytes), utf8);
            const std::string compiled = bookformat::CompileSections(view(damaged));
            const bookformat::CompiledSections sections(compiled);
            for (const std::string& name : names)
                sections.find(name, "HYPER");

            // A rewrite replaces the entry it names, and a deleted entry is gone.
            const bool hadParis = referenceEntry(damaged, u"Paris"_s).has_value();
            const std::string paris = bookformat::EncodeSectionLines(
                {"[Paris]", "source=HYPER", "type=3", "command=x", "]", ""}, utf8);
            const QByteArray mark = damaged.left(damaged.size() - bytes.size());
            QByteArray replaced = mark + QByteArray::fromStdString(bookformat::ReplaceSections(
                                             view(bytes), utf8, "Paris", "HYPER", paris));
            if (hadParis)
                QCOMPARE(engineEntry(replaced, u"Paris"_s),
                         QStringList(
                             {u"Paris"_s, u"source=HYPER"_s, u"type=3"_s, u"command=x"_s, u"]"_s}));
            const std::string deleted = bookformat::ReplaceSections(view(replaced.mid(mark.size())),
                                                                    utf8, "Pop", "HYPER", {});
            QVERIFY2(!engineEntry(mark + QByteArray::fromStdString(deleted), u"Pop"_s),
                     qPrintable(context));
            QVERIFY(!bookformat::HasSection(deleted, utf8, "Pop", "HYPER"));
        }
    }

    // A stored language is taken only in the form of a tag, held against the form written as a
    // pattern; anything else is no language at all.
    void languageTags_takenOnlyInTheirForm()
    {
        static const QRegularExpression form(u"^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$"_s);
        QRandomGenerator random(35);
        const QString alphabet = u"aZ9-\u00E9 x"_s;
        for (int round = 0; round < rounds(); ++round) {
            QString tag;
            for (int i = random.bounded(40); i > 0; --i)
                tag += alphabet.at(random.bounded(alphabet.size()));
            const bool expected = tag.size() <= 35 && form.match(tag).hasMatch();
            QVERIFY2(bookformat::IsLanguageTag(tag.toStdString()) == expected, qPrintable(tag));
            const QString trimmed = tag.trimmed();
            const bool storedForm = trimmed.size() <= 35 && form.match(trimmed).hasMatch();
            const std::string stored = bookformat::StoredLanguage(
                {"^LANGUAGE^", "source=BOOK", "language= " + tag.toStdString() + " ", "]"});
            QCOMPARE(QString::fromStdString(stored), storedForm ? trimmed : QString());
        }
        QCOMPARE(bookformat::StoredLanguage(bookformat::LanguageSectionLines("pt-BR")), "pt-BR");
    }
};

QTEST_GUILESS_MAIN(SectionFuzzTest)
#include "tst_sectionfuzz.moc"
