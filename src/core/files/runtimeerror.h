// The run-time errors of the tool: file I/O, number conversion, list index, open and create.
// They end the current action and are reported by the main window's action frame.
#pragma once

#include "format/formaterror.h"

#include <QString>

#include <exception>

class RunTimeError : public std::exception
{
public:
    explicit RunTimeError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A failed open, read, write, seek, make-directory or change-directory.
class InOutError : public RunTimeError
{
public:
    using RunTimeError::RunTimeError;

    static QString fileNotFound() { return QStringLiteral("File not found"); }
    static QString pathNotFound() { return QStringLiteral("Path not found"); }
    static QString accessDenied() { return QStringLiteral("File access denied"); }
    static QString readBeyondEnd() { return QStringLiteral("Read beyond end of file"); }
    static QString diskFull() { return QStringLiteral("Disk full"); }
    static QString readOnlyDisk() { return QStringLiteral("The disk is read-only"); }

    // The error with the file it is about: "Disk full: BOOK.QVJ".
    static InOutError about(const QString& text, const QString& fileName)
    {
        return InOutError(fileName.isEmpty() ? text : text + QStringLiteral(": ") + fileName);
    }
};

// Text that was expected to be a whole number (or a colour) and is not.
class ConvertError : public RunTimeError
{
public:
    explicit ConvertError(const QString& text)
        : RunTimeError(QStringLiteral("'%1' is not a valid integer value").arg(text))
    {}
};

class ListIndexError : public RunTimeError
{
public:
    explicit ListIndexError(qsizetype index)
        : RunTimeError(QStringLiteral("List index out of bounds (%1)").arg(index))
    {}
};

class FileOpenError : public RunTimeError
{
public:
    explicit FileOpenError(const QString& fileName)
        : RunTimeError(QStringLiteral("Cannot open file %1").arg(fileName))
    {}
};

class FileCreateError : public RunTimeError
{
public:
    explicit FileCreateError(const QString& fileName)
        : RunTimeError(QStringLiteral("Cannot create file %1").arg(fileName))
    {}
};

// Runs code of the format library with its errors raised as the Qt code's, with the same texts.
template <class F> auto WithQtErrors(F&& call)
{
    try {
        return call();
    } catch (const bookformat::ConvertError& error) {
        throw ConvertError(QString::fromStdString(error.text()));
    } catch (const bookformat::FormatError& error) {
        throw RunTimeError(QString::fromUtf8(error.what()));
    }
}
