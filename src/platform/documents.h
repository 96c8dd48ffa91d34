// Opening a document with the desktop's own program for it (the shell's "open").
#pragma once

#include "core/services/service.h"

#include <QString>

class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const QString& file) = 0;
};

class DesktopDocumentOpener : public DocumentOpener
{
public:
    void open(const QString& file) override;
};

using DocumentSlot = ServiceSlot<DocumentOpener, DesktopDocumentOpener>;

// Bare names are resolved in the current (project) directory; the result is not examined.
void OpenDocument(const QString& file);
