// The main window's construction: the tiled background, the menu panel and the status lines (module
// bmmain).
#include "ui/mainwindow/bookmainform.h"

#include "core/files/programdir.h"
#include "platform/f1help.h"
#include "platform/help.h"
#include "platform/screen.h"
#include "preview/wiatile.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Quorelle for Windows - Ver 2.2");
const QString kHint = QStringLiteral(" Press F1 for Help");
constexpr QSize kClientSize(632, 425);
constexpr QSize kMenuPanelSize(385, 374);
constexpr QSize kWaitPanelSize(222, 41);

// The largest font up to `font`'s size whose rendering of `text` fits `width`.
QFont fittedFont(QFont font, const QString& text, int width)
{
    while (font.pointSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPointSize(font.pointSize() - 1);
    return font;
}

QLabel* makePanelLabel(const QString& text, QWidget* parent, const QColor& background)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

// The tile lives in a resource of a static library, which the linker keeps only when asked.
static void initShellResources()
{
    Q_INIT_RESOURCE(resources);
}

Tbookmainform::Tbookmainform(QWidget* parent)
    : QWidget(parent), m_chapterWindows(m_state), m_media(m_state.MediaPrompt)
{
    initShellResources();
    setObjectName(QStringLiteral("Tbookmainform"));
    buildWindow();
    FormCreate();
}

Tbookmainform::~Tbookmainform() = default;

void Tbookmainform::FormCreate()
{
    setWindowState(Qt::WindowMaximized);
    m_state.VersionTag = QStringLiteral("2.1");
    m_lowColour = screenInfo().colorDepth() < 16;
    m_state.ProgramDir = ProgramSupportDir();
    m_state.ProjectDir = m_state.ProgramDir;
    m_state.HelpFilePath = m_state.ProgramDir + QStringLiteral("KESTRIN.HLP");
    SetHelpFile(m_state.HelpFilePath);
    setWindowTitle(kCaption);
    UpdateButtons();
    MenuPnl->hide();
}

void Tbookmainform::buildWindow()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kClientSize);

    wiaTile2 = new TwiaTile(this);
    wiaTile2->setImage(QImage(QStringLiteral(":/shell/mainback.bmp")));
    buildMenuPanel();

    waitpnl = makePanelLabel(tr("Working....  Please wait"), wiaTile2, QColor(0xC0, 0xC0, 0xC0));
    waitpnl->resize(kWaitPanelSize);
    QFont waitFont(QStringLiteral("Times New Roman"), 21, QFont::Bold);
    waitpnl->setFont(fittedFont(waitFont, waitpnl->text(), kWaitPanelSize.width() - 8));
    waitpnl->hide();

    StatusPnl = new QFrame(this);
    StatusPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    HintLbl = new QLabel(StatusPnl);
    ProjectPnl = new QFrame(StatusPnl);
    ProjectPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* projectCaption = new QLabel(tr("  Current E-Book  :"), ProjectPnl);
    ProjectLbl = new QLabel(ProjectPnl);
    ProjectLbl->setObjectName(QStringLiteral("ProjectLbl"));
    auto* projectLayout = new QHBoxLayout(ProjectPnl);
    projectLayout->setContentsMargins(2, 1, 8, 1);
    projectLayout->addWidget(projectCaption);
    projectLayout->addWidget(ProjectLbl);
    auto* statusLayout = new QHBoxLayout(StatusPnl);
    statusLayout->setContentsMargins(2, 1, 2, 1);
    statusLayout->addWidget(HintLbl, 1);
    statusLayout->addWidget(ProjectPnl);

    InfoPnl = new QLabel(tr("Quorelle 2.2  -  multimedia e-books for the Linux desktop.  "
                            "Press F1 on any button for help."),
                         this);
    InfoPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(wiaTile2, 1);
    layout->addWidget(StatusPnl);
    layout->addWidget(InfoPnl);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &Tbookmainform::Timer1Timer);
    Timer1->start();
    wireActions();
}

QPushButton* Tbookmainform::makeButton(const QString& caption, int helpContext, bool hinted)
{
    auto* button = new QPushButton(caption);
    button->setAutoDefault(true); // Enter presses the focused button, as Space does
    if (helpContext > 0)
        SetHelpContext(button, helpContext);
    if (hinted)
        button->setStatusTip(kHint);
    return button;
}

void Tbookmainform::buildMenuPanel()
{
    MenuPnl = new QFrame(wiaTile2);
    MenuPnl->setObjectName(QStringLiteral("MenuPnl"));
    MenuPnl->resize(kMenuPanelSize);
    MenuPnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    MenuPnl->setLineWidth(2);
    MenuPnl->setAutoFillBackground(true);
    SetHelpContext(MenuPnl, 1);

    TitlePnl = makePanelLabel(kCaption, MenuPnl, QColor(0x00, 0xFF, 0xFF));
    TitlePnl->setGeometry(8, 6, 369, 40);
    const QFont titleFont(QStringLiteral("Times New Roman"), 24, QFont::Bold);
    TitlePnl->setFont(fittedFont(titleFont, kCaption, 369 - 12));

    SelectBtn = makeButton(tr("&Select an E-Book"), 120, true);
    StartBtn = makeButton(tr("&Create New E-Book"), 100, true);
    for (QPushButton* big : {SelectBtn, StartBtn}) {
        big->setParent(MenuPnl);
        QFont font = big->font();
        font.setBold(true);
        big->setFont(font);
    }
    SelectBtn->setGeometry(8, 52, 180, 34);
    StartBtn->setGeometry(197, 52, 180, 34);

    EditBtn = makeButton(tr("Create/&Edit Chapter"), 140, true);
    AddBtn = makeButton(tr("&Add a Chapter "), 160, true);
    ViewBtn = makeButton(tr("&View/Modify Display"), 170, true);
    DeleteBtn = makeButton(tr("&Remove a Chapter"), 180, true);
    CreateBookGrp = buildGroup(tr("  Create E-Book  "), {EditBtn, AddBtn, ViewBtn, DeleteBtn},
                               QRect(8, 92, 180, 122));

    PreviewBtn = makeButton(tr("&Pre-View E-Book"), 260, true);
    ExecBtn = makeButton(tr("Create E&xecutable"), 280, true);
    DistribBtn = makeButton(tr("Prepare &Distribution"), 290, true);
    FindBtn = makeButton(tr("&Find and Replace"), 265, true);
    CreateProgramGrp =
        buildGroup(tr("  Create Program  "), {PreviewBtn, ExecBtn, DistribBtn, FindBtn},
                   QRect(197, 92, 180, 122));

    CustChapBtn = makeButton(tr("E-&Book Presentation"), 200, true);
    CustBookBtn = makeButton(tr("Progra&m Presentation"), 230, true);
    HypTextBtn = makeButton(tr("&HyperText Utilities"), 250, true);
    ReorgBtn = makeButton(tr("Change Chapter &Order"), 240, true);
    CustomizeGrp = buildGroup(tr("  Customize  "), {CustChapBtn, CustBookBtn, HypTextBtn, ReorgBtn},
                              QRect(8, 218, 180, 122));

    AboutBtn = makeButton(tr("Abo&ut This Program"), 80, false);
    HelpBtn = makeButton(tr("&Help"), 1, false);
    TutBtn = makeButton(tr("&Tutorial"), 1, false);
    HelpGrp = buildGroup(tr("  Help  "), {AboutBtn, HelpBtn, TutBtn}, QRect(197, 218, 180, 122));

    QuitBtn = makeButton(tr("&Quit"), 0, false);
    QuitBtn->setParent(MenuPnl);
    QuitBtn->setGeometry(142, 344, 100, 24);

    // The first three groups wait for a project.
    for (QPushButton* button :
         {EditBtn, AddBtn, ViewBtn, DeleteBtn, PreviewBtn, ExecBtn, DistribBtn, FindBtn,
          CustChapBtn, CustBookBtn, HypTextBtn, ReorgBtn})
        button->setEnabled(false);
}

QGroupBox* Tbookmainform::buildGroup(const QString& title, const QList<QPushButton*>& buttons,
                                     QRect geometry)
{
    auto* group = new QGroupBox(title, MenuPnl);
    group->setGeometry(geometry);
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setParent(group);
        buttons[i]->setGeometry(8, 20 + i * 25, geometry.width() - 16, 24);
    }
    return group;
}

void Tbookmainform::centrePanels()
{
    for (QWidget* panel : {static_cast<QWidget*>(MenuPnl), static_cast<QWidget*>(waitpnl)}) {
        panel->move(wiaTile2->width() / 2 - panel->width() / 2,
                    wiaTile2->height() / 2 - panel->height() / 2);
    }
}

bool Tbookmainform::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        HintLbl->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void Tbookmainform::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The layout sizes the tile before this runs, so the panels centre on its new size.
    layout()->activate();
    centrePanels();
}
