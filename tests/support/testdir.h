// A temporary directory that is the current directory for the length of a test. Its name holds a
// blank and non-ASCII letters, as authors' folders do. With QUORELLE_KEEP_TESTDIRS set it is left
// behind, to look at what a test made (a built book, an EPUB).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class CurrentTempDir
{
public:
    CurrentTempDir()
        : m_dir(QDir::tempPath() + QStringLiteral("/Quorelle Bücher-XXXXXX")),
          m_previous(QDir::currentPath())
    {
        m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("QUORELLE_KEEP_TESTDIRS"));
        QDir::setCurrent(m_dir.path());
    }
    ~CurrentTempDir() { QDir::setCurrent(m_previous); }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
