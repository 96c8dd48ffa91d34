// The introduction's bar text editor (module PIntTitf).
#include "ui/design/vpdesigntitleform.h"

#include "platform/modal.h"

TVPDesignTitleForm::TVPDesignTitleForm(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent)
    : TTocTitleForm(bars, bar, helpContext, parent)
{
    setObjectName(QStringLiteral("TVPDesignTitleForm"));
    m_refocus = true;
}

bool EditIntroBarText(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent)
{
    TVPDesignTitleForm form(bars, bar, helpContext, parent);
    return RunModal(form) == QDialog::Accepted;
}
