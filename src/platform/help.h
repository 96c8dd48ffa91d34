// The help engine: which help file is current, and showing it at a help context.
#pragma once

#include "core/services/service.h"

#include <QPointer>
#include <QString>

class HelpService
{
public:
    virtual ~HelpService() = default;
    virtual void setHelpFile(const QString& path) = 0;
    virtual QString helpFile() const = 0;
    virtual void showHelp(int context) = 0;
};

class HelpViewer;

// Shows topics in one help viewer window, made when first needed and gone when closed.
class ViewerHelpService : public HelpService
{
public:
    void setHelpFile(const QString& path) override;
    QString helpFile() const override { return m_path; }
    void showHelp(int context) override;

private:
    QString m_path;
    QPointer<HelpViewer> m_viewer;
};

using HelpSlot = ServiceSlot<HelpService, ViewerHelpService>;

void SetHelpFile(const QString& path);
QString CurrentHelpFile();
void ShowHelp(int context);
