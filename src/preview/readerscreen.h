// What every reader screen shares: colours of the book, title and status bars, the screen area
// with its background, and the text window on it.
#pragma once

#include "core/project/codes.h"
#include "core/project/fonttext.h"
#include "core/project/records.h"
#include "core/sections/displaysection.h"

#include <QColor>
#include <QFrame>
#include <QLabel>

class TwiaTile;
class TRichEdit;

// A book colour ($00BBGGRR, or a system colour code) as a Qt colour.
QColor BookColour(Colour colour);
// A chosen Qt colour as the book stores it.
Colour BookColourOf(const QColor& colour);

// The font a bar's font text describes; a damaged font text gives the standard font.
TextFont BarFont(const QString& fontText);

// Shows or hides a bar with its text, font (from its font text), colour and a height of twice
// the font's point size.
void SetupBar(QLabel* bar, bool shown, const QString& text, const QString& fontText, Colour colour);

// A picture stretched over the whole of its widget.
class StretchedPicture : public QWidget
{
public:
    using QWidget::QWidget;
    void setPicture(const QImage& image);
    const QImage& picture() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// The screen area of a reader screen: a colour, a stretched picture or a tiled wallpaper.
class TScreenPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TScreenPanel(QWidget* parent = nullptr);
    void setColour(const QColor& colour);

    TwiaTile* wiaTile1;
    StretchedPicture* Image1;

signals:
    void rightPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

struct Background
{
    int type; // a stored BackgroundType code
    Colour colour;
    QString graphicFile;
    QString wallpaperFile;
};

inline Background BackgroundOf(const DisplayRecord& d)
{
    return {d.BackType, d.BackColor, d.GraphicFile.text(), d.WallpaperFile.text()};
}

// Shows the background on the panel, with the messages for missing or unreadable files. With
// `colourFallback` a missing file leaves the panel in the background colour. Returns false only
// for a ".JPG" wallpaper, which is refused.
bool ShowBackground(TScreenPanel* panel, const Background& background, bool colourFallback = true);

class QDialog;
class QMenuBar;

// Where the 640 x 480 design screen lies on the reader's desktop: centred on the screen. Every
// reader screen is placed on it and every text pop-up relative to it, in the tool's designers and
// preview and in the built book alike, so what the author places is what the reader sees.
QPoint DesignScreenOrigin();
// Gives a 640 x 480 reader screen its place on the design screen (its inside, below the frame).
void PlaceOnDesignScreen(QWidget* screen);

// Menu bar, title bar, screen area and status bar, top to bottom, on a 640 x 480 window.
void LayOutReaderScreen(QDialog* screen, QMenuBar* menu, QLabel* title, QWidget* area,
                        QLabel* status);

// The text window: a lowered panel holding a read-only rich-text area with a 10-pixel border.
class TTextWindow : public QFrame
{
public:
    explicit TTextWindow(QWidget* parent = nullptr);
    void setTextColour(const QColor& colour);
    // At the record's rectangle inside its parent, or filling it.
    void place(const DisplayRecord& display);

    TRichEdit* RichEdit1;
};
