// The encoding rule and the case folding of the format library, held against Qt's own UTF-8 and
// case folding where Qt has them (the library itself knows nothing of Qt); and the bytes of the
// Symbol and Wingdings fonts read as Unicode characters: which names are those fonts, the
// characters books use them for (Greek letters, formula signs, Word's list bullets, check marks),
// and no byte that reads as a private-use code or a control character.
#include "format/records/shortstring.h"
#include "format/text/casefolding.h"
#include "format/text/plaintext.h"
#include "format/text/symbolfonts.h"
#include "format/text/textencoding.h"
#include "format/text/utf8.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <map>

using namespace Qt::StringLiterals;
using bookformat::SymbolCharacter;
using bookformat::SymbolFont;

Q_DECLARE_METATYPE(bookformat::SymbolFont)

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Code points compare as text so a failure names both characters.
QString hex(char32_t code)
{
    return u"U+%1"_s.arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
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

    void fontNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<SymbolFont>("font");
        QTest::newRow("Symbol") << QByteArray("Symbol") << SymbolFont::Symbol;
        QTest::newRow("blanks around, lower case") << QByteArray(" symbol\t") << SymbolFont::Symbol;
        QTest::newRow("Wingdings") << QByteArray("Wingdings") << SymbolFont::Wingdings;
        QTest::newRow("upper case") << QByteArray("WINGDINGS") << SymbolFont::Wingdings;
        QTest::newRow("Wingdings 2") << QByteArray("Wingdings 2") << SymbolFont::None;
        QTest::newRow("Wingdings 3") << QByteArray("Wingdings 3") << SymbolFont::None;
        QTest::newRow("Symbol MT") << QByteArray("Symbol MT") << SymbolFont::None;
        QTest::newRow("a prefix") << QByteArray("Sym") << SymbolFont::None;
        QTest::newRow("Webdings") << QByteArray("Webdings") << SymbolFont::None;
        QTest::newRow("a text font") << QByteArray("Times New Roman") << SymbolFont::None;
        QTest::newRow("blanks only") << QByteArray("  ") << SymbolFont::None;
    }
    void fontNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(SymbolFont, font);
        QVERIFY(bookformat::SymbolFontOf(name.toStdString()) == font);
    }

    void characters_data()
    {
        QTest::addColumn<SymbolFont>("font");
        QTest::addColumn<int>("byte");
        QTest::addColumn<uint>("character");
        const auto row = [](const char* name, SymbolFont font, int byte, uint character) {
            QTest::newRow(name) << font << byte << character;
        };
        const SymbolFont s = SymbolFont::Symbol;
        row("Symbol space", s, 0x20, 0x0020);
        row("Symbol digit", s, '7', '7');
        row("Symbol for all", s, 0x22, 0x2200);
        row("Symbol Alpha", s, 'A', 0x0391);
        row("Symbol Delta, the letter", s, 'D', 0x0394);
        row("Symbol Omega, the letter", s, 'W', 0x03A9);
        row("Symbol final sigma", s, 'V', 0x03C2);
        row("Symbol alpha", s, 'a', 0x03B1);
        row("Symbol phi", s, 'f', 0x03C6);
        row("Symbol phi symbol", s, 'j', 0x03D5);
        row("Symbol mu, the letter", s, 'm', 0x03BC);
        row("Symbol radical extender", s, 0x60, 0x203E);
        row("Symbol euro", s, 0xA0, 0x20AC);
        row("Symbol infinity", s, 0xA5, 0x221E);
        row("Symbol right arrow", s, 0xAE, 0x2192);
        row("Symbol bullet", s, 0xB7, 0x2022);
        row("Symbol not equal", s, 0xB9, 0x2260);
        row("Symbol vertical arrow extender", s, 0xBD, 0x23D0);
        row("Symbol registered, serif", s, 0xD2, 0x00AE);
        row("Symbol copyright, serif", s, 0xD3, 0x00A9);
        row("Symbol trade mark, serif", s, 0xD4, 0x2122);
        row("Symbol square root", s, 0xD6, 0x221A);
        row("Symbol double right arrow", s, 0xDE, 0x21D2);
        row("Symbol registered, sans", s, 0xE2, 0x00AE);
        row("Symbol copyright, sans", s, 0xE3, 0x00A9);
        row("Symbol trade mark, sans", s, 0xE4, 0x2122);
        row("Symbol summation", s, 0xE5, 0x2211);
        row("Symbol left parenthesis top", s, 0xE6, 0x239B);
        row("Symbol curly bracket extension", s, 0xEF, 0x23AA);
        row("Symbol integral", s, 0xF2, 0x222B);
        row("Symbol integral extension", s, 0xF4, 0x23AE);
        row("Symbol right curly bracket bottom", s, 0xFE, 0x23AD);

        const SymbolFont w = SymbolFont::Wingdings;
        row("Wingdings pencil", w, 0x21, 0x1F589);
        row("Wingdings scissors", w, 0x22, 0x2702);
        row("Wingdings telephone", w, 0x28, 0x1F57F);
        row("Wingdings envelope, back", w, 0x2A, 0x1F582);
        row("Wingdings envelope, stamped", w, 0x2B, 0x1F583);
        row("Wingdings hourglass", w, 0x36, 0x23F3);
        row("Wingdings thumbs up", w, 0x43, 0x1F44D);
        row("Wingdings hand pointing right", w, 0x46, 0x261E);
        row("Wingdings hand pointing down", w, 0x48, 0x1F597);
        row("Wingdings smiley", w, 0x4A, 0x263A);
        row("Wingdings frowning face", w, 0x4C, 0x2639);
        row("Wingdings bullet l", w, 'l', 0x26AB);
        row("Wingdings bullet n", w, 'n', 0x25FC);
        row("Wingdings bullet q", w, 'q', 0x2751);
        row("Wingdings bullet v", w, 'v', 0x2756);
        row("Wingdings small diamond", w, 'w', 0x1F799);
        row("Wingdings circled zero", w, 0x80, 0x1F10B);
        row("Wingdings circled one", w, 0x81, 0x2780);
        row("Wingdings bullet", w, 0x9F, 0x2022);
        row("Wingdings bullet section sign", w, 0xA7, 0x25AA);
        row("Wingdings star", w, 0xAB, 0x2605);
        row("Wingdings clock one", w, 0xB7, 0x1F550);
        row("Wingdings arrowhead bullet", w, 0xD8, 0x2B9A);
        row("Wingdings arrow bullet", w, 0xE8, 0x1F87A);
        row("Wingdings white arrow right", w, 0xF0, 0x21E8);
        row("Wingdings ballot x", w, 0xFB, 0x1F5F6);
        row("Wingdings check mark", w, 0xFC, 0x2713);
        row("Wingdings ballot box with x", w, 0xFD, 0x1F5F7);
        row("Wingdings ballot box with check", w, 0xFE, 0x1F5F9);

        for (const SymbolFont font : {s, w}) {
            for (const int byte : {0x00, 0x09, 0x0D, 0x1F, 0x7F, 0xFF}) {
                const QByteArray name =
                    (font == s ? "Symbol " : "Wingdings ") +
                    QByteArray::number(byte, 16).rightJustified(2, '0').toUpper() + ", none";
                row(name.constData(), font, byte, 0);
            }
        }
        row("Symbol 80, unassigned", s, 0x80, 0);
        row("Symbol 9F, unassigned", s, 0x9F, 0);
        row("Symbol F0, unassigned", s, 0xF0, 0);
        row("no symbol font", SymbolFont::None, 'a', 0);
    }
    void characters()
    {
        QFETCH(SymbolFont, font);
        QFETCH(int, byte);
        QFETCH(uint, character);
        QCOMPARE(hex(SymbolCharacter(font, static_cast<unsigned char>(byte))), hex(character));
    }

    // A reader draws every character the tables give: none is private-use, a surrogate or a
    // control, and no two bytes share one (a row copied twice) except the serif and
    // sans-serif forms of (R), (C) and TM in Symbol.
    void everyByte_readsAsADrawnCharacter()
    {
        for (const SymbolFont font : {SymbolFont::Symbol, SymbolFont::Wingdings}) {
            std::map<char32_t, int> uses;
            for (int byte = 0; byte < 256; ++byte) {
                const char32_t c = SymbolCharacter(font, static_cast<unsigned char>(byte));
                if (c == 0)
                    continue;
                QVERIFY2(c >= 0x20 && !(c >= 0x7F && c < 0xA0) && c <= 0x10FFFF,
                         qPrintable(hex(c)));
                QVERIFY2(!(c >= 0xD800 && c <= 0xF8FF) && c < 0xF0000, qPrintable(hex(c)));
                ++uses[c];
            }
            for (const auto& [c, count] : uses) {
                const bool shared =
                    font == SymbolFont::Symbol && (c == 0x00AE || c == 0x00A9 || c == 0x2122);
                QVERIFY2(count == (shared ? 2 : 1), qPrintable(hex(c)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TextEncodingTest)
#include "tst_textencoding.moc"
