// The designers' icon choice.
#include "ui/design/iconfile.h"

#include "core/files/filenames.h"
#include "platform/filelists.h"
#include "ui/common/bringfile.h"

#include <QDir>
#include <QLineEdit>

void BindIconList(QLineEdit* edit, FileListBox* list, const QString& mask)
{
    edit->setReadOnly(true);
    list->setMask(mask);
    list->setDirectory(QDir::currentPath());
    QObject::connect(list, &FileListBox::fileClicked, edit, &QLineEdit::setText);
}

void FindIconFile(QWidget* parent, const QString& title, const QString& filter, QLineEdit* edit,
                  FileListBox* list)
{
    FileChoice choice;
    choice.title = title;
    choice.filter = filter;
    choice.defaultExtension = QStringLiteral("ico");
    QString candidate = BringFileIntoProject(parent, choice, QDir::currentPath(), edit->text());
    list->refresh();
    if (candidate.isEmpty() || !ValidFileName(candidate))
        FindInProject(QDir::currentPath(), QStringLiteral("*.ICO"), candidate);
    edit->setText(candidate);
}
