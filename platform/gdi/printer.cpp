#include "platform/gdi/printer.h"

#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"

namespace gdi {

struct Printer {
    PrinterSetup setup;
    SIZE paper_px{};
    POINT offset_px{};
    bool in_document = false;
    bool in_page = false;
    int job = 0;
    std::string stem;
    std::vector<std::filesystem::path> written;
};

namespace {

LONG mm_to_px(LONG mm, int dpi) { return static_cast<LONG>(static_cast<long long>(mm) * dpi * 10 / 254); }

// Document names may hold anything; page file names keep letters, digits,
// '-', '_' and '.' and nothing that leaves the folder.
std::string file_stem(LPCSTR name) {
    std::string out;
    for (const char* p = name; p && *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const bool keep = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                          c == '_' || (c == '.' && !out.empty());
        out += keep ? static_cast<char>(c) : '_';
    }
    return out.empty() ? std::string("page") : out;
}

Printer* printer_of(Dc* dc) { return dc ? dc->printer.get() : nullptr; }

}  // namespace

HDC create_printer_dc(const PrinterSetup& setup) {
    if (setup.dpi <= 0 || setup.dpi > 1200 || setup.paper_mm.cx <= 0 || setup.paper_mm.cy <= 0 ||
        setup.paper_mm.cx > 1000 || setup.paper_mm.cy > 1000 || setup.margin_mm.cx < 0 || setup.margin_mm.cy < 0 ||
        2 * setup.margin_mm.cx >= setup.paper_mm.cx || 2 * setup.margin_mm.cy >= setup.paper_mm.cy)
        return nullptr;
    auto printer = std::make_shared<Printer>();
    printer->setup = setup;
    printer->paper_px = SIZE{mm_to_px(setup.paper_mm.cx, setup.dpi), mm_to_px(setup.paper_mm.cy, setup.dpi)};
    printer->offset_px = POINT{mm_to_px(setup.margin_mm.cx, setup.dpi), mm_to_px(setup.margin_mm.cy, setup.dpi)};
    HDC handle = create_surface_dc(std::make_shared<Surface>(1, 1), printer->offset_px);
    auto dc = find_dc(handle);
    dc->printer = std::move(printer);
    return handle;
}

int printer_caps(const Dc& dc, int index) {
    const Printer& p = *dc.printer;
    switch (index) {
        case HORZRES: return p.paper_px.cx - 2 * p.offset_px.x;
        case VERTRES: return p.paper_px.cy - 2 * p.offset_px.y;
        case PHYSICALWIDTH: return p.paper_px.cx;
        case PHYSICALHEIGHT: return p.paper_px.cy;
        case PHYSICALOFFSETX: return p.offset_px.x;
        case PHYSICALOFFSETY: return p.offset_px.y;
        case HORZSIZE: return p.setup.paper_mm.cx - 2 * p.setup.margin_mm.cx;
        case VERTSIZE: return p.setup.paper_mm.cy - 2 * p.setup.margin_mm.cy;
        case LOGPIXELSX:
        case LOGPIXELSY: return p.setup.dpi;
        default: return -1;
    }
}

}  // namespace gdi

using namespace gdi;

int StartDoc(HDC handle, const DOCINFO* info) {
    auto dc = find_dc(handle);
    Printer* p = printer_of(dc.get());
    if (!p || p->in_document) return -1;
    p->in_document = true;
    p->stem = file_stem(info && info->lpszOutput ? info->lpszOutput : info ? info->lpszDocName : nullptr);
    p->written.clear();
    return ++p->job;
}

int StartPage(HDC handle) {
    auto dc = find_dc(handle);
    Printer* p = printer_of(dc.get());
    if (!p || !p->in_document || p->in_page) return -1;
    // A fresh white sheet; the printable area is the clip.
    dc->surface = std::make_shared<Surface>(p->paper_px.cx, p->paper_px.cy, 0xFFFFFF);
    const Region printable(
        RECT{p->offset_px.x, p->offset_px.y, p->paper_px.cx - p->offset_px.x, p->paper_px.cy - p->offset_px.y});
    set_system_clip(handle, &printable);
    p->in_page = true;
    return 1;
}

int EndPage(HDC handle) {
    auto dc = find_dc(handle);
    Printer* p = printer_of(dc.get());
    if (!p || !p->in_page) return -1;
    p->in_page = false;
    const auto path = p->setup.folder / (p->stem + "-" + std::to_string(p->written.size() + 1) + ".png");
    std::string error;
    const bool ok = write_png(*dc->surface, path, &error);
    dc->surface = std::make_shared<Surface>(1, 1);
    if (!ok) return -1;
    p->written.push_back(path);
    return 1;
}

int EndDoc(HDC handle) {
    auto dc = find_dc(handle);
    Printer* p = printer_of(dc.get());
    if (!p || !p->in_document) return -1;
    if (p->in_page) EndPage(handle);
    p->in_document = false;
    return 1;
}

int AbortDoc(HDC handle) {
    auto dc = find_dc(handle);
    Printer* p = printer_of(dc.get());
    if (!p || !p->in_document) return -1;
    std::error_code ignored;
    for (const auto& page : p->written) std::filesystem::remove(page, ignored);
    p->written.clear();
    p->in_page = false;
    p->in_document = false;
    dc->surface = std::make_shared<Surface>(1, 1);
    return 1;
}
