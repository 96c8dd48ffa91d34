// Bringing an outside file into the project directory.
#include "doubles.h"
#include "testdir.h"

#include "ui/common/bringfile.h"

#include <QTest>

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
        QTest::newRow("yes copies")
            << true << false << QStringLiteral("SKY.JPG") << QByteArray("outside");
        QTest::newRow("no keeps the old name")
            << false << false << QStringLiteral("OLD.JPG") << QByteArray();
        QTest::newRow("yes never overwrites")
            << true << true << QStringLiteral("SKY.JPG") << QByteArray("inside");
        QTest::newRow("no, but the name exists")
            << false << true << QStringLiteral("SKY.JPG") << QByteArray("inside");
    }

    void bringFile()
    {
        QFETCH(bool, yes);
        QFETCH(bool, alreadyThere);
        QFETCH(QString, result);
        QFETCH(QByteArray, contentAfter);
        PlatformDoubles platform;
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("outside"));
        QDir(dir.path()).mkdir(QStringLiteral("project"));
        writeBytes(dir.filePath(QStringLiteral("outside/SKY.JPG")), "outside");
        if (alreadyThere)
            writeBytes(dir.filePath(QStringLiteral("project/SKY.JPG")), "inside");
        platform.files.answer(dir.filePath(QStringLiteral("outside/SKY.JPG")));
        platform.messages.answer(yes ? MessageAnswer::Yes : MessageAnswer::No);

        FileChoice choice;
        choice.filter = QStringLiteral("Graphic Files|*.BMP;*.JPG");
        const QString name = BringFileIntoProject(
            nullptr, choice, dir.filePath(QStringLiteral("project")), QStringLiteral("OLD.JPG"));
        QCOMPARE(name, result);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Copy the file SKY.JPG to the Project directory?")});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("project/SKY.JPG"))), contentAfter);
    }

    void cancelledPick_keepsTheName()
    {
        PlatformDoubles platform;
        CurrentTempDir dir;
        platform.files.answer(QString());
        QCOMPARE(BringFileIntoProject(nullptr, FileChoice{}, dir.path(), QStringLiteral("A.BMP")),
                 QStringLiteral("A.BMP"));
        QVERIFY(platform.messages.shown().isEmpty());
    }
};

QTEST_MAIN(BringFileTest)
#include "tst_bringfile.moc"
