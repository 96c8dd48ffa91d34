// The background design windows.
#include "ui/design/designbackform.h"

#include "core/files/filenames.h"
#include "core/project/codes.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"
#include "ui/common/bringfile.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kGraphicFilter = QStringLiteral("Graphic Files|*.BMP;*.JPG");
const QString kWallpaperFilter = QStringLiteral("Wallpaper Files|*.BMP");

} // namespace

BackgroundFields BackgroundFields::of(const DisplayRecord& display)
{
    return {display.BackType, display.BackColor, display.GraphicFile.text(),
            display.WallpaperFile.text()};
}

BackgroundFields BackgroundFields::of(const ConfigRecord& config)
{
    return {config.ProgBackType, config.ProgBackColor, config.ProgGraphicFile.text(),
            config.ProgWallpaperFile.text()};
}

void BackgroundFields::storeIn(DisplayRecord& display) const
{
    display.BackType = type;
    display.BackColor = colour;
    display.GraphicFile.setText(graphic);
    display.WallpaperFile.setText(wallpaper);
}

void BackgroundFields::storeIn(ConfigRecord& config) const
{
    config.ProgBackType = type;
    config.ProgBackColor = colour;
    config.ProgGraphicFile.setText(graphic);
    config.ProgWallpaperFile.setText(wallpaper);
}

TDesignBackForm::TDesignBackForm(const BackgroundMember& member, const BackgroundFields& fields,
                                 QWidget* parent)
    : QDialog(parent), ColorRBtn(new QRadioButton(tr(" Colored Screen"))),
      GraphicRBtn(new QRadioButton(tr(" Graphic Image"))),
      WallpaperRBtn(new QRadioButton(tr(" Wallpaper"))),
      ColorGrpBx(new QGroupBox(tr(" Background Color "), this)), Panel1(new QFrame(ColorGrpBx)),
      Button3(new QPushButton(tr("&Select"), ColorGrpBx)),
      GraphicGrpBx(new QGroupBox(tr("Graphic File (.BMP or .JPG)"), this)),
      GraphicEdit(new QLineEdit(GraphicGrpBx)), FileListBox1(new FileListBox(GraphicGrpBx)),
      Button2(new QPushButton(tr("&Find File"), GraphicGrpBx)),
      WallpaperGrpBx(new QGroupBox(tr(" WallPaper (.BMP only) "), this)),
      WallPaperEdit(new QLineEdit(WallpaperGrpBx)), FileListBox2(new FileListBox(WallpaperGrpBx)),
      Button1(new QPushButton(tr("Find File"), WallpaperGrpBx)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_member(member), m_fields(fields), m_filter(kGraphicFilter)
{
    setObjectName(QString::fromLatin1(member.className));
    setWindowTitle(tr("Press F1 for Help"));
    setToolTip(tr("Press F1 for Help"));
    SetHelpContext(this, member.helpContext);
    PaintBackground(this, kTeal, Qt::white);
    buildGroups();

    // Opening: the stored type's button and group, the colour and both names.
    (m_fields.type == 2   ? GraphicRBtn
     : m_fields.type == 3 ? WallpaperRBtn
                          : ColorRBtn)
        ->setChecked(true);
    showGroupOf(m_fields.type);
    showColour();
    GraphicEdit->setText(m_fields.graphic.isEmpty() ? QStringLiteral("*.BMP;*.JPG")
                                                    : m_fields.graphic.toUpper());
    WallPaperEdit->setText(m_fields.wallpaper.isEmpty() ? QStringLiteral("*.BMP")
                                                        : m_fields.wallpaper);

    connect(ColorRBtn, &QRadioButton::clicked, this, &TDesignBackForm::ColorRBtnClick);
    connect(GraphicRBtn, &QRadioButton::clicked, this, &TDesignBackForm::GraphicRBtnClick);
    connect(WallpaperRBtn, &QRadioButton::clicked, this, &TDesignBackForm::WallpaperRBtnClick);
    connect(Button2, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { FindGraphic(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { FindWallpaper(); }); });
    connect(Button3, &QPushButton::clicked, this, &TDesignBackForm::SelectColour);
    connect(FileListBox1, &FileListBox::fileClicked, this, [this](const QString& name) {
        m_fields.graphic = name;
        GraphicEdit->setText(name.toUpper());
    });
    connect(FileListBox2, &FileListBox::fileClicked, this, [this](const QString& name) {
        m_fields.wallpaper = name;
        WallPaperEdit->setText(name);
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    if (ViewBitBtn)
        connect(ViewBitBtn, &QPushButton::clicked, this, [this] { view(); });
    if (WindowBtn)
        connect(WindowBtn, &QPushButton::clicked, this, [this] { adjustWindow(); });
}

void TDesignBackForm::buildGroups()
{
    auto* kinds = new QGroupBox(tr(" Screen Background "), this);
    auto* kindLayout = new QVBoxLayout(kinds);
    for (QRadioButton* button : {ColorRBtn, GraphicRBtn, WallpaperRBtn})
        kindLayout->addWidget(button);

    Panel1->setFixedSize(80, 40);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* colourLayout = new QHBoxLayout(ColorGrpBx);
    colourLayout->addWidget(Panel1);
    colourLayout->addWidget(Button3);

    const auto fileGroup = [](QGroupBox* group, QLineEdit* edit, FileListBox* list,
                              QPushButton* find, const QString& mask) {
        edit->setReadOnly(true);
        list->setMask(mask);
        list->setDirectory(QDir::currentPath());
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(edit);
        layout->addWidget(list);
        layout->addWidget(find);
    };
    fileGroup(GraphicGrpBx, GraphicEdit, FileListBox1, Button2, QStringLiteral("*.BMP;*.JPG"));
    fileGroup(WallpaperGrpBx, WallPaperEdit, FileListBox2, Button1, QStringLiteral("*.BMP"));

    auto* buttons = new QHBoxLayout;
    if (m_member.viewButton) {
        ViewBitBtn = new QPushButton(tr("View"), this);
        buttons->addWidget(ViewBitBtn);
    } else {
        buttons->addWidget(new QLabel(tr("Design the Text Window size :"), this));
        WindowBtn = new QPushButton(tr("&Adjust Window"), this);
        buttons->addWidget(WindowBtn);
    }
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addWidget(ColorGrpBx);
    layout->addWidget(GraphicGrpBx);
    layout->addWidget(WallpaperGrpBx);
    layout->addLayout(buttons);
    resize(420, 420);
}

void TDesignBackForm::showGroupOf(int type)
{
    ColorGrpBx->setVisible(type != 2 && type != 3);
    GraphicGrpBx->setVisible(type == 2);
    WallpaperGrpBx->setVisible(type == 3);
}

void TDesignBackForm::showColour()
{
    PaintBackground(Panel1, BookColour(m_fields.colour));
}

void TDesignBackForm::ColorRBtnClick()
{
    m_fields.type = static_cast<int>(BackgroundType::Colour);
    showGroupOf(m_fields.type);
}

void TDesignBackForm::GraphicRBtnClick()
{
    if (m_member.radioFilters)
        m_filter = kGraphicFilter;
    m_fields.type = static_cast<int>(BackgroundType::Picture);
    showGroupOf(m_fields.type);
    QString found;
    // JPEG first: a photo is the likelier background.
    if (m_fields.graphic.isEmpty() &&
        FindEitherInProject(QDir::currentPath(), QStringLiteral("*.jpg"), QStringLiteral("*.bmp"),
                            found)) {
        m_fields.graphic = found;
        m_fields.wallpaper.clear();
        GraphicEdit->setText(found.toUpper());
    }
}

void TDesignBackForm::WallpaperRBtnClick()
{
    if (m_member.radioFilters)
        m_filter = QString::fromLatin1(m_member.wallpaperFilter);
    m_fields.type = static_cast<int>(BackgroundType::Wallpaper);
    showGroupOf(m_fields.type);
    if (m_member.jpgWallpaperCheck && m_fields.wallpaper.toUpper().endsWith(QLatin1String(".JPG")))
        m_fields.wallpaper.clear();
    QString found;
    if (m_fields.wallpaper.isEmpty() &&
        FindInProject(QDir::currentPath(), QStringLiteral("*.bmp"), found)) {
        m_fields.wallpaper = found;
        m_fields.graphic.clear();
        WallPaperEdit->setText(found);
    }
}

QString TDesignBackForm::findFile(const QString& current, const QString& fallbackFirst,
                                  const QString& fallbackSecond)
{
    FileChoice choice;
    choice.title = tr("Select a Graphic File");
    choice.filter = m_filter;
    QString candidate = BringFileIntoProject(this, choice, QDir::currentPath(), current);
    FileListBox1->refresh();
    FileListBox2->refresh();
    if (candidate.isEmpty() || candidate.contains(QLatin1Char('*')))
        FindEitherInProject(QDir::currentPath(), fallbackFirst, fallbackSecond, candidate);
    return candidate;
}

void TDesignBackForm::FindGraphic()
{
    m_fields.graphic =
        findFile(GraphicEdit->text(), QStringLiteral("*.jpg"), QStringLiteral("*.bmp"));
    GraphicEdit->setText(m_fields.graphic.toUpper());
}

void TDesignBackForm::FindWallpaper()
{
    m_fields.wallpaper =
        findFile(WallPaperEdit->text(), QStringLiteral("*.bmp"), QStringLiteral("*.bmp"));
    WallPaperEdit->setText(m_fields.wallpaper);
}

void TDesignBackForm::SelectColour()
{
    const std::optional<QColor> chosen =
        fileDialogs().chooseColor(this, BookColour(m_fields.colour));
    if (!chosen)
        return;
    m_fields.colour = BookColourOf(*chosen);
    showColour();
}

void TDesignBackForm::done(int result)
{
    if (result == QDialog::Accepted && m_member.emptiesOtherNames) {
        if (m_fields.type != 3)
            m_fields.wallpaper.clear();
        if (m_fields.type != 2)
            m_fields.graphic.clear();
    }
    QDialog::done(result);
}

//                                      class                 help dlg   view   filters wallpaper
//                                      filter                jpg   empties dblclick
const BackgroundMember kProgramBackground{"TCFGDesignBackForm",    410,  510,  true, true,
                                          "Wallpaper Files|*.BMP", true, true, true};
const BackgroundMember kIntroductionBackground{"TIntDesignBackForm",    480,  510,  false, true,
                                               "Wallpaper Files|*.BMP", true, true, true};
const BackgroundMember kHyperTextBackground{"TVPDesignBackForm",         480,   510,   false, true,
                                            "BMP Wallpaper Files|*.BMP", false, false, false};
const BackgroundMember kMenuBackground{
    "TMenuDesignBackForm", 223, 325, false, false, "", false, true, false};
const BackgroundMember kChapterBackground{
    "TChapDesignBackForm", 480, 325, false, false, "", false, false, false};
