// Bare file names of the book, resolved in the project directory, and wildcard masks.
// Books made on a case-blind file system name their files in any case, so a name that does not
// exist exactly is looked up again without regard to case.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <string_view>

// The name of an existing file or folder that matches `name` exactly or, failing that, without
// regard to case (only the last part of the path is compared that way). Returns `name` unchanged
// when nothing matches, so that a new file is created under the name as given.
QString ResolveProjectName(const QString& name);

// Whether a name the book stores is what its files say it is: a bare file name of the book's
// folder, with no folder part, drive or "..", that is not a link to a file elsewhere (projects
// travel as archives, which keep links). Other names are refused wherever a book is built,
// copied or played, so a book cannot reach outside its folder.
bool IsBookFileName(const QString& name);
// The same for a UTF-8 name: the check the format library's decisions are given
// (bookformat::BookFileCheck).
bool IsBookFileNameUtf8(std::string_view name);
// Whether `path` is a link whose target (followed to its end) lies outside the link's folder.
bool LeadsOutOfItsFolder(const QString& path);
// The message for a refused name: "`owner` names X, which is not a file of the book's folder."
// (`owner` says which record or entry, for example: The chapter "One").
QString NotABookFileMessage(const QString& owner, const QString& name);

// True when the file name matches one of the ";"-separated wildcard patterns, ignoring case.
// A mask that names programs also takes "*.sh" and files with the executable bit; a help mask
// ("*.HLP") also takes HTML pages.
bool MatchesMask(const QString& fileName, const QString& mask, const QString& folder = {});

// Names (not paths) of the entries of `folder` that match `mask`, sorted without regard to case.
QStringList EntriesMatching(const QString& folder, const QString& mask,
                            QDir::Filters filters = QDir::Files | QDir::Dirs |
                                                    QDir::NoDotAndDotDot);
