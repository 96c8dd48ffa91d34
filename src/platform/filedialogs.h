// File, colour and font choices. Windows ask through this interface, never through the Qt
// dialog statics, so tests can answer them.
#pragma once

#include "core/services/service.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

struct FileChoice
{
    QString title;
    QString folder;
    QString filter;           // "Name|*.A;*.B" pairs as the book's windows write them
    QString defaultExtension; // without the dot
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path, or empty when the author cancelled.
    virtual QString openFile(QWidget* parent, const FileChoice& choice) = 0;
    virtual QString saveFile(QWidget* parent, const FileChoice& choice) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
};

class QtFileDialogs : public FileDialogs
{
public:
    QString openFile(QWidget* parent, const FileChoice& choice) override;
    QString saveFile(QWidget* parent, const FileChoice& choice) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;

    // "Graphic Files|*.BMP;*.JPG" becomes "Graphic Files (*.BMP *.bmp *.JPG *.jpg)".
    static QString qtFilter(const QString& filter);
};

using FileDialogSlot = ServiceSlot<FileDialogs, QtFileDialogs>;

inline FileDialogs& fileDialogs()
{
    return FileDialogSlot::get();
}
