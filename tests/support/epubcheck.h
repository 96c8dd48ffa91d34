// Looking into EPUB files: the validator, epubcheck (a Java program), and the archive's files
// through the system's unzip.
#pragma once

#include <QDebug>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Whether epubcheck finds neither an error nor a warning in the file; what it said goes to the
// test log when it does.
inline bool EpubcheckAccepts(const QString& epub)
{
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    // Java takes file names in the locale's encoding; a bare machine has no locale (C, ASCII)
    // and the test folders' names are not ASCII. C.UTF-8 exists on every Debian.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    check.setProcessEnvironment(environment);
    check.start(QStringLiteral("java"),
                {QStringLiteral("-jar"), QStringLiteral("/usr/share/java/epubcheck.jar"), epub,
                 QStringLiteral("--failonwarnings")});
    if (!check.waitForFinished(180000)) {
        qWarning() << "epubcheck did not finish";
        return false;
    }
    const QByteArray output = check.readAll();
    if (check.exitStatus() != QProcess::NormalExit || check.exitCode() != 0 ||
        !output.contains("No errors or warnings detected")) {
        qWarning().noquote() << output;
        return false;
    }
    return true;
}

// One file of the archive.
inline QByteArray Unzipped(const QString& archive, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, name});
    unzip.waitForFinished(30000);
    return unzip.readAllStandardOutput();
}

// The archive's file names in their order.
inline QStringList ArchiveNames(const QString& archive)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
