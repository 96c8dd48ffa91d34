// Pictures of rich text rewritten as bitmaps for the Windows reader's rich-text control: only the
// picture groups change, what a converter declines stays byte for byte, and a damaged text is
// never cut.
#include "format/rtfpictures.h"

#include <QTest>

#include <vector>

using bookformat::DibPicture;
using bookformat::RtfPicture;

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
        QCOMPARE(bookformat::ShownWidth(seen[0]), 10); // 300 twips at 50 %
        QCOMPARE(bookformat::ShownHeight(seen[0]), 10);
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

    void shownSize_fromGoalsOrOwnSize()
    {
        RtfPicture metafile;
        metafile.kind = RtfPicture::Kind::WindowsMetafile;
        metafile.width = 2540; // 0.01 mm: an inch
        metafile.height = 1270;
        QCOMPARE(bookformat::ShownWidth(metafile), 96);
        QCOMPARE(bookformat::ShownHeight(metafile), 48);
        RtfPicture bitmap;
        bitmap.kind = RtfPicture::Kind::Png;
        QCOMPARE(bookformat::ShownWidth(bitmap), 0); // nothing told: the picture's own size
    }
};

QTEST_APPLESS_MAIN(RtfPicturesTest)
#include "tst_rtfpictures.moc"
