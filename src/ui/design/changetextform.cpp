// The introduction's caption window (module PIntTxtf).
#include "ui/design/changetextform.h"

#include <QLineEdit>

TChangeTextForm::TChangeTextForm(PresentationRecord& presentation, QWidget* parent)
    : TCaptionsForm(presentation.Captions, 475, parent), Edit2(addCaption(tr("Close"), 16)),
      Edit3(addCaption(tr("About"), 16)), Edit4(addCaption(tr("Help"), 16)),
      m_presentation(presentation)
{
    setObjectName(QStringLiteral("TChangeTextForm"));
    finishLayout();
}

void TChangeTextForm::fill()
{
    Edit2->setText(m_captions.CloseCaption.text());
    Edit3->setText(m_captions.AboutCaption.text());
    Edit4->setText(m_captions.HelpCaption.text());
}

void TChangeTextForm::store()
{
    m_captions.CloseCaption.setText(Edit2->text());
    m_captions.AboutCaption.setText(Edit3->text());
    m_captions.HelpCaption.setText(Edit4->text());
}

void TChangeTextForm::done(int result)
{
    if (result == QDialog::Accepted) {
        store();
        m_presentation.Captions = m_captions;
    }
    QDialog::done(result);
}
