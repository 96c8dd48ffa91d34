// Bringing an outside file into the project directory.
#include "doubles.h"
#include "testdir.h"

#include "ui/common/bringfile.h"

#include <QTest>

using namespace Qt::StringLiterals;

class BringFileTest : public QObject
{
    Q_OBJECT

private slots:
    void bringFile_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("alreadyThere");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QByteArray>("contentAfter");
        QTest::newRow("yes copies") << true << false << u"SKY.JPG"_s << QByteArray("outside");
        QTest::newRow("no keeps the old name") << false << false << u"OLD.JPG"_s << QByteArray();
        QTest::newRow("yes never overwrites")
            << true << true << u"SKY.JPG"_s << QByteArray("inside");
        QTest::newRow("no, but the name exists")
            << false << true << u"SKY.JPG"_s << QByteArray("inside");
    }

    void bringFile()
    {
        QFETCH(bool, yes);
        QFETCH(bool, alreadyThere);
        QFETCH(QString, result);
        QFETCH(QByteArray, contentAfter);
        PlatformDoubles platform;
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(u"outside"_s);
        QDir(dir.path()).mkdir(u"project"_s);
        writeBytes(dir.filePath(u"outside/SKY.JPG"_s), "outside");
        if (alreadyThere)
            writeBytes(dir.filePath(u"project/SKY.JPG"_s), "inside");
        platform.files.answer(dir.filePath(u"outside/SKY.JPG"_s));
        platform.messages.answer(yes ? MessageAnswer::Yes : MessageAnswer::No);

        FileChoice choice;
        choice.filter = u"Graphic Files|*.BMP;*.JPG"_s;
        const QString name =
            BringFileIntoProject(nullptr, choice, dir.filePath(u"project"_s), u"OLD.JPG"_s);
        QCOMPARE(name, result);
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"Copy the file SKY.JPG to the Project directory?"_s});
        QCOMPARE(readBytes(dir.filePath(u"project/SKY.JPG"_s)), contentAfter);
    }

    void cancelledPick_keepsTheName()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        platform.files.answer(QString());
        QCOMPARE(BringFileIntoProject(nullptr, FileChoice{}, dir.path(), u"A.BMP"_s), u"A.BMP"_s);
        QVERIFY(platform.messages.shown().isEmpty());
    }
};

QTEST_MAIN(BringFileTest)
#include "tst_bringfile.moc"
