// The rich-text editor of link texts and the introduction.
#include "ui/common/textentryform.h"

#include "core/files/textcodec.h"
#include "core/services/messages.h"
#include "platform/filedialogs.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "ui/common/colourlist.h"
#include "ui/common/editorspelling.h"
#include "ui/common/textformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TTextEntryForm::TTextEntryForm(const TextEntryLook& look, const QString& bookLanguage,
                               QWidget* parent)
    : QDialog(parent), RichEdit1(new TRichEdit(this)),
      m_format(new TextFormatControls(this, RichEdit1, false)), ComboBox1(m_format->fontName),
      ComboBox2(m_format->size), ComboBox3(m_format->colour), BtnB(m_format->bold),
      BtnI(m_format->italic), ImportBtn(new QPushButton(tr("&Import File"), this)),
      AllBtn(new QPushButton(tr("&Select All Text"), this)),
      ClearBtn(new QPushButton(tr("Clear All &Text"), this)),
      ColorBtn(new QPushButton(tr("Color"), this)),
      AdjustBtn(new QPushButton(look.adjustCaption, this)),
      ViewBtn(new QPushButton(tr("&View"), this)), OKBtn(new QPushButton(tr("&OK"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)),
      Spelling(new EditorSpelling(RichEdit1, bookLanguage, this)), NoDictionary(new QLabel(this)),
      m_look(look)
{
    setWindowTitle(tr("Press F1 for Help"));
    PaintBackground(this, kTeal, Qt::white);
    build();
    const auto back = [this] { RichEdit1->setFocus(); };
    connect(ImportBtn, &QPushButton::clicked, this, [this, back] {
        ReportErrors([this] { importFile(); });
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
    connect(ColorBtn, &QPushButton::clicked, this, &TTextEntryForm::chooseColour);
    connect(AdjustBtn, &QPushButton::clicked, this, [this] {
        const HiddenWhileSubWindow hidden(this);
        adjust();
    });
    connect(ViewBtn, &QPushButton::clicked, this, [this] { view(); });
    connect(Spelling, &EditorSpelling::languagesWithoutDictionaryChanged, this,
            [this] { NoDictionary->setText(Spelling->noDictionaryNote()); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TTextEntryForm::start(const QStringList& textLines)
{
    RichEdit1->loadContent(RtfFromLines(textLines));
    showBackground();
    m_format->showSelection();
}

void TTextEntryForm::build()
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
    textButtons->addWidget(NoDictionary);
    m_format->language->setToolTip(tr("The language of the selected text"));
    m_format->language->setAccessibleName(tr("Language"));
    textButtons->addWidget(m_format->language);
    textButtons->addWidget(Spelling->checkBox);
    auto* buttons = ButtonRow({AdjustBtn, ViewBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(textButtons);
    layout->addWidget(RichEdit1, 1);
    layout->addLayout(buttons);
    resize(600, 440);
}

void TTextEntryForm::showBackground()
{
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, BookColour(textColour()));
    RichEdit1->setPalette(palette);
}

QStringList TTextEntryForm::textLines() const
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

void TTextEntryForm::importFile()
{
    FileChoice choice;
    choice.title = m_look.importTitle;
    choice.folder = QDir::currentPath();
    choice.filter = m_look.importFilter;
    const QString picked = fileDialogs().openFile(this, choice);
    if (!picked.isEmpty())
        RichEdit1->loadFile(picked);
}

void TTextEntryForm::chooseColour()
{
    const std::optional<QColor> chosen = fileDialogs().chooseColor(this, BookColour(textColour()));
    if (!chosen)
        return;
    textColour() = BookColourOf(*chosen);
    showBackground();
}
