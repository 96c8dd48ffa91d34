// The author box window (module bAutgetf).
#include "ui/design/authorform.h"

#include "core/project/fonttext.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/readerscreen.h"
#include "ui/design/menuadjustform.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr PString<60> AuthorRecord::*kLines[6] = {
    &AuthorRecord::AuthorLine1, &AuthorRecord::AuthorLine2, &AuthorRecord::AuthorLine3,
    &AuthorRecord::AuthorLine4, &AuthorRecord::AuthorLine5, &AuthorRecord::AuthorLine6};

} // namespace

TAuthorForm::TAuthorForm(MenuRecord& menu, QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)),
      Button1(new QPushButton(tr("Adjust Author Box"), this)),
      Button2(new QPushButton(tr("Change &Font"), this)),
      ColourBtn(new QPushButton(tr("Text Colo&r"), this)),
      Button3(new QPushButton(tr("Select Background Color"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_menu(menu), m_working(menu), m_colour(menu.Author.AuthorColor)
{
    setObjectName(QStringLiteral("TAuthorForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 221);
    const TextFont font = BarFont(menu.Author.AuthorFont.text());
    m_textColour = font.color;
    Panel1->setFont(font.toQFont());
    auto* lines = new QVBoxLayout(Panel1);
    for (int i = 0; i < 6; ++i) {
        Edits[i] = new QLineEdit((m_working.Author.*kLines[i]).text(), Panel1);
        LimitTyping(Edits[i], 60);
        lines->addWidget(Edits[i]);
    }
    showColour();

    connect(Button1, &QPushButton::clicked, this, [this] {
        storeBox();
        const HiddenWhileSubWindow hidden(this);
        AdjustMenuWindow(m_working, parentWidget());
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (const std::optional<QFont> chosen = fileDialogs().chooseFont(this, Panel1->font()))
            Panel1->setFont(*chosen);
        Edits[0]->setFocus();
    });
    // The font dialog has no colour: the text's colour is chosen beside it.
    connect(ColourBtn, &QPushButton::clicked, this, [this] {
        if (const std::optional<QColor> chosen =
                fileDialogs().chooseColor(this, BookColour(m_textColour))) {
            m_textColour = BookColourOf(*chosen);
            showColour();
        }
        Edits[0]->setFocus();
    });
    connect(Button3, &QPushButton::clicked, this, [this] {
        if (const std::optional<QColor> chosen =
                fileDialogs().chooseColor(this, BookColour(m_colour))) {
            m_colour = BookColourOf(*chosen);
            showColour();
        }
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(Button1);
    side->addWidget(Button2);
    side->addWidget(ColourBtn);
    side->addWidget(Button3);
    side->addStretch();
    side->addWidget(OKBtn);
    side->addWidget(CancelBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Panel1, 1);
    layout->addLayout(side);
    setMinimumWidth(560);
}

void TAuthorForm::showColour()
{
    for (QLineEdit* edit : Edits) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, BookColour(m_colour));
        palette.setColor(QPalette::Text, BookColour(m_textColour));
        edit->setPalette(palette);
    }
}

void TAuthorForm::storeBox()
{
    for (int i = 0; i < 6; ++i)
        (m_working.Author.*kLines[i]).setText(Edits[i]->text().left(60));
    m_working.Author.AuthorFont.setText(
        FontText(TextFont::fromQFont(Panel1->font(), m_textColour)).left(50));
    m_working.Author.AuthorColor = m_colour;
}

void TAuthorForm::done(int result)
{
    if (result == QDialog::Accepted) {
        storeBox();
        m_menu = m_working;
    }
    QDialog::done(result);
}
