// RTF written by other programs: every file of the corpus loads, and its words come out in the
// order an office suite reads them. The corpus folder is QUORELLE_RTF_CORPUS when set.
#include "core/richtext/rtfreader.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString corpusDir()
{
    const QString asked = qEnvironmentVariable("QUORELLE_RTF_CORPUS");
    return asked.isEmpty() ? QStringLiteral(QUORELLE_CORPUS_DIR) : asked;
}

bool isUnspacedScript(char32_t c)
{
    static const QList<QChar::Script> unspaced{QChar::Script_Han, QChar::Script_Hiragana,
                                               QChar::Script_Katakana, QChar::Script_Hangul,
                                               QChar::Script_Thai};
    return unspaced.contains(QChar::script(c));
}

// Runs of letters and digits; each character of a script written without spaces stands alone.
std::vector<QString> tokens(const QString& text)
{
    std::vector<QString> result;
    QString current;
    const auto flush = [&] {
        if (!current.isEmpty())
            result.push_back(current);
        current.clear();
    };
    for (const char32_t c : text.toUcs4()) {
        if (isUnspacedScript(c)) {
            flush();
            result.push_back(QString::fromUcs4(&c, 1));
        } else if (QChar::isLetterOrNumber(c)) {
            current += QString::fromUcs4(&c, 1);
        } else {
            flush();
        }
    }
    flush();
    return result;
}

// Length of the longest common subsequence by Myers' difference algorithm; gives up (returns
// the best bound) once the edit distance passes `maxD`.
qsizetype commonLength(const std::vector<QString>& a, const std::vector<QString>& b)
{
    const qsizetype n = qsizetype(a.size());
    const qsizetype m = qsizetype(b.size());
    const qsizetype maxD = std::min<qsizetype>(n + m, std::max<qsizetype>(64, (n + m) / 8));
    std::vector<qsizetype> v(size_t(2 * maxD + 3), 0);
    const qsizetype offset = maxD + 1;
    for (qsizetype d = 0; d <= maxD; ++d) {
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = (k == -d || (k != d && v[k - 1 + offset] < v[k + 1 + offset]))
                              ? v[k + 1 + offset]
                              : v[k - 1 + offset] + 1;
            qsizetype y = x - k;
            while (x < n && y < m && a[size_t(x)] == b[size_t(y)]) {
                ++x;
                ++y;
            }
            v[k + offset] = x;
            if (x >= n && y >= m)
                return (n + m - d) / 2;
        }
    }
    return (n + m - maxD) / 2 - 1;
}

QHash<QString, QString> producers()
{
    QHash<QString, QString> byFile;
    QFile sources(corpusDir() + u"/SOURCES.md"_s);
    if (!sources.open(QIODevice::ReadOnly))
        return byFile;
    for (const QByteArray& line : sources.readAll().split('\n')) {
        const QList<QByteArray> cells = line.split('|');
        if (cells.size() > 4)
            byFile.insert(QString::fromUtf8(cells.at(1).trimmed()),
                          QString::fromUtf8(cells.at(3).trimmed()));
    }
    return byFile;
}

// The document's text with the number of each list item (bullets are no words).
QString textWithListMarkers(const QTextDocument& document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (list && list->format().style() == QTextListFormat::ListDecimal) {
            const int start = std::max(1, list->format().intProperty(rtfprops::ListStart));
            text += QString::number(start + list->itemNumber(block)) + u' ';
        } else if (list && list->format().style() <= QTextListFormat::ListLowerAlpha) {
            text += list->itemText(block) + u' ';
        }
        text += block.text() + u'\n';
    }
    return text;
}

} // namespace

class RtfCorpusTest : public QObject
{
    Q_OBJECT

private slots:
    void corpus_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("required");
        const QHash<QString, QString> made = producers();
        QDirIterator it(corpusDir(), {u"*.rtf"_s, u"*.RTF"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext())
            files << it.next();
        files.sort();
        if (files.isEmpty())
            QSKIP("no RTF corpus here");
        for (const QString& file : std::as_const(files)) {
            const QString relative = QDir(corpusDir()).relativeFilePath(file);
            const bool richEdit = made.value(relative).contains(QLatin1String("RichEdit"));
            QTest::newRow(qPrintable(relative)) << file << (richEdit ? 0.98 : 0.95);
        }
    }

    void corpus()
    {
        QFETCH(QString, file);
        QFETCH(double, required);
        QFile rtf(file);
        QVERIFY(rtf.open(QIODevice::ReadOnly));
        QTextDocument document;
        ReadRtf(rtf.readAll(), document);

        QString expectedName = file;
        expectedName.replace(
            QRegularExpression(u"\\.rtf$"_s, QRegularExpression::CaseInsensitiveOption),
            u".expected.txt"_s);
        QFile expectedFile(expectedName);
        if (!expectedFile.open(QIODevice::ReadOnly)) {
            qInfo("loaded, no expected text  %s",
                  qPrintable(QDir(corpusDir()).relativeFilePath(file)));
            return;
        }
        // A byte-order mark is no word. Some expected texts show the lists' numbers and some do
        // not.
        const std::vector<QString> want = tokens(QString::fromUtf8(expectedFile.readAll()));
        double similarity = 0;
        for (const QString& text : {textWithListMarkers(document), document.toPlainText()}) {
            const std::vector<QString> got = tokens(text);
            const qsizetype total = qsizetype(got.size() + want.size());
            similarity = std::max(similarity,
                                  total == 0 ? 1.0 : 2.0 * commonLength(got, want) / double(total));
        }
        qInfo("similarity %.4f  %s", similarity,
              qPrintable(QDir(corpusDir()).relativeFilePath(file)));
        QVERIFY2(similarity >= required,
                 qPrintable(u"similarity %1 below %2"_s.arg(similarity).arg(required)));
    }
};

QTEST_GUILESS_MAIN(RtfCorpusTest)
#include "tst_rtfcorpus.moc"
