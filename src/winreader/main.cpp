// kestrin.exe: the Windows reader runtime at the front of every Windows e-book. It plays the
// compiled book appended to its own file; `--verify` checks the book and prints a summary to the
// console it was started from instead. For tests and benchmarks, `--screen-report` tells what the
// reader sees and `--startup-report` the time to the table of contents.
#include "format/book/booklayout.h"
#include "format/book/imageend.h"
#include "winreader/bookplayer.h"
#include "winreader/console.h"
#include "winreader/messages.h"
#include "winreader/ownimage.h"
#include "winreader/picture.h"
#include "winreader/screenreport.h"

#include <cwchar>
#include <windows.h>

namespace {

int verify()
{
    try {
        const winreader::OwnImage self;
        // The tables are checked as the book is opened.
        const bookformat::CompiledBook book(bookformat::BookAfterImage(self.bytes()));
        winreader::WriteOutput(bookformat::BookCheckReport(book));
        return 0;
    } catch (const bookformat::FormatError& error) {
        winreader::WriteError(std::string(error.what()) + "\n");
        return 1;
    }
}

int play()
{
    const winreader::GdiPlusSession gdiplus;
    try {
        const winreader::OwnImage self;
        const bookformat::CompiledBook book(bookformat::BookAfterImage(self.bytes()));
        // Media files lie beside the executable after a distribution.
        SetCurrentDirectoryW(winreader::OwnFolder().c_str());
        winreader::PlayBook(book);
        return 0;
    } catch (const bookformat::FormatError& error) {
        winreader::ShowError(error.what());
        return 1;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    for (int i = 1; i < __argc; ++i) {
        if (std::wcscmp(__wargv[i], L"--verify") == 0)
            return verify();
        if (std::wcscmp(__wargv[i], L"--screen-report") == 0)
            winreader::EnableScreenReport();
        if (std::wcscmp(__wargv[i], L"--startup-report") == 0)
            winreader::EnableStartupReport(L"KestrinContents");
    }
    return play();
}
