// Running a window of the book modally over its owner until it closes. Enter and Escape reach it
// as OK and Cancel; Escape closes it even where a rich-text control has the focus.
#pragma once

#include <windows.h>

namespace winreader {

// The top left of the 640 x 480 design screen, centred on the desktop: every reader screen lies
// on it and every pop-up is placed relative to it, as the author placed them.
POINT DesignScreenOrigin();

// Gives the window a frame around `inside` (its client area and menu bar, in screen coordinates).
void PlaceInside(HWND window, const RECT& inside);
// Centres the window, sized to the client size, on the screen.
void CentreOnScreen(HWND window, SIZE client);

// Shows the window and runs its messages until `closed` is set; the owner takes no input meanwhile.
void RunModal(HWND window, HWND owner, const bool& closed);

// Takes a window off the screen once it has closed. A screen of the book's own sequence (one
// owned by the program background, which has no owner) stays up, disabled and empty, until the
// next window is shown or the background goes: hidden at once, it would leave the window manager
// no window of the book to give the focus to, so another program's window would take it and the
// book's next screen would open behind that one. True when the window is kept so: it is then
// this module's to destroy, and its procedure no longer calls the caller's object.
bool PutAway(HWND window, HWND owner);

// The keyboard shortcuts of a window's menu, translated while it runs; null when none.
void SetAccelerators(HWND window, HACCEL table);

// A modeless dialog (a Find dialog) whose keys the loop gives to it while it is open. Several
// may be open at once (a chapter's and its notepad's): closing one leaves the others theirs.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

} // namespace winreader
