/* Adds a PostScript printer to a Wine prefix that prints into a file, and makes it the default:
 * the tests print through it and read the pages. addprinter PPD OUTPUT, the PPD as a Windows path
 * and the output as a Unix one. */
#include <windows.h>
#include <winspool.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    DRIVER_INFO_3W driver = {0};
    driver.cVersion = 3;
    driver.pName = L"Wine PostScript Driver";
    driver.pDriverPath = L"wineps.drv";
    driver.pDataFile = argv[1];
    driver.pConfigFile = L"wineps.drv";
    driver.pDefaultDataType = L"RAW";
    if (!AddPrinterDriverExW(NULL, 3, (BYTE*)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return 1;
    PRINTER_INFO_2W printer = {0};
    printer.pPrinterName = L"Test File Printer";
    printer.pPortName = argv[2];
    printer.pDriverName = L"Wine PostScript Driver";
    printer.pPrintProcessor = L"WinPrint";
    printer.pDatatype = L"RAW";
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterW(NULL, 2, (BYTE*)&printer);
    if (added)
        ClosePrinter(added);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return 1;
    return SetDefaultPrinterW(L"Test File Printer") ? 0 : 1;
}
