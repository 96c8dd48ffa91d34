// The drive chooser, folder list and file list that the tool's windows bind together to let the
// author pick a folder or a file without leaving the window.
#pragma once

#include <QComboBox>
#include <QListWidget>

class DirectoryListBox;
class FileListBox;
class QLineEdit;

// The file-system root, the home folder and the mounted volumes.
class DriveComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveComboBox(QWidget* parent = nullptr);
    // The folder list follows the chosen drive.
    void setDirList(DirectoryListBox* list);
    QString drive() const;
    void selectDriveOf(const QString& folder);

signals:
    void driveChanged(const QString& path);
};

// The subfolders of the current folder, with ".." to go up; double-click or Enter opens one.
class DirectoryListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirectoryListBox(QWidget* parent = nullptr);
    // The file list follows the current folder.
    void setFileList(FileListBox* list);
    QString directory() const { return m_directory; }
    void setDirectory(const QString& path);
    // The edit shows the current folder, and a clicked folder's path.
    void bindFolderEdit(QLineEdit* edit);
    void refresh();

signals:
    void directoryChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openItem(QListWidgetItem* item);

    QString m_directory;
    FileListBox* m_fileList = nullptr;
};

// The files of a folder that match a mask such as "*.BMP;*.JPG", in name order.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);
    void setMask(const QString& mask);
    QString mask() const { return m_mask; }
    void setDirectory(const QString& path);
    QString directory() const { return m_directory; }
    QString fileName() const; // the selected file's name, or empty
    void refresh();

signals:
    // A file made current by the author, with the mouse or the keys.
    void fileClicked(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_directory;
    QString m_mask = QStringLiteral("*.*");
};
