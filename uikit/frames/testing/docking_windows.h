#pragma once
// The development environment's six docking windows as plain bars that show
// their titles: where each may dock and where it docks first, for the frames'
// tests and the frame lab.
#include <array>

#include "uikit/frames/control_bar.h"
#include "uikit/frames/toolbar_manager.h"
#include "uikit/frames/workbook.h"

namespace frames_testing {

// One docking window: its title, id, the sides it may dock on and the dock bar it starts in.
struct BarPlacement {
    const char* title;
    UINT id;
    DWORD dock_mask;
    UINT dock_bar_id;
};
inline constexpr std::array<BarPlacement, 6> kBars{{
    {"Workspace Window", 100, 0x5000, AFX_IDW_DOCKBAR_LEFT},
    {"Output Window", 101, 0xA000, AFX_IDW_DOCKBAR_BOTTOM},
    {"Memory Window", 102, 0xF000, AFX_IDW_DOCKBAR_BOTTOM},
    {"Register Window", 103, 0xF000, AFX_IDW_DOCKBAR_BOTTOM},
    {"Watch Window", 104, 0xF000, AFX_IDW_DOCKBAR_BOTTOM},
    {"Disassembly Window", 105, 0xF000, AFX_IDW_DOCKBAR_RIGHT},
}};
// The docking windows' window style and extended style.
inline constexpr DWORD kBarStyle = 0x50001414;
inline constexpr DWORD kBarExStyle = 0xF11;

// A docking window that shows its title in its inside rectangle and, when
// given one, asks its row for a least width.
class TitledBar : public SECControlBar {
public:
    int min_width = 0;
    int MinDockedLength(bool horizontal) const override { return horizontal ? min_width : 0; }

protected:
    void DoPaint(CDC* dc) override;
};

// Commands the environment leaves disabled at rest.
constexpr UINT kStopBuild = 32933, kStopDebug = 32923;

// The toolbars' commands as the environment has them at rest: each enabled but
// Stop Build and Stop Debug, and a button's press kept in `last_command`. TRUE
// when the command is on a toolbar of `toolbars` (which may be null).
BOOL route_toolbar_command(SECToolBarManager* toolbars, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info,
                           UINT& last_command);

// A worksheet child of `book` with the title, activated; null when it cannot be made.
SECWorksheet* new_worksheet(SECWorkbook& book, const char* title);

}  // namespace frames_testing
