#pragma once
// The printer: a DC whose pages become PNG files, one per page.
#include <filesystem>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/win_types.h"

struct DOCINFO {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;  // file name stem for the pages, or null for the document name
    LPCSTR lpszDatatype;
    DWORD fwType;
};

constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// A job id above 0, or a value at or below 0 when the DC is no printer or a
// document is already open.
int StartDoc(HDC dc, const DOCINFO* info);
// Starts a white page; > 0 on success.
int StartPage(HDC dc);
// Writes the page as "<stem>-<n>.png" in the printer's folder (a temporary
// file renamed into place); <= 0 when there is no page or it cannot be written.
int EndPage(HDC dc);
int EndDoc(HDC dc);
// Ends the document and removes the pages it wrote.
int AbortDoc(HDC dc);

namespace gdi {

struct PrinterSetup {
    int dpi = 300;
    SIZE paper_mm{210, 297};       // A4
    SIZE margin_mm{5, 5};          // unprintable border on each side
    std::filesystem::path folder;  // where pages go
};

// Device (0, 0) is the top-left of the printable area, as on the platform;
// GetDeviceCaps answers in printer pixels. Deleted with DeleteDC.
HDC create_printer_dc(const PrinterSetup& setup);

}  // namespace gdi
