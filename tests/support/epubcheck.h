// The EPUB validator, epubcheck (a Java program): whether it finds neither an error nor a
// warning in a file. What it said goes to the test log when it does.
#pragma once

#include <QDebug>
#include <QProcess>
#include <QString>

inline bool EpubcheckAccepts(const QString& epub)
{
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
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
