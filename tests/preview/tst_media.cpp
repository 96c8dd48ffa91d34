// Shows, sounds, the media player and the program runner, on the silent media device.
#include "doubles.h"
#include "testdir.h"

#include "core/pictures/commandvalue.h"
#include "preview/mediaplayform.h"
#include "preview/programrunner.h"
#include "preview/readerscreen.h"
#include "preview/showmultform.h"

#include <QFrame>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace {

// A short WAV: RIFF header and a few silent samples.
QByteArray wavBytes()
{
    QByteArray data(800, '\0');
    QByteArray wav = "RIFF";
    const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    wav += u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(8000) + u32(8000) +
           u16(1) + u16(8);
    wav += "data" + u32(data.size()) + data;
    return wav;
}

void makeMedia(const CurrentTempDir& dir)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.save(dir.filePath(QStringLiteral("pic.bmp")));
    writeBytes(dir.filePath(QStringLiteral("snd.wav")), wavBytes());
    writeBytes(dir.filePath(QStringLiteral("BAD.WAV")), "not a sound");
    writeBytes(dir.filePath(QStringLiteral("tune.mid")), "MThd");
    writeBytes(dir.filePath(QStringLiteral("film.avi")), "RIFF....AVI ");
    writeBytes(dir.filePath(QStringLiteral("BROKEN.AVI")), "text");
}

} // namespace

class MediaTest : public QObject
{
    Q_OBJECT

private slots:
    void parseShowCommand_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("video");
        QTest::addColumn<int>("delay");
        QTest::newRow("picture, sound, tenths")
            << QStringLiteral("pic.bmp,snd.wav,50") << QStringLiteral("PIC.BMP")
            << QStringLiteral("SND.WAV") << QString() << 5000;
        QTest::newRow("later picture wins")
            << QStringLiteral("a.jpg,b.wmf") << QStringLiteral("B.WMF") << QString() << QString()
            << 0;
        QTest::newRow("substring tests")
            << QStringLiteral("x.bmp.wav") << QStringLiteral("X.BMP.WAV")
            << QStringLiteral("X.BMP.WAV") << QString() << 0;
        QTest::newRow("video and midi") << QStringLiteral("f.avi,t.mid") << QString()
                                        << QStringLiteral("T.MID") << QStringLiteral("F.AVI") << 0;
        QTest::newRow("only six elements")
            << QStringLiteral("1,2,3,4,5,6,a.bmp") << QString() << QString() << QString() << 600;
        QTest::newRow("not whole numbers") << QStringLiteral("p.bmp,1.5") << QStringLiteral("P.BMP")
                                           << QString() << QString() << 0;
    }
    void parseShowCommand()
    {
        QFETCH(QString, value);
        const ShowCommandParts parts = ParseShowCommand(value);
        QTEST(parts.picture, "picture");
        QTEST(parts.sound, "sound");
        QTEST(parts.video, "video");
        QTEST(parts.delayMs, "delay");
    }

    void programArguments_keepPathsWhole()
    {
        using L = QStringList;
        QCOMPARE(ProgramArguments(HyperTextType::ExecutableProgram,
                                  QStringLiteral("C:\\TOOLS\\VIEW.EXE,DATA.TXT \"a b\""),
                                  QString()),
                 L({QStringLiteral("C:\\TOOLS\\VIEW.EXE"), QStringLiteral("DATA.TXT"),
                    QStringLiteral("a b")}));
        QCOMPARE(ProgramArguments(HyperTextType::ExecutableProgram, QStringLiteral("MY GAME.EXE"),
                                  QString()),
                 L{QStringLiteral("MY GAME.EXE")});
        QCOMPARE(ProgramArguments(HyperTextType::WindowsProgram,
                                  QStringLiteral("WRITE.EXE NOTES.TXT"),
                                  QStringLiteral("/my books/a/")),
                 L({QStringLiteral("WRITE.EXE"), QStringLiteral("/my books/a/NOTES.TXT")}));
    }

    void runProgram_findsTheProgramInTheProjectFirst()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("game.sh")), "#!/bin/sh\n");
        RunProgram(HyperTextType::ExecutableProgram, QStringLiteral("GAME.SH,-x two"),
                   dir.path() + QLatin1Char('/'));
        RunProgram(HyperTextType::WindowsProgram, QStringLiteral("sh NOTES.TXT"),
                   dir.path() + QLatin1Char('/'));
        QCOMPARE(platform.programs.runs().size(), 2);
        QCOMPARE(platform.programs.runs().at(0),
                 dir.filePath(QStringLiteral("game.sh")) + QStringLiteral("|-x|two"));
        QVERIFY(platform.programs.runs().at(1).endsWith(QStringLiteral("|") + dir.path() +
                                                        QStringLiteral("/NOTES.TXT")));
    }

    // A book names programs and documents in any letter case (often in capitals): they are found
    // in the book's folder and on the path all the same. A program that cannot start is reported.
    void runProgram_findsNamesInAnyCaseAndReportsAFailedStart()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("bin"));
        const QString program = dir.filePath(QStringLiteral("bin/show-notes"));
        writeBytes(program, "#!/bin/sh\n");
        QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        writeBytes(dir.filePath(QStringLiteral("notes.txt")), "words");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.filePath(QStringLiteral("bin"))) + ':' + path);
        const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });

        RunProgram(HyperTextType::WindowsProgram, QStringLiteral("SHOW-NOTES NOTES.TXT"),
                   dir.path() + QLatin1Char('/'));
        QCOMPARE(platform.programs.runs(), QStringList{program + QLatin1Char('|') +
                                                       dir.filePath(QStringLiteral("notes.txt"))});

        platform.programs.starts = false;
        RunProgram(HyperTextType::ExecutableProgram, QStringLiteral("NO-SUCH-PROGRAM,x"),
                   dir.path() + QLatin1Char('/'));
        QCOMPARE(platform.programs.runs().size(), 2);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The program NO-SUCH-PROGRAM could not be started.")});
    }

    void showCommand_whichWindowOpens()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        makeMedia(dir);
        // A video wins over a picture: only the player opens.
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QVERIFY(player.Bevel1->isVisibleTo(&player));
            QCOMPARE(player.Bevel1->size(), QSize(168, 128));
            QCOMPARE(player.height(), 48 + 128 + 8);
            QCOMPARE(player.windowTitle(), QStringLiteral("Press the Start button"));
            player.reject();
        });
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("pic.bmp,film.avi"),
                    QStringLiteral("Press the Start button"), nullptr);
        // A tune alone opens the player with only its button row.
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QCOMPARE(player.height(), 48);
            QVERIFY(!player.Bevel1->isVisibleTo(&player));
            player.Timer1Timer();
            QCOMPARE(player.Gauge1->value(), 500);
            player.reject();
        });
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("tune.mid"), QString(), nullptr);
        // A sound alone plays without a window.
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("snd.wav"), QString(), nullptr);
        QCOMPARE(platform.media.calls(),
                 QStringList({QStringLiteral("open film.avi"), QStringLiteral("step"),
                              QStringLiteral("open tune.mid"), QStringLiteral("step"),
                              QStringLiteral("wave 844 bytes")}));
        QVERIFY(platform.messages.shown().isEmpty());
    }

    void showCommand_missingAndBrokenFiles()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        makeMedia(dir);
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("pic.bmp,gone.wav"), QString(), nullptr);
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("gone.jpg,snd.wav"), QString(), nullptr);
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("gone.avi,pic.bmp"), QString(), nullptr);
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("broken.avi"), QString(), nullptr);
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("bad.wav"), QString(), nullptr);
        QCOMPARE(
            platform.messages.texts(),
            QStringList({QStringLiteral("The file GONE.WAV is missing"),
                         QStringLiteral("The file GONE.JPG is missing"),
                         QStringLiteral("The file GONE.AVI is missing"),
                         QStringLiteral("The file BROKEN.AVI cannot be played: not a media file"),
                         QStringLiteral("The file BAD.WAV cannot be played: not a WAV sound")}));

        platform.media.waveDevices = 0; // without a sound output WAV sounds are skipped
        platform.media.clearCalls();
        ShowCommand(QStringLiteral("Cap"), QStringLiteral("snd.wav"), QString(), nullptr);
        QVERIFY(platform.media.calls().isEmpty());
    }

    void pictureShow_timersAndCloseKeys()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        makeMedia(dir);
        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QCOMPARE(show.windowTitle(), QStringLiteral("Sun"));
            QVERIFY(show.Timer2->isActive());
            QCOMPARE(show.Timer2->interval(), 5000);
            QVERIFY(show.Timer1->isActive()); // the sound starts 10 ms after the show appears
            QCOMPARE(show.Timer1->interval(), 10);
            show.Timer1Timer();
            show.Timer2Timer();
        });
        ShowCommand(QStringLiteral("Sun"), QStringLiteral("pic.bmp,snd.wav,50"), QString(),
                    nullptr);
        QCOMPARE(platform.media.calls(), QStringList{QStringLiteral("wave 844 bytes")});

        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QVERIFY(!show.Timer2->isActive()); // no number: the show stays until closed
            QVERIFY(!show.Timer1->isActive());
            QTest::keyClick(&show, Qt::Key_Return);
            QVERIFY(!show.isVisible());
        });
        ShowCommand(QStringLiteral("Sun"), QStringLiteral("pic.bmp"), QString(), nullptr);

        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QTest::mouseClick(show.Image1, Qt::RightButton);
            QVERIFY(!show.isVisible());
        });
        ShowCommand(QStringLiteral("Sun"), QStringLiteral("pic.bmp"), QString(), nullptr);
    }
};

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
