// File names, numbers, copiers, font texts, the record list, the text codec and name lookup.
#include "testdir.h"
#include "thrown.h"

#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/programdir.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/project/fonttext.h"
#include "core/project/pstring.h"
#include "core/project/reclist.h"

#include <QBuffer>
#include <QTest>

class UtilitiesTest : public QObject
{
    Q_OBJECT

private slots:
    void baseName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("base");
        QTest::newRow("full path") << QStringLiteral("/books/x/BOOK.QVJ") << QStringLiteral("BOOK");
        QTest::newRow("no extension") << QStringLiteral("README") << QStringLiteral("README");
        QTest::newRow("several dots")
            << QStringLiteral("my.old.book.QVJ") << QStringLiteral("my.old.book");
        QTest::newRow("dot in folder") << QStringLiteral("a.b/NAME") << QStringLiteral("NAME");
    }
    void baseName()
    {
        QFETCH(QString, path);
        QFETCH(QString, base);
        QCOMPARE(BaseName(path), base);
    }

    void validFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blank, stop, backslash") << QStringLiteral("My Book.v2\\x") << true;
        for (const char c : QByteArray("\"*+,/:;<=>?[]|"))
            QTest::addRow("with %c", c) << QStringLiteral("a%1b").arg(QLatin1Char(c)) << false;
    }
    void validFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(ValidFileName(name), valid);
    }

    void integerConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << QStringLiteral("120") << true << 120;
        QTest::newRow("signed") << QStringLiteral("-5") << true << -5;
        QTest::newRow("leading blanks") << QStringLiteral("  7") << true << 7;
        QTest::newRow("hex") << QStringLiteral("$00C0C0C0") << true << 0xC0C0C0;
        QTest::newRow("hex wraps") << QStringLiteral("$80000005") << true << int(0x80000005);
        QTest::newRow("too big") << QStringLiteral("2147483648") << false << 0;
        QTest::newRow("decimal point") << QStringLiteral("1.5") << false << 0;
        QTest::newRow("trailing blank") << QStringLiteral("7 ") << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("sign only") << QStringLiteral("-") << false << 0;
    }
    void integerConversion()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(int, value);
        QCOMPARE(IsNumber(text), number);
        if (number) {
            QCOMPARE(StrToInt(text), value);
        } else {
            QCOMPARE(thrownText<ConvertError>([&] { StrToInt(text); }),
                     QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }

    void fontText_roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("8 0 0 Times New Roman");
        QTest::newRow("bold") << QStringLiteral("16 0 1 Times New Roman");
        QTest::newRow("all styles, colour") << QStringLiteral("12 255 15 Arial");
    }
    void fontText_roundTrip()
    {
        QFETCH(QString, text);
        TextFont font;
        ApplyFontText(text, font);
        QCOMPARE(FontText(font), text);
        const TextFont back = TextFont::fromQFont(font.toQFont(), font.color);
        QCOMPARE(back.style, font.style);
        QCOMPARE(back.size, font.size);
    }
    void fontText_badNumberOrCutShort_raisesConversionError()
    {
        TextFont font;
        QVERIFY_THROWS_EXCEPTION(ConvertError,
                                 ApplyFontText(QStringLiteral("big 0 1 Arial"), font));
        QVERIFY_THROWS_EXCEPTION(ConvertError, ApplyFontText(QStringLiteral("16 0"), font));
    }

    void findInProject()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("z.jpg")), "j");
        writeBytes(dir.filePath(QStringLiteral("A.BMP")), "b");
        writeBytes(dir.filePath(QStringLiteral("b.bmp")), "b");
        QString name;
        QVERIFY(FindInProject(dir.path(), QStringLiteral("*.bmp"), name));
        QCOMPARE(name, QStringLiteral("A.BMP"));
        name.clear();
        QVERIFY(FindEitherInProject(dir.path(), QStringLiteral("*.jpg"), QStringLiteral("*.bmp"),
                                    name));
        QCOMPARE(name, QStringLiteral("z.jpg"));
        name = QStringLiteral("KEPT.BMP");
        QVERIFY(FindEitherInProject(dir.path(), QStringLiteral("*.jpg"), QStringLiteral("*.bmp"),
                                    name));
        QCOMPARE(name, QStringLiteral("KEPT.BMP"));
        QVERIFY(!FindEitherInProject(dir.path(), QStringLiteral("*.wav"), QStringLiteral("*.mid"),
                                     name));
    }

    void masks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("matches");
        QTest::newRow("case blind")
            << QStringLiteral("pic.bmp") << QStringLiteral("*.BMP;*.JPG") << true;
        QTest::newRow("second pattern")
            << QStringLiteral("PIC.JPG") << QStringLiteral("*.BMP;*.JPG") << true;
        QTest::newRow("other kind")
            << QStringLiteral("PIC.WMF") << QStringLiteral("*.BMP;*.JPG") << false;
        QTest::newRow("scripts are programs")
            << QStringLiteral("run.sh") << QStringLiteral("*.exe;*.com;*.bat") << true;
        QTest::newRow("html is help")
            << QStringLiteral("book.html") << QStringLiteral("*.HLP") << true;
        QTest::newRow("whole name")
            << QStringLiteral("a.bmp.txt") << QStringLiteral("*.bmp") << false;
    }
    void masks()
    {
        QFETCH(QString, file);
        QFETCH(QString, mask);
        QFETCH(bool, matches);
        QCOMPARE(MatchesMask(file, mask), matches);
    }

    void resolveProjectName_prefersExactThenIgnoresCase()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("Book.qvj")), "x");
        QCOMPARE(ResolveProjectName(QStringLiteral("BOOK.QVJ")), QStringLiteral("Book.qvj"));
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), "y");
        QCOMPARE(ResolveProjectName(QStringLiteral("BOOK.QVJ")), QStringLiteral("BOOK.QVJ"));
        QCOMPARE(ResolveProjectName(QStringLiteral("NEW.QVD")), QStringLiteral("NEW.QVD"));
    }

    void copyFileBytes_codes()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("src.bin")), QByteArray(5000, 'a'));
        QCOMPARE(CopyFileBytes(QStringLiteral("src.bin"), QStringLiteral("src.bin")),
                 int(CopySameName));
        QCOMPARE(CopyFileBytes(QStringLiteral("none.bin"), QStringLiteral("x.bin")),
                 int(CopyNoSource));
        QCOMPARE(CopyFileBytes(QStringLiteral("src.bin"), QStringLiteral("no/such/dir/x.bin")),
                 int(CopyNoTarget));
        QCOMPARE(CopyFileBytes(QStringLiteral("src.bin"), QStringLiteral("copy.bin")),
                 int(CopyDone));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("copy.bin"))), QByteArray(5000, 'a'));
    }

    void copyFileInto_directoryKeepsTheName()
    {
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("project"));
        writeBytes(dir.filePath(QStringLiteral("PIC.BMP")), QByteArray(9000, 'p'));
        CopyFileInto(dir.filePath(QStringLiteral("PIC.BMP")),
                     dir.filePath(QStringLiteral("project")));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("project/PIC.BMP"))), QByteArray(9000, 'p'));
        CopyFileInto(dir.filePath(QStringLiteral("PIC.BMP")),
                     dir.filePath(QStringLiteral("OTHER.BMP")));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("OTHER.BMP"))).size(), 9000);

        QCOMPARE(thrownText<FileOpenError>(
                     [&] { CopyFileInto(QStringLiteral("MISSING.BMP"), dir.path()); }),
                 QStringLiteral("Cannot open file MISSING.BMP"));
        QCOMPARE(thrownText<InOutError>([&] {
                     CopyFileInto(dir.filePath(QStringLiteral("PIC.BMP")),
                                  QStringLiteral("no/dir/x"));
                 }),
                 QStringLiteral("Path not found: no/dir/x"));
    }

    void programSupportDir_besideTheProgramElseInstalled()
    {
        CurrentTempDir dir;
        QDir root(dir.path());
        root.mkpath(QStringLiteral("usr/bin"));
        root.mkpath(QStringLiteral("usr/lib/quorelle"));
        const QString bin = dir.filePath(QStringLiteral("usr/bin"));
        // Nothing anywhere: the program's own folder, so messages name where it looked.
        QCOMPARE(ProgramSupportDir(bin, QStringLiteral("../lib/quorelle")), bin + QLatin1Char('/'));
        writeBytes(dir.filePath(QStringLiteral("usr/lib/quorelle/kestrin.bin")), "ELF");
        QCOMPARE(ProgramSupportDir(bin, QStringLiteral("../lib/quorelle")),
                 dir.filePath(QStringLiteral("usr/lib/quorelle/")));
        writeBytes(dir.filePath(QStringLiteral("usr/bin/kestrin.bin")), "ELF"); // a build tree
        QCOMPARE(ProgramSupportDir(bin, QStringLiteral("../lib/quorelle")), bin + QLatin1Char('/'));
    }

    void copies_keepTheRunPermission()
    {
        CurrentTempDir dir;
        const QString program = dir.filePath(QStringLiteral("HELLO.SH"));
        writeBytes(program, "#!/bin/sh\necho hello\n");
        const QFile::Permissions runnable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup;
        QVERIFY(QFile::setPermissions(program, runnable));
        QCOMPARE(CopyFileBytes(QStringLiteral("HELLO.SH"), QStringLiteral("BYTES.SH")),
                 int(CopyDone));
        QDir(dir.path()).mkdir(QStringLiteral("dist"));
        CopyFileInto(program, dir.filePath(QStringLiteral("dist")));
        for (const char* copy : {"BYTES.SH", "dist/HELLO.SH"}) {
            const QFile::Permissions got = QFile::permissions(dir.filePath(QLatin1String(copy)));
            QVERIFY2(got & QFile::ExeOwner, copy);
            QVERIFY2(!(got & QFile::WriteGroup), copy); // the source's, not the default
        }
    }

    void appendFileTo()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("part.bin")), QByteArray(3000, 'z'));
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        output.write("head");
        QCOMPARE(AppendFileTo(QStringLiteral("part.bin"), output), int(CopyDone));
        QCOMPARE(output.data(), QByteArray("head") + QByteArray(3000, 'z'));
        QCOMPARE(AppendFileTo(QStringLiteral("none.bin"), output), int(CopyNoSource));
    }

    void recordList()
    {
        TRecList list;
        const char a[4] = {'a', 'b', 'c', 'd'};
        list.Add(a, 4);
        list.Add(a, 2);
        QCOMPARE(list.Count(), 2);
        char buffer[4] = {'.', '.', '.', '.'};
        list.Get(0, buffer, 3);
        QCOMPARE(QByteArray(buffer, 4), QByteArray("abc."));
        list.Get(1, buffer, 4);
        QCOMPARE(QByteArray(buffer, 4), QByteArray("abc."));
        QCOMPARE(thrownText<ListIndexError>([&] { list.Get(2, buffer, 4); }),
                 QStringLiteral("List index out of bounds (2)"));
    }

    void pstring_cutsAndKeepsTrailingBytes()
    {
        PString<5> s;
        std::memset(&s, 'q', sizeof s);
        s.setText(QStringLiteral("abcdefgh"));
        QCOMPARE(s.text(), QStringLiteral("abcde"));
        s.setText(QStringLiteral("xy"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&s), sizeof s), QByteArray("\x02xycde"));
    }

    void codec_windows1252()
    {
        const QByteArray bytes("\x80\x93\xE9\x81", 4);
        const QString text = textcodec::decode(bytes);
        QCOMPARE(text, QString::fromUtf8("\u20AC\u201C\u00E9\u0081"));
        QCOMPARE(textcodec::encode(text), bytes);
        QCOMPARE(textcodec::encode(QString::fromUtf8("\u4E2D")), QByteArray("?"));
    }

    // A record field holds Windows-1252 when it can (byte for byte as before), else UTF-8 cut
    // between characters; its bytes read back as what was stored.
    void recordField_windows1252OrUtf8_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("Windows-1252") << QString::fromUtf8("Caf\u00E9 \u20AC5")
                                      << QByteArray("\x07"
                                                    "Caf\xE9 \x80"
                                                    "5",
                                                    8)
                                      << QString::fromUtf8("Caf\u00E9 \u20AC5");
        QTest::newRow("Cyrillic")
            << QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435")
            << QByteArray("\x0A") + QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435").toUtf8()
            << QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435");
        QTest::newRow("Cyrillic cut between characters")
            << QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438")
            << QByteArray("\x0B") + QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435 ").toUtf8()
            << QString::fromUtf8("\u0411\u0435\u043B\u044B\u0435 ");
        QTest::newRow("Japanese, three bytes each")
            << QString::fromUtf8("\u6771\u4EAC\u90FD\u5E9C")
            << QByteArray("\x09") + QString::fromUtf8("\u6771\u4EAC\u90FD").toUtf8()
            << QString::fromUtf8("\u6771\u4EAC\u90FD");
        QTest::newRow("outside the plane")
            << QString::fromUtf8("ab\U0001F600\U0001F600\U0001F600")
            << QByteArray("\x0A") + QString::fromUtf8("ab\U0001F600\U0001F600").toUtf8()
            << QString::fromUtf8("ab\U0001F600\U0001F600");
    }
    void recordField_windows1252OrUtf8()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        PString<11> field{};
        field.setText(text);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&field), 1 + field.length), stored);
        QCOMPARE(field.text(), readBack);
    }
};

QTEST_GUILESS_MAIN(UtilitiesTest)
#include "tst_utilities.moc"
