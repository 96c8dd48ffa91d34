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

using namespace Qt::StringLiterals;

namespace {

void makeMedia(const CurrentTempDir& dir)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.save(dir.filePath(u"pic.bmp"_s));
    writeBytes(dir.filePath(u"snd.wav"_s),
               readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/WAVE.WAV")));
    writeBytes(dir.filePath(u"BAD.WAV"_s), "not a sound");
    writeBytes(dir.filePath(u"tune.mid"_s), "MThd");
    writeBytes(dir.filePath(u"film.avi"_s), "RIFF....AVI ");
    writeBytes(dir.filePath(u"BROKEN.AVI"_s), "text");
}

} // namespace

class MediaTest : public QObject
{
    Q_OBJECT

private slots:
    // A book names programs and documents in any letter case (often in capitals): a program not in
    // the book's folder is found on the path, and a document in the book's folder (a program of
    // the book's folder is found in tst_readerscreens' program question). A program that cannot
    // start is reported.
    void runProgram_findsNamesInAnyCaseAndReportsAFailedStart()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkdir(u"bin"_s);
        const QString program = dir.filePath(u"bin/show-notes"_s);
        writeBytes(program, "#!/bin/sh\n");
        QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        writeBytes(dir.filePath(u"notes.txt"_s), "words");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.filePath(u"bin"_s)) + ':' + path);
        const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });

        RunProgram(HyperTextType::WindowsProgram, u"SHOW-NOTES NOTES.TXT"_s, folder);
        QCOMPARE(platform.programs.runs(),
                 QStringList{program + QLatin1Char('|') + dir.filePath(u"notes.txt"_s)});

        platform.programs.starts = false;
        RunProgram(HyperTextType::ExecutableProgram, u"NO-SUCH-PROGRAM,x"_s, folder);
        QCOMPARE(platform.programs.runs().size(), 2);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"The program NO-SUCH-PROGRAM could not be started."_s});
    }

    // Which window a show opens, and the messages for files that are missing or cannot be played.
    void showCommand_whichWindowOpensOrWhatIsMissing()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        makeMedia(dir);
        // A video wins over a picture: only the player opens.
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QVERIFY(player.Bevel1->isVisibleTo(&player));
            QCOMPARE(player.Bevel1->size(), QSize(168, 128));
            QCOMPARE(player.height(), 48 + 128 + 8);
            QCOMPARE(player.windowTitle(), u"Press the Start button"_s);
            player.reject();
        });
        ShowCommand(u"Cap"_s, u"pic.bmp,film.avi"_s, u"Press the Start button"_s, nullptr);
        // A tune alone opens the player with only its button row.
        platform.modal.expect<TMediaPlayForm>([](TMediaPlayForm& player) {
            QCOMPARE(player.height(), 48);
            QVERIFY(!player.Bevel1->isVisibleTo(&player));
            player.Timer1Timer();
            QCOMPARE(player.Gauge1->value(), 500);
            player.reject();
        });
        ShowCommand(u"Cap"_s, u"tune.mid"_s, QString(), nullptr);
        // A sound alone plays without a window.
        ShowCommand(u"Cap"_s, u"snd.wav"_s, QString(), nullptr);
        QCOMPARE(platform.media.calls(),
                 QStringList({u"open film.avi"_s, u"step"_s, u"open tune.mid"_s, u"step"_s,
                              u"wave 4044 bytes"_s}));
        QVERIFY(platform.messages.shown().isEmpty());

        ShowCommand(u"Cap"_s, u"pic.bmp,gone.wav"_s, QString(), nullptr);
        ShowCommand(u"Cap"_s, u"gone.jpg,snd.wav"_s, QString(), nullptr);
        ShowCommand(u"Cap"_s, u"gone.avi,pic.bmp"_s, QString(), nullptr);
        ShowCommand(u"Cap"_s, u"broken.avi"_s, QString(), nullptr);
        ShowCommand(u"Cap"_s, u"bad.wav"_s, QString(), nullptr);
        QCOMPARE(platform.messages.texts(),
                 QStringList({u"The file GONE.WAV is missing"_s, u"The file GONE.JPG is missing"_s,
                              u"The file GONE.AVI is missing"_s,
                              u"The file BROKEN.AVI cannot be played: not a media file"_s,
                              u"The file BAD.WAV cannot be played: not a WAV sound"_s}));

        platform.media.waveDevices = 0; // without a sound output WAV sounds are skipped
        platform.media.clearCalls();
        ShowCommand(u"Cap"_s, u"snd.wav"_s, QString(), nullptr);
        QVERIFY(platform.media.calls().isEmpty());
    }

    void pictureShow_timersAndCloseKeys()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        makeMedia(dir);
        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QCOMPARE(show.windowTitle(), u"Sun"_s);
            QVERIFY(show.Timer2->isActive());
            QCOMPARE(show.Timer2->interval(), 5000);
            QVERIFY(show.Timer1->isActive()); // the sound starts 10 ms after the show appears
            QCOMPARE(show.Timer1->interval(), 10);
            show.Timer1Timer();
            show.Timer2Timer();
        });
        ShowCommand(u"Sun"_s, u"pic.bmp,snd.wav,50"_s, QString(), nullptr);
        QCOMPARE(platform.media.calls(), QStringList{u"wave 4044 bytes"_s});

        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QVERIFY(!show.Timer2->isActive()); // no number: the show stays until closed
            QVERIFY(!show.Timer1->isActive());
            QTest::keyClick(&show, Qt::Key_Return);
            QVERIFY(!show.isVisible());
        });
        ShowCommand(u"Sun"_s, u"pic.bmp"_s, QString(), nullptr);

        platform.modal.expect<TShowMultForm>([](TShowMultForm& show) {
            QTest::mouseClick(show.Image1, Qt::RightButton);
            QVERIFY(!show.isVisible());
        });
        ShowCommand(u"Sun"_s, u"pic.bmp"_s, QString(), nullptr);
    }
};

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
