// The text-window editor of text links.
#include "ui/authoring/hypentryform.h"

#include "core/files/textcodec.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/htxdispf.h"
#include "preview/htxvdspf.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "ui/authoring/colourlist.h"
#include "ui/authoring/textformat.h"
#include "ui/design/htxbackf.h"
#include "ui/design/htxwadjf.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

THypEntryForm::THypEntryForm(Mode mode, const DisplayRecord& display, const QStringList& textLines,
                             QWidget* parent)
    : QDialog(parent), RichEdit1(new TRichEdit(this)),
      m_format(new TextFormatControls(this, RichEdit1, false)), ComboBox1(m_format->fontName),
      ComboBox2(m_format->size), ComboBox3(m_format->colour), BtnB(m_format->bold),
      BtnI(m_format->italic), ImportBtn(new QPushButton(tr("&Import File"), this)),
      AllBtn(new QPushButton(tr("&Select All Text"), this)),
      ClearBtn(new QPushButton(tr("Clear All &Text"), this)),
      ColorBtn(new QPushButton(tr("Color"), this)),
      AdjustBtn(new QPushButton(
          mode == TextWindow ? tr("&Adjust Text Window") : tr("&Design Display Screen"), this)),
      ViewBtn(new QPushButton(tr("&View"), this)), OKBtn(new QPushButton(tr("&OK"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)), m_mode(mode), m_display(display)
{
    setObjectName(QStringLiteral("THypEntryForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, mode == TextWindow ? 510 : 550);
    PaintBackground(this, kTeal, Qt::white);
    build();
    RichEdit1->loadContent(RtfFromLines(textLines));
    showBackground();
    m_format->showSelection();
    const auto back = [this] { RichEdit1->setFocus(); };
    connect(ImportBtn, &QPushButton::clicked, this, [this, back] {
        ReportErrors([this] { ImportBtnClick(); });
        back();
    });
    connect(AllBtn, &QPushButton::clicked, this, [this, back] {
        RichEdit1->selectAll();
        back();
    });
    connect(ClearBtn, &QPushButton::clicked, this, [this, back] {
        RichEdit1->clear();
        back();
    });
    connect(ColorBtn, &QPushButton::clicked, this, &THypEntryForm::ColorBtnClick);
    connect(AdjustBtn, &QPushButton::clicked, this, &THypEntryForm::AdjustBtnClick);
    connect(ViewBtn, &QPushButton::clicked, this, &THypEntryForm::ViewBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THypEntryForm::build()
{
    auto* font = new QGroupBox(tr(" Text Font "), this);
    auto* fontLayout = new QHBoxLayout(font);
    for (QWidget* control : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox2),
                             static_cast<QWidget*>(ComboBox3), static_cast<QWidget*>(BtnB),
                             static_cast<QWidget*>(BtnI)}) {
        control->setParent(font);
        fontLayout->addWidget(control);
    }
    auto* background = new QGroupBox(tr("Background"), this);
    auto* backgroundLayout = new QHBoxLayout(background);
    backgroundLayout->addWidget(ColorBtn);
    auto* tools = new QHBoxLayout;
    tools->addWidget(font);
    tools->addWidget(background);
    auto* textButtons = new QHBoxLayout;
    for (QPushButton* button : {ImportBtn, AllBtn, ClearBtn})
        textButtons->addWidget(button);
    textButtons->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AdjustBtn);
    buttons->addWidget(ViewBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(textButtons);
    layout->addWidget(RichEdit1, 1);
    layout->addLayout(buttons);
    resize(600, 440);
}

void THypEntryForm::showBackground()
{
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, BookColour(m_display.TextColor));
    RichEdit1->setPalette(palette);
}

QStringList THypEntryForm::textLines() const
{
    if (RichEdit1->document()->isEmpty())
        return {};
    QString rtf = textcodec::decode(RichEdit1->rtf());
    rtf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = rtf.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void THypEntryForm::ImportBtnClick()
{
    FileChoice choice;
    choice.title = tr("Import a Text File");
    choice.folder = QDir::currentPath();
    choice.filter = QStringLiteral("Text and RTF Files|*.TXT;*.RTF");
    const QString picked = fileDialogs().openFile(this, choice);
    if (!picked.isEmpty())
        RichEdit1->loadFile(picked);
}

void THypEntryForm::ColorBtnClick()
{
    const std::optional<QColor> chosen =
        fileDialogs().chooseColor(this, BookColour(m_display.TextColor));
    if (!chosen)
        return;
    m_display.TextColor = BookColourOf(*chosen);
    showBackground();
}

void THypEntryForm::AdjustBtnClick()
{
    const HiddenWhileSubWindow hidden(this);
    const QStringList lines = textLines();
    if (m_mode == TextWindow) {
        AdjustPopupWindow(m_display, lines, parentWidget());
        return;
    }
    TVPDesignBackForm design(m_display, RtfFromLines(lines), parentWidget());
    RunModal(design);
}

void THypEntryForm::ViewBtnClick()
{
    const QStringList lines = textLines();
    if (m_mode == TextWindow) {
        TShowHTextForm popup(m_display, lines, QPoint(), this);
        RunModal(popup);
    } else {
        TTxtVPDispForm screen(m_display, lines, this);
        RunModal(screen);
    }
}

bool EditLinkText(THypEntryForm::Mode mode, DisplayRecord& display, QStringList& textLines,
                  QWidget* parent)
{
    THypEntryForm form(mode, display, textLines, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    display = form.display();
    const QStringList lines = form.textLines();
    if (!lines.isEmpty()) // an emptied text leaves the lines as they were
        textLines = lines;
    return true;
}
