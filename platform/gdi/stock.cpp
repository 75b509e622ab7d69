// The stock objects: created once, shared by every DC, never deleted.
#include <cstring>
#include <mutex>

#include "platform/gdi/objects.h"

namespace gdi {

namespace {

constexpr int kDefaultBitmap = kDefaultBitmapStock;
constexpr int kStockCount = 22;

HGDIOBJ pen(int style, COLORREF color) {
    auto p = std::make_shared<PenObject>();
    p->style = style;
    p->color = color;
    return add<HGDIOBJ>(std::move(p), true);
}

HGDIOBJ brush(UINT style, COLORREF color) {
    auto b = std::make_shared<BrushObject>();
    b->style = style;
    b->color = color;
    return add<HGDIOBJ>(std::move(b), true);
}

HGDIOBJ font(const char* face, int height, LONG weight, BYTE pitch_and_family) {
    auto f = std::make_shared<FontObject>();
    f->logfont.lfHeight = height;
    f->logfont.lfWeight = weight;
    f->logfont.lfPitchAndFamily = pitch_and_family;
    std::strncpy(f->logfont.lfFaceName, face, LF_FACESIZE - 1);
    return add<HGDIOBJ>(std::move(f), true);
}

struct Stock {
    HGDIOBJ objects[kStockCount] = {};
    Stock() {
        objects[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
        objects[NULL_BRUSH] = brush(BS_NULL, 0);
        objects[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
        objects[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
        objects[NULL_PEN] = pen(PS_NULL, 0);
        objects[OEM_FIXED_FONT] = font("Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[ANSI_FIXED_FONT] = font("Courier New", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[ANSI_VAR_FONT] = font("MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        objects[SYSTEM_FONT] = font("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
        objects[DEVICE_DEFAULT_FONT] = objects[SYSTEM_FONT];
        objects[SYSTEM_FIXED_FONT] = font("Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[DEFAULT_GUI_FONT] = font("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        auto bitmap = std::make_shared<BitmapObject>();
        bitmap->surface = std::make_shared<Surface>(1, 1, 0xFFFFFF);
        bitmap->mono = true;
        objects[kDefaultBitmap] = add<HGDIOBJ>(std::move(bitmap), true);
    }
};

}  // namespace

HGDIOBJ stock_object(int which) {
    static const Stock stock;
    if (which < 0 || which >= kStockCount) return nullptr;
    return stock.objects[which];
}

}  // namespace gdi
