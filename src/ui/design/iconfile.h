// The icon choice of the program and About box designers: a read-only name, the project's
// icons in a list, and "Find File" to bring one in from elsewhere.
#pragma once

#include <QString>

class FileListBox;
class QLineEdit;
class QWidget;

// Binds the list to the edit: a clicked icon's name goes into it.
void BindIconList(QLineEdit* edit, FileListBox* list, const QString& mask);

// "Find File": lets the author pick an icon anywhere (offering to copy it into the project),
// refreshes the list and shows the chosen name, or the project's first icon when the edit does
// not hold a valid name.
void FindIconFile(QWidget* parent, const QString& title, const QString& filter, QLineEdit* edit,
                  FileListBox* list);
