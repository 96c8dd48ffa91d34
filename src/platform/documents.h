// Opening a document with the desktop's own program for it (the shell's "open"). A page of the
// book that is not there, or one the desktop cannot open, is told to the reader.
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

// Bare names are resolved in the current (project) directory.
void OpenDocument(const QString& file);
