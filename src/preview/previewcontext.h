// What the reader screens of one playing of a book share.
#pragma once

#include "core/book/booksource.h"

#include <QString>

struct PreviewContext
{
    BookSource& source;
    QString toolHelpFile; // the help file to return to when a screen with the book's help closes
};

// Makes the book's help file current for a screen's lifetime when the book has one, and returns
// to the tool's help file afterwards.
class BookHelpScope
{
public:
    BookHelpScope(const PreviewContext& context, bool active);
    ~BookHelpScope();
    BookHelpScope(const BookHelpScope&) = delete;
    BookHelpScope& operator=(const BookHelpScope&) = delete;

private:
    QString m_restore;
    bool m_active;
};
