// The pieces every reader screen is built from.
#include "preview/readerscreen.h"

#include "core/files/projectpath.h"
#include "core/files/textcodec.h"
#include "core/pictures/pictures.h"
#include "core/project/fonttext.h"
#include "core/services/messages.h"
#include "format/reader/background.h"
#include "platform/look.h"
#include "platform/screen.h"
#include "preview/richedit.h"
#include "preview/wiatile.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QVBoxLayout>

Colour BookColourOf(const QColor& colour)
{
    return Colour(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

QColor BookColour(Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    if (value == 0x1FFFFFFF)
        return QColor(Qt::transparent);
    if (value & 0x80000000) {
        const QPalette palette = QApplication::palette();
        switch (value & 0xFF) {
        case 5:
            return palette.color(QPalette::Base); // clWindow
        case 8:
            return palette.color(QPalette::Text); // clWindowText
        case 13:
            return palette.color(QPalette::Highlight); // clHighlight
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 18:
            return palette.color(QPalette::ButtonText); // clBtnText
        case 23:
            return palette.color(QPalette::ToolTipText); // clInfoText
        case 24:
            return palette.color(QPalette::ToolTipBase); // clInfoBk
        default:
            return palette.color(QPalette::Button); // clBtnFace and the rest
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TextFont BarFont(const QString& fontText)
{
    return TextFont::fromStored(bookformat::BarFont(fontText.toStdString()));
}

void SetupBar(QLabel* bar, bool shown, const QString& text, const QString& fontText, Colour colour)
{
    const TextFont font = BarFont(fontText);
    QFont qfont = font.toQFont();
    bar->setText(text);
    bar->setFont(qfont);
    PaintBackground(bar, BookColour(colour), BookColour(font.color));
    bar->setFixedHeight(2 * font.size); // twice the point size, in pixels
    bar->setAlignment(Qt::AlignCenter);
    bar->setVisible(shown);
}

void StretchedPicture::setPicture(const QImage& image)
{
    m_image = image;
    update();
}

void StretchedPicture::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_image);
}

TScreenPanel::TScreenPanel(QWidget* parent)
    : QFrame(parent), wiaTile1(new TwiaTile(this)), Image1(new StretchedPicture(this))
{
    wiaTile1->hide();
    Image1->hide();
    wiaTile1->installEventFilter(this);
    Image1->installEventFilter(this);
    setColour(BookColour(colours::Silver));
}

void TScreenPanel::setColour(const QColor& colour)
{
    PaintBackground(this, colour);
}

void TScreenPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    wiaTile1->setGeometry(rect());
    Image1->setGeometry(rect());
}

void TScreenPanel::mousePressEvent(QMouseEvent* event)
{
    // Presses the text window did not take arrive here too; only the background's count.
    QWidget* under = childAt(event->position().toPoint());
    const bool onBackground = !under || under == Image1 || under == wiaTile1;
    if (event->button() == Qt::RightButton && onBackground)
        emit rightPressed();
    QFrame::mousePressEvent(event);
}

bool TScreenPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        emit rightPressed();
    return QFrame::eventFilter(watched, event);
}

namespace {

// The plan's picture, or a null image after the message for a refused, missing or unreadable
// file.
QImage backgroundPicture(const bookformat::BackgroundPlan& plan)
{
    if (!plan.message.empty()) {
        ShowError(QString::fromStdString(plan.message));
        return {};
    }
    const QString file = QString::fromStdString(plan.file);
    if (file.isEmpty() || !QFileInfo::exists(ResolveProjectName(file))) {
        ShowError(QString::fromStdString(bookformat::MissingPictureMessage(plan)));
        return {};
    }
    const LoadedPicture picture = LoadPicture(file);
    if (picture.image.isNull())
        ShowError(picture.error);
    return picture.image;
}

} // namespace

bool ShowBackground(TScreenPanel* panel, const Background& background, bool colourFallback)
{
    using bookformat::BackgroundLook;
    const QColor colour = BookColour(background.colour);
    const bookformat::BackgroundPlan plan = bookformat::PlanBackground(
        {background.type, background.colour, background.graphicFile.toStdString(),
         background.wallpaperFile.toStdString()},
        IsBookFileNameUtf8);
    switch (plan.look) {
    case BackgroundLook::Colour:
        panel->setColour(colour);
        return true;
    case BackgroundLook::Own:
        return true;
    case BackgroundLook::Refused:
        ShowError(QString::fromStdString(plan.message));
        return false;
    case BackgroundLook::Picture:
    case BackgroundLook::Tiles:
        break;
    }
    const QImage picture = backgroundPicture(plan);
    if (picture.isNull()) {
        if (colourFallback)
            panel->setColour(colour);
    } else if (plan.look == BackgroundLook::Picture) {
        panel->Image1->setPicture(picture);
        panel->Image1->show();
    } else {
        panel->wiaTile1->setImage(picture);
        panel->wiaTile1->show();
    }
    return true;
}

namespace {
constexpr QSize kDesignScreenSize(640, 480);
} // namespace

QPoint DesignScreenOrigin()
{
    const QSize screen = screenInfo().screenSize();
    return QPoint((screen.width() - kDesignScreenSize.width()) / 2,
                  (screen.height() - kDesignScreenSize.height()) / 2);
}

void PlaceOnDesignScreen(QWidget* screen)
{
    screen->setFixedSize(kDesignScreenSize);
    // An explicit place: Qt would otherwise centre a dialog over whatever window opened it,
    // which differs between the tool and the built book.
    screen->setGeometry(QRect(DesignScreenOrigin(), kDesignScreenSize));
}

// Menu bar, title bar, screen area and status bar, top to bottom, on a 640 x 480 window.
void LayOutReaderScreen(QDialog* screen, QMenuBar* menu, QLabel* title, QWidget* area,
                        QLabel* status)
{
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(title);
    layout->addWidget(area, 1);
    layout->addWidget(status);
    PlaceOnDesignScreen(screen);
}

TTextWindow::TTextWindow(QWidget* parent) : QFrame(parent), RichEdit1(new TRichEdit(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->viewport()->setCursor(Qt::ArrowCursor);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->document()->setDocumentMargin(10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(RichEdit1);
}

void TTextWindow::setTextColour(const QColor& colour)
{
    PaintBackground(this, colour);
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, colour);
    RichEdit1->setPalette(palette);
    // The scroll bar keeps the desktop's colours: in the text's colour its handle would read as
    // the groove, and the bar as upside down.
    const QPalette desktop = QApplication::palette();
    QPalette bar;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (r != QPalette::NoRole)
                bar.setColor(g, r, desktop.color(g, r));
        }
    }
    RichEdit1->verticalScrollBar()->setPalette(bar);
}

void TTextWindow::place(const DisplayRecord& display)
{
    if (display.FullScreen)
        setGeometry(parentWidget()->rect());
    else
        setGeometry(display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight);
}
