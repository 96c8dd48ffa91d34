// The text-window editor of text links (module htxentrF).
#include "ui/authoring/hypentryform.h"

#include "platform/f1help.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"
#include "preview/showhtextform.h"
#include "preview/txtvpdispform.h"
#include "ui/design/hyptextadjform.h"
#include "ui/design/vpdesignbackform.h"

#include <QPoint>

namespace {

TextEntryLook lookOf(THypEntryForm::Mode mode)
{
    return {mode == THypEntryForm::TextWindow ? QObject::tr("&Adjust Text Window")
                                              : QObject::tr("&Design Display Screen"),
            QObject::tr("Import a Text File"), QStringLiteral("Text and RTF Files|*.TXT;*.RTF")};
}

} // namespace

THypEntryForm::THypEntryForm(Mode mode, const DisplayRecord& display, const QStringList& textLines,
                             QWidget* parent, const QString& bookLanguage)
    : TTextEntryForm(lookOf(mode), bookLanguage, parent), m_mode(mode), m_display(display)
{
    setObjectName(QStringLiteral("THypEntryForm"));
    SetHelpContext(this, mode == TextWindow ? 510 : 550);
    start(textLines);
}

void THypEntryForm::adjust()
{
    const QStringList lines = textLines();
    if (m_mode == TextWindow) {
        AdjustPopupWindow(m_display, lines, parentWidget());
        return;
    }
    TVPDesignBackForm design(m_display, RtfFromLines(lines), parentWidget());
    RunModal(design);
}

void THypEntryForm::view()
{
    const QStringList lines = textLines();
    if (m_mode == TextWindow) {
        TShowHTextForm popup(m_display, lines, this);
        RunModal(popup);
    } else {
        TTxtVPDispForm screen(m_display, lines, this);
        RunModal(screen);
    }
}

bool EditLinkText(THypEntryForm::Mode mode, DisplayRecord& display, QStringList& textLines,
                  QWidget* parent, const QString& bookLanguage)
{
    THypEntryForm form(mode, display, textLines, parent, bookLanguage);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    display = form.display();
    const QStringList lines = form.textLines();
    if (!lines.isEmpty()) // an emptied text leaves the lines as they were
        textLines = lines;
    return true;
}
