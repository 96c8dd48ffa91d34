// The web edition's page around the book's data: index.html with its security policy, the
// player's script and style sheet (src/webreader, built into the tool), the installable app's
// manifest and icons, and the list of files the service worker keeps for offline reading.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

struct WebPageFile
{
    QString path; // in the edition's folder
    QByteArray bytes;
};

struct WebPageBook
{
    QString title;
    QString language;
    QString direction; // "ltr" or "rtl"
    QString colour;    // the program background's, for the app's splash screen
    QImage icon;       // the book's icon; null for the standard one
};

// What every page of the edition allows: its own files only (inline style attributes of the
// book's text aside), no script but the edition's own files.
extern const QString kWebContentPolicy;

// index.html, the player's files, the manifest and the icons.
QList<WebPageFile> WebPageFiles(const WebPageBook& book);

// The whole edition as one page: the player's style sheet and script and the book's data scripts
// (the book's first, then each chapter's) inside it, each script allowed by its hash; the
// media are data addresses already. No app manifest or service worker: a file is offline anyway.
QByteArray WebSinglePage(const WebPageBook& book, const QList<QByteArray>& dataScripts);

// files.js: every file of the edition and a version made from their list, for the worker.
QByteArray WebFileList(const QStringList& files, const QByteArray& version);
