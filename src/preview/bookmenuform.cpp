// The table of contents window (module Bmnudspf).
#include "preview/bookmenuform.h"

#include "core/project/fonttext.h"
#include "core/services/messages.h"
#include "format/reader/authorbox.h"
#include "platform/f1help.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "preview/aboutbox.h"
#include "preview/chapdispform.h"
#include "preview/readerscreen.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

TBookMenuForm::TBookMenuForm(const PreviewContext& context, const QStringList& entries,
                             QWidget* parent)
    : QDialog(parent), MainMenu1(new QMenuBar(this)), TitlePnl(new QLabel(this)),
      StatusPnl(new QLabel(this)), MainPnl(new TScreenPanel(this)), AuthorPnl(new QFrame(MainPnl)),
      Panel1(new QFrame(MainPnl)), ListBox1(new QListWidget), ControlPnl(new QFrame),
      OKBitBtn(new QPushButton(tr("&OK"))), CancelBitBtn(new QPushButton(tr("&Quit"))),
      m_context(context), m_project(context.source.project()),
      m_help(context, m_project.Config.UseHelpFile != 0)
{
    setObjectName(QStringLiteral("TBookMenuForm"));
    SetHelpContext(this, 230);
    setWindowTitle(m_project.Config.BookTitle.text());
    const DisplayRecord& display = m_project.Menu.MenuDisplay;
    MainPnl->setColour(BookColour(display.BackColor));
    ShowBackground(MainPnl, BackgroundOf(display));
    buildMenu();
    const BarsRecord& bars = m_project.Menu.MenuBars;
    SetupBar(TitlePnl, bars.TitleShown, bars.TitleText.text(), bars.TitleFont.text(),
             bars.TitleColor);
    SetupBar(StatusPnl, bars.StatusShown, bars.StatusText.text(), bars.StatusFont.text(),
             bars.StatusColor);
    buildMenuBox();
    for (const QString& entry : entries) {
        auto* item = new QListWidgetItem(entry, ListBox1);
        if (entry.isRightToLeft()) // an Arabic or Hebrew entry reads from the right
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    ListBox1->setCurrentRow(0);

    BuildAuthorBox(AuthorPnl, Labels);

    LayOutReaderScreen(this, MainMenu1, TitlePnl, MainPnl, StatusPnl);
}

void TBookMenuForm::buildMenu()
{
    const CaptionsRecord& captions = m_project.Presentation.Captions;
    MQuit = MainMenu1->addAction(captions.QuitCaption.text(), this, &QDialog::reject);
    MAbout = MainMenu1->addAction(captions.AboutCaption.text(), this,
                                  [this] { ShowAboutBox(m_project.Presentation.About, this); });
    MAbout->setVisible(m_project.Presentation.AboutShown != 0);
    MHelp = MainMenu1->addAction(captions.HelpCaption.text(), this,
                                 [this] { ShowHelp(m_project.Config.HelpTopic); });
    MHelp->setVisible(m_project.Config.UseHelpFile != 0);
}

void TBookMenuForm::buildMenuBox()
{
    Panel1->hide();
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Button);
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(ListBox1);
    auto* controls = new QHBoxLayout(ControlPnl);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addWidget(OKBitBtn);
    controls->addWidget(CancelBitBtn);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ControlPnl);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(frame, 1);
    layout->addLayout(buttonRow);
    OKBitBtn->setDefault(true);
    connect(OKBitBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { OKBitBtnClick(); }); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this] { ReportErrors([this] { OKBitBtnClick(); }); });
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void BuildAuthorBox(QFrame* box, QLabel* (&labels)[6])
{
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(bookformat::kAuthorBoxInset); // the lines start right inside the bevel
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QLabel*& label : labels) {
        label = new QLabel(box);
        layout->addWidget(label, 0, Qt::AlignTop);
    }
    layout->addStretch();
    box->hide();
}

void SetUpAuthorBox(QFrame* box, QLabel* const (&labels)[6], const MenuRecord& menu)
{
    const AuthorRecord& author = menu.Author;
    if (!menu.UseAuthorBox) {
        box->hide();
        return;
    }
    const QString lines[6] = {author.AuthorLine1.text(), author.AuthorLine2.text(),
                              author.AuthorLine3.text(), author.AuthorLine4.text(),
                              author.AuthorLine5.text(), author.AuthorLine6.text()};
    int last = 0; // lines after the last non-empty one are hidden; empty ones before it stay
    for (int i = 0; i < 6; ++i) {
        if (!lines[i].isEmpty())
            last = i + 1;
    }
    const TextFont font = BarFont(author.AuthorFont.text());
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, BookColour(author.AuthorColor));
    palette.setColor(QPalette::WindowText, BookColour(font.color));
    box->setPalette(palette);
    const int lineHeight = bookformat::AuthorLineHeight(QFontMetrics(font.toQFont()).height());
    for (int i = 0; i < 6; ++i) {
        labels[i]->setFixedHeight(lineHeight);
        labels[i]->setFont(font.toQFont());
        labels[i]->setText(lines[i]);
        labels[i]->setVisible(i < last);
    }
    box->setGeometry(author.AuthorLeft, author.AuthorTop, author.AuthorWidth, author.AuthorHeight);
    box->show();
}

void TBookMenuForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout()->activate();
    SetUpAuthorBox(AuthorPnl, Labels, m_project.Menu);
    const DisplayRecord& display = m_project.Menu.MenuDisplay;
    Panel1->setGeometry(display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight);
    Panel1->show();
    Panel1->raise();
    ListBox1->setFocus();
}

void TBookMenuForm::OKBitBtnClick()
{
    const int index = ListBox1->currentRow();
    if (index < 0 || ListBox1->selectedItems().isEmpty())
        return;
    const ChapterRecord chapter = m_context.source.chapter(index);
    const QByteArray text = m_context.source.chapterText(chapter.ChapterFile.text());
    const DisplayRecord display = m_context.source.display(chapter.DisplayFile.text());
    ShowChapter(m_context, display, text, this);
    if (m_project.Config.UseHelpFile)
        SetHelpFile(m_project.Config.HelpFile.text());
}

void ShowTableOfContents(const PreviewContext& context, const QStringList& entries, QWidget* parent)
{
    TBookMenuForm form(context, entries, parent);
    RunModal(form);
}
