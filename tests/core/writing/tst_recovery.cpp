// Recovery copies of unsaved chapters: kept per book and chapter in the user's data folder,
// replaced, dropped, and found again for their book alone.
#include "testdir.h"

#include "core/writing/recovery.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class RecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    // A copy names its book and chapter and holds the text whole; a second copy of the same
    // chapter replaces the first; another book's copies and damaged files are not this book's;
    // the folder is the user's alone.
    void copies_keptPerBookAndChapter()
    {
        QTemporaryDir book;
        QTemporaryDir other;
        const QByteArray rtf = "{\\rtf1 Unsaved \\u1089?\\u1083?\\u1086?\\u1074?\\par}";
        KeepRecoveryCopy(book.path(), u"ONE.QLF"_s, "{\\rtf1 first}");
        KeepRecoveryCopy(book.path(), u"one.qlf"_s, rtf); // the same chapter
        KeepRecoveryCopy(book.path(), QString(), "{\\rtf1 new}");
        KeepRecoveryCopy(other.path(), u"ONE.QLF"_s, "{\\rtf1 other}");
        writeBytes(RecoveryFolder() + u"/damaged.qrec"_s, "Quorelle recovery 1\nno end");

        QList<RecoveryCopy> copies = RecoveryCopiesOf(book.path() + u"/"_s);
        QCOMPARE(copies.size(), 2);
        const auto named = [&](const QString& chapter) {
            return *std::find_if(copies.begin(), copies.end(),
                                 [&](const RecoveryCopy& c) { return c.chapter == chapter; });
        };
        QCOMPARE(named(u"one.qlf"_s).rtf, rtf);
        QCOMPARE(named(QString()).rtf, QByteArray("{\\rtf1 new}"));
        QVERIFY(named(QString()).written.isValid());
        QCOMPARE(QFile::permissions(RecoveryFolder()) & 0x0077, QFileDevice::Permissions());

        DropRecoveryCopy(book.path(), u"ONE.QLF"_s);
        DropRecoveryCopy(book.path(), QString());
        QVERIFY(RecoveryCopiesOf(book.path()).isEmpty());
        QCOMPARE(RecoveryCopiesOf(other.path()).size(), 1);
        DropRecoveryCopy(other.path(), u"ONE.QLF"_s);
        QFile::remove(RecoveryFolder() + u"/damaged.qrec"_s);
    }
};

QTEST_GUILESS_MAIN(RecoveryTest)
#include "tst_recovery.moc"
