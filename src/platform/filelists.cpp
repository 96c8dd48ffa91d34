// Drive, folder and file lists.
#include "platform/filelists.h"

#include "core/files/projectpath.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStorageInfo>

namespace {

bool isUserVolume(const QStorageInfo& volume)
{
    static const QStringList pseudo = {QStringLiteral("proc"),    QStringLiteral("sysfs"),
                                       QStringLiteral("tmpfs"),   QStringLiteral("devtmpfs"),
                                       QStringLiteral("overlay"), QStringLiteral("squashfs")};
    return volume.isValid() && volume.isReady() && volume.rootPath() != QLatin1String("/") &&
           !pseudo.contains(QString::fromLatin1(volume.fileSystemType()));
}

} // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent)
{
    addItem(QStringLiteral("/"));
    addItem(QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (isUserVolume(volume) && findText(volume.rootPath()) < 0)
            addItem(volume.rootPath());
    }
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(drive()); });
}

void DriveComboBox::setDirList(DirectoryListBox* list)
{
    connect(this, &DriveComboBox::driveChanged, list, &DirectoryListBox::setDirectory);
}

QString DriveComboBox::drive() const
{
    return currentText();
}

void DriveComboBox::selectDriveOf(const QString& folder)
{
    // The longest drive path that contains the folder.
    int best = 0;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemText(i);
        const bool contains =
            folder == root ||
            folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (contains && root.size() > itemText(best).size())
            best = i;
    }
    setCurrentIndex(best);
}

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::openItem);
}

void DirectoryListBox::setFileList(FileListBox* list)
{
    m_fileList = list;
    list->setDirectory(m_directory);
}

void DirectoryListBox::setDirectory(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!QDir(clean).exists())
        return;
    m_directory = clean;
    refresh();
    if (m_fileList)
        m_fileList->setDirectory(m_directory);
    emit directoryChanged(m_directory);
}

void DirectoryListBox::bindFolderEdit(QLineEdit* edit)
{
    edit->setText(m_directory);
    connect(this, &DirectoryListBox::directoryChanged, edit, &QLineEdit::setText);
    connect(this, &QListWidget::itemClicked, edit, [this, edit](QListWidgetItem* item) {
        edit->setText(QDir::cleanPath(QDir(m_directory).filePath(item->text())));
    });
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    const QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit itemClicked(currentItem()); // a folder chosen with the keys counts as clicked
}

void DirectoryListBox::refresh()
{
    clear();
    const QDir dir(m_directory);
    if (!dir.isRoot())
        addItem(QStringLiteral(".."));
    addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void DirectoryListBox::openItem(QListWidgetItem* item)
{
    setDirectory(QDir(m_directory).filePath(item->text()));
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    const QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit fileClicked(currentItem()->text()); // chosen with the arrows or by typing
}

void FileListBox::setMask(const QString& mask)
{
    m_mask = mask;
    refresh();
}

void FileListBox::setDirectory(const QString& path)
{
    m_directory = path;
    refresh();
}

QString FileListBox::fileName() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

void FileListBox::refresh()
{
    clear();
    if (!m_directory.isEmpty())
        addItems(EntriesMatching(m_directory, m_mask, QDir::Files));
}
