// What every reader screen shares: a 640 x 480 window on the design screen with a caption, the
// book's menu bar, title and status bars, and the screen area with its background between them.
// A screen runs modally over its owner until it closes; Escape and the close box close it.
#pragma once

#include "format/reader/background.h"
#include "format/records/fontstring.h"
#include "winreader/backdrop.h"
#include "winreader/fonts.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <windows.h>

namespace winreader {

// A title or status bar: its text centred in its font on its colour, twice the font's point
// size high.
struct Bar
{
    bool shown = false;
    std::wstring text;
    int height = 0;
    COLORREF colour = 0;
    COLORREF textColour = 0;
    Font font;
};

// The commands of the screens' menu bars.
enum MenuCommand : int
{
    kMenuClose = 100,
    kMenuAbout,
    kMenuHelp,
    kMenuFind,
    kMenuPrint,
    kMenuPrinterSetup,
};

class ReaderScreen
{
public:
    // `resizable` screens have a sizing frame and a maximize box.
    ReaderScreen(const wchar_t* className, const std::string& caption, HWND owner,
                 bool resizable = false);
    virtual ~ReaderScreen();
    ReaderScreen(const ReaderScreen&) = delete;
    ReaderScreen& operator=(const ReaderScreen&) = delete;

    HWND handle() const { return m_window; }
    // Places the screen (640 x 480 on the design screen unless placed otherwise), lays it out,
    // and runs it until it closes.
    void run();
    void close();

protected:
    // Shows the background in the screen area; a picture that cannot be shown is told when the
    // screen opens, and the colour stands in for it.
    void setBackground(const bookformat::Background& background, COLORREF ownColour);
    // A command of the menu bar, in the order added; a caption's "&" marks its Alt key.
    void addMenuItem(int id, const std::string& caption);
    // A menu of the bar holding `items` (id, caption; id 0 for a separator).
    void addSubMenu(const std::string& caption,
                    std::initializer_list<std::pair<int, std::string>> items);
    // The title and status bars of a BarsRecord.
    template <class Bars> void setBars(const Bars& bars)
    {
        setBar(m_title, bars.TitleShown != 0, bars.TitleText.utf8(), bars.TitleFont.utf8(),
               bars.TitleColor);
        setBar(m_status, bars.StatusShown != 0, bars.StatusText.utf8(), bars.StatusFont.utf8(),
               bars.StatusColor);
    }
    // The screen area between the bars, in client coordinates.
    RECT area() const;

    // Where the screen's inside (client area and menu bar) lies on the desktop.
    virtual RECT placement() const;
    // Places the children once the screen's size is known, and again when it changes.
    virtual void layOut() {}
    virtual void command(int id, int code);
    virtual LRESULT notify(const NMHDR& header, LPARAM l);
    virtual void rightClickedOnArea() {}
    // Once, when the screen has been painted for the first time.
    virtual void firstPainted() {}
    // Draws over the background: boxes the screen paints itself.
    virtual void paintArea(HDC) const {}
    virtual LRESULT other(UINT message, WPARAM w, LPARAM l);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handleMessage(UINT message, WPARAM w, LPARAM l);
    void paint(HDC dc) const;
    static void setBar(Bar& bar, bool shown, const std::string& text, const std::string& fontText,
                       bookformat::Colour colour);

    HWND m_window = nullptr;
    HWND m_owner = nullptr;
    HMENU m_menu = nullptr;
    Bar m_title;
    Bar m_status;
    Backdrop m_backdrop;
    std::string m_backdropError;
    bool m_closed = false;
    bool m_laidOut = false;
    bool m_painted = false;
};

} // namespace winreader
