// The book's help file while a reader screen is open.
#include "preview/previewcontext.h"

#include "platform/help.h"

BookHelpScope::BookHelpScope(const PreviewContext& context, bool active)
    : m_restore(context.toolHelpFile), m_active(active)
{
    if (m_active)
        SetHelpFile(context.source.project().Config.HelpFile.text());
}

BookHelpScope::~BookHelpScope()
{
    if (m_active)
        SetHelpFile(m_restore);
}
