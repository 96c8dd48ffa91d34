// The background design windows: the proposals of the radio buttons, Find File with its copy
// question, the colour dialog, what "&OK" stores per member, and the background test window.
#include "clicks.h"
#include "doubles.h"
#include "screenshots.h"
#include "testdir.h"

#include "core/project/records.h"
#include "platform/filelists.h"
#include "ui/design/cfgdesignbackform.h"
#include "ui/design/chapdesignbackform.h"
#include "ui/design/menudesignbackform.h"
#include "ui/design/tbackform.h"
#include "ui/design/vpdesignbackform.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ConfigRecord configWith(int type, const QString& graphic, const QString& wallpaper)
{
    ConfigRecord config = DefaultConfig();
    config.ProgBackType = type;
    config.ProgGraphicFile.setText(graphic);
    config.ProgWallpaperFile.setText(wallpaper);
    return config;
}

} // namespace

class DesignBackTest : public QObject
{
    Q_OBJECT

private slots:
    // The radio buttons propose a file and show their group; the view shows the background until
    // a press, and the program's wallpaper is a .BMP picture: the view refuses a JPEG one and the
    // radio button proposes one in its place.
    void radioButtons_proposeJpegFirstAndShowTheirGroup()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"A.BMP"_s), "BM");
        writeBytes(dir.filePath(u"Z.JPG"_s), "\xFF\xD8");
        ConfigRecord config = configWith(1, QString(), u"PIC.JPG"_s);
        TCFGDesignBackForm form(config);
        form.show();
        QVERIFY(form.ColorGrpBx->isVisible() && !form.GraphicGrpBx->isVisible());
        platform.modal.expect<TTBackForm>([](TTBackForm& test) {
            QVERIFY(test.isVisible());
            QTest::mouseClick(&test, Qt::LeftButton, {}, QPoint(10, 10));
            QVERIFY(!test.isVisible());
        });
        click(form.ViewBitBtn);
        click(form.GraphicRBtn);
        QCOMPARE(form.GraphicEdit->text(), u"Z.JPG"_s);
        KeepScreenshot(form, u"TCFGDesignBackForm"_s);
        QVERIFY(form.GraphicGrpBx->isVisible() && !form.ColorGrpBx->isVisible());
        QVERIFY(form.fields().wallpaper.isEmpty()); // the proposal empties the other name

        ConfigRecord jpgWallpaper = configWith(3, QString(), u"PIC.JPG"_s);
        TCFGDesignBackForm wallpaper(jpgWallpaper);
        click(wallpaper.ViewBitBtn); // the message only: no window comes
        QCOMPARE(platform.messages.texts(),
                 QStringList{
                     QStringLiteral("Wallpaper must be a .BMP file.\n\r\n\rReplace PIC.JPG with a "
                                    ".BMP Graphic.")});
        click(wallpaper.WallpaperRBtn);
        QCOMPARE(wallpaper.WallPaperEdit->text(), u"A.BMP"_s);

        DisplayRecord display = DefaultDisplay();
        display.WallpaperFile.setText(u"PIC.JPG"_s);
        TVPDesignBackForm hyper(display, QByteArray()); // this member keeps a .JPG wallpaper name
        click(hyper.WallpaperRBtn);
        QCOMPARE(hyper.fields().wallpaper, u"PIC.JPG"_s);
    }

    void ok_emptiesTheOtherNamesWhereTheMemberSaysAndCancelKeepsTheRecord()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        ConfigRecord config = configWith(2, u"SKY.JPG"_s, u"TILE.BMP"_s);
        TCFGDesignBackForm program(config);
        program.show();
        click(program.ColorRBtn);
        click(program.OKBtn);
        QCOMPARE(config.ProgBackType, 1);
        QVERIFY(config.ProgGraphicFile.text().isEmpty() &&
                config.ProgWallpaperFile.text().isEmpty());

        DisplayRecord chapter = DefaultDisplay();
        chapter.BackType = 2;
        chapter.GraphicFile.setText(u"SKY.JPG"_s);
        TChapDesignBackForm chapterForm(chapter, DefaultProjectRecord(u"2.2"_s), QString());
        chapterForm.show();
        click(chapterForm.ColorRBtn);
        platform.files.answerColor(QColor(0x10, 0x20, 0x30));
        click(chapterForm.Button3);
        QCOMPARE(chapterForm.Panel1->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
        click(chapterForm.OKBtn);
        QCOMPARE(chapter.BackType, 1);
        QCOMPARE(chapter.BackColor, 0x302010);
        QCOMPARE(chapter.GraphicFile.text(), u"SKY.JPG"_s); // the chapter keeps it

        MenuRecord menu = DefaultProjectRecord(u"2.2"_s).Menu;
        const int before = menu.MenuDisplay.BackType;
        TMenuDesignBackForm menuForm(menu);
        menuForm.show();
        click(menuForm.GraphicRBtn);
        QTest::keyClick(&menuForm, Qt::Key_Escape);
        QCOMPARE(menu.MenuDisplay.BackType, before);
    }

    void findFile_bringsTheFileAndOkStoresItsName()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(u"book"_s);
        writeBytes(dir.filePath(u"SEA.JPG"_s), "\xFF\xD8 outside");
        QDir::setCurrent(dir.filePath(u"book"_s));
        writeBytes(dir.filePath(u"book/OLD.BMP"_s), "BM");
        ConfigRecord config = configWith(2, u"OLD.BMP"_s, QString());
        TCFGDesignBackForm form(config);
        form.show();
        platform.files.answer(dir.filePath(u"SEA.JPG"_s));
        platform.messages.answer(MessageAnswer::Yes);
        click(form.Button2);
        QCOMPARE(form.GraphicEdit->text(), u"SEA.JPG"_s);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Copy the file SEA.JPG to the Project directory?"_s});
        QCOMPARE(platform.files.asked().first().filter, u"Graphic Files|*.BMP;*.JPG"_s);
        QCOMPARE(form.FileListBox1->count(), 2); // refreshed
        click(form.OKBtn);
        QCOMPARE(config.ProgGraphicFile.text(), u"SEA.JPG"_s);
    }
};

QTEST_MAIN(DesignBackTest)
#include "tst_designback.moc"
