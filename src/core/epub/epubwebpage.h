// The book's own web pages and addresses as the EPUB takes them: a page is read with bounds on
// its size and nesting, and with the book's own pictures only; an address becomes a link only
// when reading systems may follow it.
#pragma once

#include <QString>
#include <QTextDocument>

#include <memory>

// A page of at most this many bytes, nesting its elements at most this deep, is carried over.
inline constexpr qsizetype kMaxWebPageSize = 4 * 1024 * 1024;
inline constexpr int kMaxWebPageDepth = 256;

struct WebPage
{
    std::unique_ptr<QTextDocument> document; // null when the page is refused
    QString error;                           // why, for the author
};

// Reads the book's page `name` (a bare name of the current folder). Its pictures are loaded only
// when they are files of the book named by bare name: never a path, a file: or a data: address.
// Raises InOutError when the file cannot be read.
WebPage ReadWebPage(const QString& name);

// How deep the page's elements nest (elements that close themselves or that HTML closes for
// them, such as <p> and <li>, do not count).
int NestingDepth(const QString& html);

// Whether a web address may be a link of the EPUB: http, https and mailto.
bool IsEpubLinkAddress(const QString& address);
