// The bar text editor (module TocTitf).
#include "ui/design/toctitleform.h"

#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/readerscreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TTocTitleForm::TTocTitleForm(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent)
    : QDialog(parent),
      TitleLbl(
          new QLabel(bar == Bar::Title ? tr("TitleBar Text : ") : tr("StatusBar Text :"), this)),
      edit1(new QLineEdit(this)), ChangeBtn(new QPushButton(tr("&New Font"), this)),
      ColourBtn(new QPushButton(tr("Text Colo&r"), this)),
      Button1(new QPushButton(tr("&Background"), this)), OKBtn(new QPushButton(tr("&OK"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)), m_bars(bars), m_bar(bar)
{
    setObjectName(QStringLiteral("TTocTitleForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    const bool title = bar == Bar::Title;
    const TextFont font = BarFont((title ? bars.TitleFont : bars.StatusFont).text());
    m_textColour = font.color;
    m_background = title ? bars.TitleColor : bars.StatusColor;
    OKBtn->setDefault(true);
    LimitTyping(edit1, 80);
    edit1->setText((title ? bars.TitleText : bars.StatusText).text());
    edit1->setFont(font.toQFont());
    edit1->setMinimumHeight(2 * font.size + 8);
    showColours();
    TitleLbl->setBuddy(edit1);

    connect(ChangeBtn, &QPushButton::clicked, this, &TTocTitleForm::ChangeBtnClick);
    connect(ColourBtn, &QPushButton::clicked, this, &TTocTitleForm::ColourBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TTocTitleForm::Button1Click);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = ButtonRow({ChangeBtn, ColourBtn, Button1}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TitleLbl);
    layout->addWidget(edit1);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

void TTocTitleForm::showColours()
{
    QPalette palette = edit1->palette();
    palette.setColor(QPalette::Base, BookColour(m_background));
    palette.setColor(QPalette::Text, BookColour(m_textColour));
    edit1->setPalette(palette);
}

void TTocTitleForm::ChangeBtnClick()
{
    if (const std::optional<QFont> chosen = fileDialogs().chooseFont(this, edit1->font())) {
        edit1->setFont(*chosen);
        edit1->setMinimumHeight(2 * TextFont::fromQFont(*chosen, 0).size + 8);
    }
    if (m_refocus)
        edit1->setFocus();
}

// The font dialog has no colour: the text's colour is chosen beside it.
void TTocTitleForm::ColourBtnClick()
{
    chooseColour(m_textColour);
}

void TTocTitleForm::Button1Click()
{
    chooseColour(m_background);
}

void TTocTitleForm::chooseColour(Colour& colour)
{
    if (const std::optional<QColor> chosen = fileDialogs().chooseColor(this, BookColour(colour))) {
        colour = BookColourOf(*chosen);
        showColours();
    }
    if (m_refocus)
        edit1->setFocus();
}

void TTocTitleForm::done(int result)
{
    if (result == QDialog::Accepted) {
        const bool title = m_bar == Bar::Title;
        const QString fontText =
            FontText(TextFont::fromQFont(edit1->font(), m_textColour)).left(50);
        (title ? m_bars.TitleText : m_bars.StatusText).setText(edit1->text().left(80));
        (title ? m_bars.TitleColor : m_bars.StatusColor) = m_background;
        (title ? m_bars.TitleFont : m_bars.StatusFont).setText(fontText);
    }
    QDialog::done(result);
}

bool EditBarText(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent)
{
    TTocTitleForm form(bars, bar, helpContext, parent);
    return RunModal(form) == QDialog::Accepted;
}
