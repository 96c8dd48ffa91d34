// The introduction's text editor (module PIntEdF).
#include "ui/design/introentryform.h"

#include "core/book/booksource.h"
#include "platform/f1help.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "preview/intdispform.h"
#include "preview/readerscreen.h"
#include "ui/design/introdesignform.h"

TIntroEntryForm::TIntroEntryForm(const PresentationRecord& presentation, const ConfigRecord& config,
                                 const QStringList& textLines, QWidget* parent,
                                 const QString& bookLanguage)
    : TTextEntryForm({tr("&Design Introduction Screen"), tr("Select a Text or RTF File"),
                      QStringLiteral("RTF and Text Files|*.TXT;*.RTF")},
                     bookLanguage, parent),
      m_presentation(presentation), m_config(config)
{
    setObjectName(QStringLiteral("TIntroEntryForm"));
    SetHelpContext(this, 450);
    start(textLines);
}

void TIntroEntryForm::adjust()
{
    DesignIntroductionScreen(m_presentation, m_config, RtfFromLines(textLines()), parentWidget());
}

void TIntroEntryForm::view()
{
    const HiddenWhileSubWindow hidden(this);
    RecordsBookSource source(m_presentation, m_config);
    const PreviewContext context{source, CurrentHelpFile()};
    TIntDispForm screen(context, textLines(), parentWidget());
    RunModal(screen);
}

bool EditIntroduction(PresentationRecord& presentation, ConfigRecord& config,
                      QStringList& textLines, QWidget* parent, const QString& bookLanguage)
{
    TIntroEntryForm form(presentation, config, textLines, parent, bookLanguage);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    presentation = form.presentation();
    config = form.config();
    textLines = form.textLines();
    return true;
}
