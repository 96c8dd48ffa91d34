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
    void radioButtons_proposeJpegFirstAndShowTheirGroup()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("A.BMP")), "BM");
        writeBytes(dir.filePath(QStringLiteral("Z.JPG")), "\xFF\xD8");
        ConfigRecord config = configWith(1, QString(), QStringLiteral("PIC.JPG"));
        TCFGDesignBackForm form(config);
        form.show();
        QVERIFY(form.ColorGrpBx->isVisible() && !form.GraphicGrpBx->isVisible());
        click(form.GraphicRBtn);
        QCOMPARE(form.GraphicEdit->text(), QStringLiteral("Z.JPG"));
        KeepScreenshot(form, QStringLiteral("TCFGDesignBackForm"));
        QVERIFY(form.GraphicGrpBx->isVisible() && !form.ColorGrpBx->isVisible());
        QVERIFY(form.fields().wallpaper.isEmpty()); // the proposal empties the other name

        ConfigRecord jpgWallpaper = configWith(3, QString(), QStringLiteral("PIC.JPG"));
        TCFGDesignBackForm wallpaper(jpgWallpaper);
        click(wallpaper.WallpaperRBtn);
        QCOMPARE(wallpaper.WallPaperEdit->text(), QStringLiteral("A.BMP"));

        DisplayRecord display = DefaultDisplay();
        display.WallpaperFile.setText(QStringLiteral("PIC.JPG"));
        TVPDesignBackForm hyper(display, QByteArray()); // this member keeps a .JPG wallpaper name
        click(hyper.WallpaperRBtn);
        QCOMPARE(hyper.fields().wallpaper, QStringLiteral("PIC.JPG"));
    }

    void ok_emptiesTheOtherNamesWhereTheMemberSaysAndCancelKeepsTheRecord()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        ConfigRecord config = configWith(2, QStringLiteral("SKY.JPG"), QStringLiteral("TILE.BMP"));
        TCFGDesignBackForm program(config);
        program.show();
        click(program.ColorRBtn);
        click(program.OKBtn);
        QCOMPARE(config.ProgBackType, 1);
        QVERIFY(config.ProgGraphicFile.text().isEmpty() &&
                config.ProgWallpaperFile.text().isEmpty());

        DisplayRecord chapter = DefaultDisplay();
        chapter.BackType = 2;
        chapter.GraphicFile.setText(QStringLiteral("SKY.JPG"));
        TChapDesignBackForm chapterForm(chapter, DefaultProjectRecord(QStringLiteral("2.2")),
                                        QString());
        chapterForm.show();
        click(chapterForm.ColorRBtn);
        platform.files.answerColor(QColor(0x10, 0x20, 0x30));
        click(chapterForm.Button3);
        QCOMPARE(chapterForm.Panel1->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
        click(chapterForm.OKBtn);
        QCOMPARE(chapter.BackType, 1);
        QCOMPARE(chapter.BackColor, 0x302010);
        QCOMPARE(chapter.GraphicFile.text(), QStringLiteral("SKY.JPG")); // the chapter keeps it

        MenuRecord menu = DefaultProjectRecord(QStringLiteral("2.2")).Menu;
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
        QDir(dir.path()).mkdir(QStringLiteral("book"));
        writeBytes(dir.filePath(QStringLiteral("SEA.JPG")), "\xFF\xD8 outside");
        QDir::setCurrent(dir.filePath(QStringLiteral("book")));
        writeBytes(dir.filePath(QStringLiteral("book/OLD.BMP")), "BM");
        ConfigRecord config = configWith(2, QStringLiteral("OLD.BMP"), QString());
        TCFGDesignBackForm form(config);
        form.show();
        platform.files.answer(dir.filePath(QStringLiteral("SEA.JPG")));
        platform.messages.answer(MessageAnswer::Yes);
        click(form.Button2);
        QCOMPARE(form.GraphicEdit->text(), QStringLiteral("SEA.JPG"));
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Copy the file SEA.JPG to the Project directory?")});
        QCOMPARE(platform.files.asked().first().filter,
                 QStringLiteral("Graphic Files|*.BMP;*.JPG"));
        QCOMPARE(form.FileListBox1->count(), 2); // refreshed
        click(form.OKBtn);
        QCOMPARE(config.ProgGraphicFile.text(), QStringLiteral("SEA.JPG"));
    }

    void view_showsTheBackgroundUntilAPressAndRefusesAJpegWallpaper()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        ConfigRecord config = configWith(1, QString(), QString());
        TCFGDesignBackForm form(config);
        platform.modal.expect<TTBackForm>([](TTBackForm& test) {
            QVERIFY(test.isVisible());
            QTest::mouseClick(&test, Qt::LeftButton, {}, QPoint(10, 10));
            QVERIFY(!test.isVisible());
        });
        click(form.ViewBitBtn);

        ConfigRecord jpg = configWith(3, QString(), QStringLiteral("TILE.JPG"));
        TCFGDesignBackForm refused(jpg);
        click(refused.ViewBitBtn); // the message only: no window comes
        QCOMPARE(platform.messages.texts(),
                 QStringList{
                     QStringLiteral("Wallpaper must be a .BMP file.\n\r\n\rReplace TILE.JPG with a "
                                    ".BMP Graphic.")});
    }
};

QTEST_MAIN(DesignBackTest)
#include "tst_designback.moc"
