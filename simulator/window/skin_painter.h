#pragma once
// Drawing the device: the skin's pictures, the LCD picture in its colours and
// the indicators beside it. The LCD and the indicators are drawn under the
// display lock, which the emulation's refresh of those buffers holds too.
#include <mutex>

#include "platform/gdi/gdi.h"
#include "platform/os/sync.h"
#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_file.h"

namespace simwin {

// The LCD's background and the colour of an indicator that is off.
inline constexpr COLORREF kLcdBackground = RGB(0x90, 0xB0, 0x57);

// What is drawn: the skin, its LCD buffers, the view and the lock over the buffers.
struct DeviceView {
    const sim::Skin& skin;
    const sim::LcdBuffers& lcd;
    bool turned;
    os::CriticalSection& display_lock;
};

// The device picture 1:1 over the window.
void paint_skin(HDC dc, const DeviceView& view);
// A key's area widened by 2 pixels each way, from the pressed or the device picture.
void paint_key(HDC dc, const DeviceView& view, std::size_t key, bool pressed);
// The LCD picture over the LCD area; false when it could not be drawn.
bool paint_lcd(HDC dc, const DeviceView& view);
// Every indicator, from the last to the first: its picture when on, the background when off.
// (Refreshes are coalesced, so the rows' change bits may already be gone when this draws.)
void paint_indicators(HDC dc, const DeviceView& view);
// The LCD area in the background colour.
void clear_lcd_area(HDC dc, const DeviceView& view);

}  // namespace simwin
