// The encoding rule and the case folding of the format library, held against Qt's own UTF-8 and
// case folding where Qt has them. The library itself knows nothing of Qt.
#include "format/records/shortstring.h"
#include "format/text/casefolding.h"
#include "format/text/plaintext.h"
#include "format/text/textencoding.h"
#include "format/text/utf8.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

class TextEncodingTest : public QObject
{
    Q_OBJECT

private slots:
    // A field holds Windows-1252 when it can, else UTF-8 cut between characters, and reads back
    // what it holds; bytes that are not valid UTF-8 read as Windows-1252.
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("Windows-1252") << u"Caf\u00E9 \u20AC5"_s
                                      << QByteArray("Caf\xE9 \x80"
                                                    "5")
                                      << u"Caf\u00E9 \u20AC5"_s;
        QTest::newRow("Cyrillic cut between characters")
            << u"\u0411\u0435\u043B\u044B\u0435 \u043D"_s
            << u"\u0411\u0435\u043B\u044B\u0435"_s.toUtf8() << u"\u0411\u0435\u043B\u044B\u0435"_s;
        QTest::newRow("Japanese, three bytes each")
            << u"\u6771\u4EAC\u90FD\u5E9C"_s << u"\u6771\u4EAC\u90FD"_s.toUtf8()
            << u"\u6771\u4EAC\u90FD"_s;
        QTest::newRow("outside the plane")
            << u"ab\U0001F600\U0001F600\U0001F600"_s << u"ab\U0001F600\U0001F600"_s.toUtf8()
            << u"ab\U0001F600\U0001F600"_s;
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        const std::string field = bookformat::EncodeField(utf8(text), 10);
        QCOMPARE(QByteArray::fromStdString(field), stored);
        QCOMPARE(QString::fromStdString(bookformat::DecodeField(field)), readBack);
        QCOMPARE(bookformat::DecodeField("\xC3\xA9t\xC3"),
                 std::string("\xC3\x83\xC2\xA9t\xC3\x83"));
    }

    // A string[N] cuts to its capacity and keeps the bytes after its length; a damaged length
    // reads as the capacity.
    void pstring_cutsAndKeepsTrailingBytes()
    {
        bookformat::PString<5> s;
        std::memset(&s, 'q', sizeof s);
        s.setUtf8("abcdefgh");
        QCOMPARE(s.utf8(), std::string("abcde"));
        s.setUtf8("xy");
        QCOMPARE(std::string(reinterpret_cast<const char*>(&s), sizeof s),
                 std::string("\x02xycde"));
        s.length = 200;
        QCOMPARE(s.bytes(), std::string_view("xycde"));
    }

    // A notes file as the notepad reads and saves it: the byte-order mark is never text, and
    // bytes after it that are not UTF-8 come back unchanged from a save.
    void plainText_markNeverShownAndBytesKept()
    {
        bool wasUtf8 = false;
        QCOMPARE(bookformat::DecodePlainText("\xEF\xBB\xBF\xD0\x9C\xD0\xB8\xD1\x80\r\n", wasUtf8),
                 utf8(u"\u041C\u0438\u0440\r\n"_s));
        QVERIFY(wasUtf8);
        const std::string damaged = "caf\xE9 \xD0\x9C\r\n"; // one Windows-1252 letter
        const std::string text = bookformat::DecodePlainText("\xEF\xBB\xBF" + damaged, wasUtf8);
        QVERIFY(!wasUtf8);
        QCOMPARE(QString::fromStdString(text), u"caf\u00E9 \u00D0\u0153\r\n"_s);
        QCOMPARE(bookformat::PlainTextFileBytes(text, wasUtf8), damaged);
    }

    void windows1252_everyByteRoundTrips()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const std::string text = bookformat::Windows1252ToUtf8(all);
        QCOMPARE(QString::fromStdString(text).at(0x80), QChar(0x20AC));
        QCOMPARE(bookformat::Utf8ToWindows1252(text), all);
        QVERIFY(bookformat::FitsWindows1252(text));
        QVERIFY(!bookformat::FitsWindows1252(utf8(u"\u0436"_s)));
        QCOMPARE(bookformat::Utf8ToWindows1252(utf8(u"a\u0436"_s) + "\xFF"), std::string("a??"));
    }

    // Random bytes: the reader of code points agrees with Qt on what is valid UTF-8, a walk ends,
    // and a prefix is never cut inside a character.
    void utf8_randomBytesAgreeWithQt()
    {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 20000; ++round) {
            std::string bytes(random.bounded(12), '\0');
            for (char& c : bytes)
                c = static_cast<char>(random.bounded(2) ? 0x80 + random.bounded(0x80)
                                                        : random.bounded(256));
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded =
                decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
            QCOMPARE(bookformat::IsValidUtf8(bytes), !decoder.hasError());
            if (decoder.hasError())
                continue;
            QCOMPARE(QString::fromStdString(bookformat::FoldCase(bytes)), decoded.toCaseFolded());
            const std::string_view prefix = bookformat::Utf8Prefix(bytes, random.bounded(12));
            QVERIFY(bookformat::IsValidUtf8(prefix));
        }
    }

    // The table is Unicode 15's; Qt's is its own release's. They agree on every code point either
    // folds, apart from the characters only the later release has.
    // A text reads from the right as Qt says it does, in every script the books use.
    void rightToLeft_agreesWithQt()
    {
        for (const char* text : {"שלום", "مرحبا", "Hello", "123 שלום", "(«Привет»)", "日本語", "",
                                 "!? ", "1 abc", "Ελληνικά", "٣ مرحبا", "\xCC\x81שלום", "ﺍﻟﻌﺮﺑﻴﺔ"})
            QCOMPARE(bookformat::IsRightToLeft(text), QString::fromUtf8(text).isRightToLeft());
    }

    void caseFolding_agreesWithQt()
    {
        QStringList differing;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            if (bookformat::FoldCase(c) != QChar::toCaseFolded(c) &&
                QChar::unicodeVersion(c) != QChar::Unicode_Unassigned)
                differing << QString::number(c, 16);
        }
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(u' ')));
        QCOMPARE(bookformat::FoldCase(utf8(u"\u039F\u0394\u038C\u03A3 \u03C2 CAF\u00C9"_s)),
                 utf8(u"\u03BF\u03B4\u03CC\u03C3 \u03C3 caf\u00E9"_s));
    }
};

QTEST_GUILESS_MAIN(TextEncodingTest)
#include "tst_textencoding.moc"
