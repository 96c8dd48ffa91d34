// Printing: the print and printer set-up dialogs, and printing a rich text or plain lines.
#pragma once

#include "core/services/service.h"

#include <QFont>
#include <QStringList>

class QTextDocument;
class QWidget;

class Printing
{
public:
    virtual ~Printing() = default;
    // Each shows the print dialog first and prints only when it is confirmed; true when printed.
    virtual bool printDocument(QWidget* parent, const QTextDocument& document,
                               const QString& title) = 0;
    virtual bool printLines(QWidget* parent, const QStringList& lines, const QFont& font) = 0;
    virtual void printerSetup(QWidget* parent) = 0;
};

class QtPrinting : public Printing
{
public:
    bool printDocument(QWidget* parent, const QTextDocument& document,
                       const QString& title) override;
    bool printLines(QWidget* parent, const QStringList& lines, const QFont& font) override;
    void printerSetup(QWidget* parent) override;
};

using PrintSlot = ServiceSlot<Printing, QtPrinting>;

inline Printing& printing()
{
    return PrintSlot::get();
}
