// Rich text rewritten for the Windows reader's rich-text control: pictures as bitmaps, where
// only the picture groups change, what a converter declines stays byte for byte, and a damaged
// text is never cut; list marks as text, its own numbering left out and a Symbol or Wingdings
// mark as its Unicode character. And the pictures a runtime may decode, told by their headers
// alone.
#include "format/reader/picturefile.h"
#include "format/rtf/rtflistmarks.h"
#include "format/rtf/rtfnesting.h"
#include "format/rtf/rtfpictures.h"

#include <QBuffer>
#include <QImage>
#include <QSize>
#include <QTest>

#include <vector>

using bookformat::DibPicture;
using bookformat::RtfPicture;

namespace {

const QByteArray kFonts = "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fnil"
                          "\\fcharset2{\\*\\panose 05050102010706020507}Symbol;}"
                          "{\\f2\\fnil\\fcharset2 Wingdings;}}";

QByteArray marked(const QByteArray& rtf)
{
    const std::string out = bookformat::ListMarksAsText(rtf.toStdString());
    return QByteArray::fromStdString(out);
}

} // namespace

class RtfPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void pictureGroups_readAndReplaced()
    {
        // Hexadecimal data at the group's level only: a nested group's hex, a character
        // written \'hh and the picture's words are not data; \bin data is taken raw.
        const std::string rtf = "{\\rtf1 A{\\pict\\pngblip\\picw10\\pich5\\picwgoal300"
                                "\\pichgoal150\\picscalex50{\\*\\blipuid ffff}\\'41 89 50\n4e}B"
                                "{\\pict\\jpegblip\\bin3 {}\\}C{\\picture}}";
        std::vector<RtfPicture> seen;
        const std::string out = bookformat::ReplaceRtfPictures(rtf, [&](const RtfPicture& p) {
            seen.push_back(p);
            return std::optional<DibPicture>(DibPicture{std::string("\x01\xAB", 2), 2, 1});
        });
        QCOMPARE(seen.size(), std::size_t(2));
        QCOMPARE(int(seen[0].kind), int(RtfPicture::Kind::Png));
        QCOMPARE(seen[0].data, std::string("\x89\x50\x4e"));
        QCOMPARE(seen[0].width, 10);
        QCOMPARE(seen[0].widthGoal, 300);
        QCOMPARE(seen[0].scaleX, 50);
        QCOMPARE(bookformat::ShownPictureSize(seen[0], std::nullopt)->width, 10); // 300 twips, 50 %
        QCOMPARE(bookformat::ShownPictureSize(seen[0], std::nullopt)->height, 10);
        QCOMPARE(int(seen[1].kind), int(RtfPicture::Kind::Jpeg));
        QCOMPARE(seen[1].data, std::string("{}\\"));
        const std::string dib = "{\\pict\\dibitmap0\\picw2\\pich1\\picwgoal30\\pichgoal15\n01ab}";
        QCOMPARE(out, "{\\rtf1 A" + dib + "B" + dib + "C{\\picture}}");
    }

    void declinedOrDamaged_keptByteForByte()
    {
        const auto decline = [](const RtfPicture&) { return std::optional<DibPicture>(); };
        const std::string rtf = "{\\rtf1 {\\pict\\dibitmap0 00ff}x{\\pict\\wmetafile8 0102}}";
        QCOMPARE(bookformat::ReplaceRtfPictures(rtf, decline), rtf);
        // A group the text ends inside, or \bin claiming more bytes than follow, is left alone.
        const auto convert = [](const RtfPicture&) {
            return std::optional<DibPicture>(DibPicture{"x", 1, 1});
        };
        for (const std::string damaged :
             {"{\\rtf1 {\\pict\\pngblip 8950", "{\\rtf1 {\\pict\\pngblip\\bin999 ab}}"})
            QCOMPARE(bookformat::ReplaceRtfPictures(damaged, convert), damaged);
    }

    // The sides the headers declare are those Qt decodes; a header that declares more than the
    // bound, or cannot be read, keeps the picture from any decoder.
    void declaredSize_boundsDecodingBeforeItStarts()
    {
        const auto encoded = [](const char* format, int width, int height) {
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, format);
            return buffer.data().toStdString();
        };
        for (const char* format : {"PNG", "JPEG", "BMP", "ICO"}) {
            const std::string bytes = encoded(format, 37, 21);
            const std::optional<bookformat::PictureSize> size =
                bookformat::DeclaredPictureSize(bytes);
            QVERIFY2(size && size->width == 37 && size->height == 21, format);
            QVERIFY(bookformat::MayDecodePicture(bytes));
        }
        // 30000 x 30000 pixels in a PNG's header, and in an icon's entry.
        std::string huge = encoded("PNG", 37, 21);
        huge.replace(16, 8, std::string("\0\0\x75\x30\0\0\x75\x30", 8));
        QVERIFY(!bookformat::MayDecodePicture(huge));
        const std::string icon = std::string("\0\0\1\0\1\0\0\0\0\0\1\0\x20\0", 14) +
                                 std::string("\0\0\0\0\x16\0\0\0", 8) + huge;
        QVERIFY(!bookformat::MayDecodePicture(icon));
        // A JPEG frame of 5000 x 4000 after an application segment.
        const std::string jpeg("\xFF\xD8\xFF\xE0\0\x04xx\xFF\xC2\0\x11\x08\x0F\xA0\x13\x88", 17);
        const std::optional<bookformat::PictureSize> frame = bookformat::DeclaredPictureSize(jpeg);
        QVERIFY(frame && frame->width == 5000 && frame->height == 4000);
        QVERIFY(!bookformat::MayDecodePicture(jpeg));
        // A bitmap stored top row first has a negative height; a negative width is damage.
        std::string bmp = encoded("BMP", 4096, 1);
        bmp.replace(22, 4, std::string("\xFF\xFF\xFF\xFF", 4));
        QVERIFY(bookformat::MayDecodePicture(bmp));
        bmp.replace(18, 4, std::string("\x01\x10\0\0", 4)); // 4097 x 1 is still within
        QVERIFY(bookformat::MayDecodePicture(bmp));
        bmp.replace(18, 4, std::string("\xFF\xFF\xFF\xFF", 4));
        QVERIFY(!bookformat::MayDecodePicture(bmp));
        for (const std::string& unknown :
             {huge.substr(0, 20), std::string("\xFF\xD8\xFF\xDA\0\x02"), std::string("II*\0"),
              std::string()})
            QVERIFY(!bookformat::MayDecodePicture(unknown));
        QVERIFY(bookformat::MayDecodePicture(std::string("\x01\0\x09\0\0\x03", 6))); // metafile
    }

    // GDI draws a plain bitmap from the file's own bytes: the offsets must name the blue pixels
    // the file holds, and anything cut short, compressed or of another depth goes to a decoder.
    void plainBitmap_pointsAtItsPixelsOrIsRefused()
    {
        const auto bmp = [](QImage image) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "BMP");
            return buffer.data().toStdString();
        };
        QImage blue(37, 21, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        const std::string bytes = bmp(blue);
        const std::optional<bookformat::PlainBitmap> plain = bookformat::PlainBitmapOf(bytes);
        QVERIFY(plain && plain->width == 37 && plain->height == 21 && plain->infoOffset == 14);
        QCOMPARE(bytes.substr(plain->bitsOffset, 3), std::string("\xFF\0\0", 3));

        // Its pixels, at every depth it may have, are those Qt reads from the same file; a file
        // stored top row first is read the other way up.
        QImage photo(37, 21, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x * 7, y * 12, (x * y) % 256));
        const auto pixelsOf = [](const QImage& image) {
            std::vector<std::uint32_t> pixels;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    pixels.push_back(image.pixel(x, y) & 0xFFFFFFu);
            return pixels;
        };
        for (const QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_Mono}) {
            const std::string file = bmp(photo.convertToFormat(format));
            const std::optional<bookformat::PlainBitmap> read = bookformat::PlainBitmapOf(file);
            QVERIFY(read);
            QCOMPARE(bookformat::PlainBitmapPixels(file, *read),
                     pixelsOf(QImage::fromData(QByteArray::fromStdString(file), "BMP")));
        }
        // A picture of few colours Qt stores at four bits a pixel.
        const QImage three = photo.copy(0, 0, 3, 1);
        const std::string nibbles = bmp(three.convertToFormat(
            QImage::Format_Indexed8, {three.pixel(0, 0), three.pixel(1, 0), three.pixel(2, 0)}));
        const std::optional<bookformat::PlainBitmap> four = bookformat::PlainBitmapOf(nibbles);
        QVERIFY(four && four->depth == 4);
        QCOMPARE(bookformat::PlainBitmapPixels(nibbles, *four), pixelsOf(three));

        std::string topFirst = bytes;
        topFirst.replace(22, 4, std::string("\xEB\xFF\xFF\xFF", 4)); // -21
        QCOMPARE(bookformat::PlainBitmapOf(topFirst)->height, -21);
        std::string twoRows = bmp(photo.copy(0, 0, 37, 2));
        twoRows.replace(22, 4, std::string("\xFE\xFF\xFF\xFF", 4)); // -2
        const std::vector<std::uint32_t> flipped =
            bookformat::PlainBitmapPixels(twoRows, *bookformat::PlainBitmapOf(twoRows));
        QCOMPARE(flipped[0], photo.pixel(0, 1) & 0xFFFFFFu);
        QCOMPARE(flipped[37], photo.pixel(0, 0) & 0xFFFFFFu);
        std::string rle = bytes;
        rle[30] = 1;
        std::string tall = bytes;
        tall.replace(22, 4, std::string("\x16\0\0\0", 4)); // a row more than the file holds
        for (const std::string& refused :
             {bytes.substr(0, bytes.size() - 1), rle, tall, bytes.substr(0, 40), std::string("BM")})
            QVERIFY(!bookformat::PlainBitmapOf(refused));
    }

    // Groups beyond the bound are opened into the group around them: their words and control
    // words stay, escaped braces and \bin data are no groups, and the text's end stays whole.
    void nesting_flattenedBeyondTheBound()
    {
        // 42 groups deep: the document, forty of bold, and one holding braces as \bin data.
        std::string deep = "{\\rtf1 a";
        for (int i = 0; i < 40; ++i)
            deep += "{\\b x";
        deep += "\\{ {\\*\\bin3 }{}}" + std::string(40, '}') + "}";
        QCOMPARE(bookformat::RtfNestingDepth(deep), 42);
        const std::string flat = bookformat::FlattenRtfNesting(deep, 30);
        QCOMPARE(bookformat::RtfNestingDepth(flat), 30);
        std::string expected = "{\\rtf1 a";
        for (int i = 0; i < 29; ++i)
            expected += "{\\b x";
        for (int i = 29; i < 40; ++i)
            expected += "\\b x";
        expected += "\\{ \\*\\bin3 }{}" + std::string(30, '}');
        QCOMPARE(flat, expected);
        QCOMPARE(bookformat::FlattenRtfNesting(flat, 30), flat);
        // Unbalanced text and a cut \bin lose nothing.
        for (const std::string& text : {std::string("}}{a"), std::string("{\\bin99 {{{")})
            QCOMPARE(bookformat::FlattenRtfNesting(text, 1), text);
    }

    // One sizing rule for every runtime: goals scaled, else the picture's own size (a
    // metafile's from 0.01 mm), each side on its own; never below a pixel, and shrunk to the
    // largest side a picture may have with its proportions kept.
    void shownSize_oneRuleForEveryRuntime()
    {
        const auto shown = [](RtfPicture picture,
                              std::optional<bookformat::PictureSize> decoded = std::nullopt) {
            const std::optional<bookformat::PictureSize> size =
                bookformat::ShownPictureSize(picture, decoded);
            return size ? QSize(int(size->width), int(size->height)) : QSize();
        };
        RtfPicture metafile;
        metafile.kind = RtfPicture::Kind::WindowsMetafile;
        metafile.width = 2540; // 0.01 mm: an inch
        metafile.height = 1270;
        QCOMPARE(shown(metafile, bookformat::PictureSize{5, 5}), QSize(96, 48));

        RtfPicture png;
        png.kind = RtfPicture::Kind::Png;
        QCOMPARE(shown(png), QSize()); // nothing told: the caller's place-holder
        QCOMPARE(shown(png, bookformat::PictureSize{40, 30}), QSize(40, 30));
        png.widthGoal = 1500; // only the width told: the height is the picture's own
        png.scaleX = 0;       // a scale of 0 is no scale
        png.scaleY = 50;
        QCOMPARE(shown(png, bookformat::PictureSize{40, 30}), QSize(100, 15));
        png.scaleX = 1;
        png.heightGoal = 15;
        QCOMPARE(shown(png), QSize(1, 1));

        RtfPicture huge;
        huge.kind = RtfPicture::Kind::Jpeg;
        huge.widthGoal = 8192 * 15;
        huge.heightGoal = 1024 * 15;
        QCOMPARE(shown(huge), QSize(4096, 512));
    }

    void listMarks_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("the tool's bullet")
            << QByteArray("{\\pntext \\u8226?\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb "
                          "\\u8226?}}\\li720 A\\par")
            << QByteArray("{\\u8226?\\tab}\\li720 A\\par");
        QTest::newRow("the tool's number")
            << QByteArray("{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody\\pnindent0\\pnstart2\\pndec{"
                          "\\pntxta.}}B\\par")
            << QByteArray("{2.\\tab}B\\par");
        QTest::newRow("a Symbol bullet of Word 95")
            << QByteArray("{\\pntext\\f1\\'B7\\tab}{\\*\\pn \\pnlvlblt\\pnf1\\pnindent360{"
                          "\\pntxtb\\'B7}}\\fi-360\\li720 C\\par")
            << QByteArray("{\\u8226?\\tab}\\fi-360\\li720 C\\par");
        QTest::newRow("a Symbol bullet of Word 97, after a plain font")
            << QByteArray("{\\listtext\\pard\\plain\\f1\\fs20 \\'b7\\tab}\\ls1 D\\par")
            << QByteArray("{\\listtext\\pard\\plain\\fs20 \\u8226?\\tab}\\ls1 D\\par");
        QTest::newRow("a Wingdings check mark")
            << QByteArray("{\\pntext\\f2\\'FC\\tab}E\\par") << QByteArray("{\\u10003?\\tab}E\\par");
        QTest::newRow("a mark in the text's own font")
            << QByteArray("{\\pntext\\f0 -\\tab}F\\par") << QByteArray("{\\f0 -\\tab}F\\par");
    }
    void listMarks()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, shown);
        QVERIFY(bookformat::HasRtfListMarks(list.toStdString()));
        QCOMPARE(marked(kFonts + list + "}"), kFonts + shown + "}");
    }

    // Symbol characters outside a mark are the control's to draw, in the font the file names.
    void textWithoutMarks_unchanged()
    {
        const QByteArray text = kFonts + "\\f1\\'61\\'62 {\\*\\pnseclvl1\\pnucrm} \\pntext{}" +
                                "{\\b\\ul phrase}\\par}";
        QCOMPARE(marked(text), text);
        QVERIFY(!bookformat::HasRtfListMarks("{\\rtf1 plain\\par}"));
    }
};

QTEST_APPLESS_MAIN(RtfPicturesTest)
#include "tst_rtfpictures.moc"
