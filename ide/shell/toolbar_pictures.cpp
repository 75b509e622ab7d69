#include "ide/shell/frame_toolbars.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstring>

#include "platform/res/resources.h"

namespace shell {

namespace {

// One button picture, 16 by 15, one character per pixel (see Colour below).
struct Picture {
    UINT command;
    const char* rows[15];
};

// The pictures of every button of the four toolbars, in the order of the strip.
constexpr Picture kPictures[] = {
    {57600,  // New
     {"................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwkwk....", "...kwwwwwkkkk...",
      "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
      "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................"}},
    {32776,  // New text document
     {"................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwkwk....", "...kwkkkwkkkk...",
      "...kwwwwwwwwk...", "...kwkkkkkkwk...", "...kwwwwwwwwk...", "...kwkkkkkwwk...", "...kwwwwwwwwk...",
      "...kwkkkkkkwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................"}},
    {57601,  // Open
     {"................", "..........kkk...", ".........k...k.k", "..............kk", ".kkk.........kkk",
      "kyWyWkkkkkkk....", "kWyWyWyWyWyk....", "kyWyWyWyWyWk....", "kWyWyWkkkkkkkkkk", "kyWyWkYYYYYYYYYk",
      "kWyWkYYYYYYYYYk.", "kyWkYYYYYYYYYk..", "kWkYYYYYYYYYk...", "kkkkkkkkkkkk....", "................"}},
    {57603,  // Save
     {"................", ".kkkkkkkkkkkkkk.", ".kskwwwwwwwwksk.", ".kskwwwwwwwwkkk.", ".kskwwwwwwwwksk.",
      ".kskwwwwwwwwksk.", ".kskwwwwwwwwksk.", ".ksskkkkkkkkssk.", ".kssssssssssssk.", ".kssskkkkkkkssk.",
      ".ksskkkkkwwkssk.", ".ksskkkkkwwkssk.", ".ksskkkkkwwkssk.", "..kkkkkkkkkkkkk.", "................"}},
    {32783,  // Save All
     {"kkkkkkkkkk......", "kskwwwwksk......", "kskwwwwkkk......", "kskwwwwksk......", "kssk.kkkkkkkkkk.",
      "kssk.kskwwwwksk.", "ksss.kskwwwwkkk.", "kssk.kskwwwwksk.", "kkkk.kskwwwwksk.", ".....ksskkkkssk.",
      ".....kssssssssk.", ".....ksskkkwwsk.", ".....ksskkkwwsk.", ".....kkkkkkkkkk.", "................"}},
    {57607,  // Print
     {"................", "....kkkkkkkkk...", "...kwwwwwwwwk...", "...kwkkkkkwk....", "..kwwwwwwwwk....",
      "..kkkkkkkkkkkk..", ".kwwwwwwwwwwwsk.", "kkkkkkkkkkkkkssk", "kwwwwwwwwwwwwsk.", "kwwwwwwwwwGGwsk.",
      "kwwwwwwwwwwwws..", "kkkkkkkkkkkkkk..", ".kwwwwwwwwwwk...", "..kkkkkkkkkkk...", "................"}},
    {57664,  // About
     {"................", ".....bbbbbb.....", "....bbbbbbbb....", "...bbb....bbb...", "...bbb....bbb...",
      "..........bbb...", ".........bbb....", "........bbb.....", ".......bbb......", ".......bbb......",
      "................", ".......bbb......", ".......bbb......", "................", "................"}},
    {32930,  // Compile
     {"................", "..kkkkkkk.......", "..kwwwwwkk......", "..kwkkkwkwk.....", "..kwwwwwkkkk....",
      "..kwkkkkkwk.....", "..kwwwwwwwk.....", "..kwkkkkwwk.....", "..kwwwwww.bbb...", "..kwkkkk.bBBBb..",
      "..kwwwwwbBBBBBb.", "..kkkkkk.bBBBb..", "..........bbb...", "................", "................"}},
    {32931,  // Build
     {"................", "................", "......kkkkkkk...", "......krrrrrk...", "......krRRRrk...",
      "......kkkkkkk...", "..kkkkkkkkkkk...", "..krrrrrkrrrk...", "..krRRRrkrRRk...", "..kkkkkkkkkkk...",
      "kkkkkkkkkkkkkk..", "krrrrrkrrrrrrk..", "krRRRrkrRRRRrk..", "kkkkkkkkkkkkkk..", "................"}},
    {32932,  // Rebuild All
     {"................", ".........bb.....", "..........bb....", "...bbbbbbbbbb...", "..........bb....",
      "......kkkkbkk...", "......krrrrrk...", "..kkkkkkkkkkk...", "..krrrrrkrrrk...", "..krRRRrkrRRk...",
      "kkkkkkkkkkkkkk..", "krrrrrkrrrrrrk..", "krRRRrkrRRRRrk..", "kkkkkkkkkkkkkk..", "................"}},
    {32933,  // Stop Build
     {"................", ".....kkkkkk.....", "....kRRRRRRk....", "...kRRRRRRRRk...", "..kRRwRRRRwRRk..",
      ".kRRRwwRRwwRRRk.", ".kRRRRwwwwRRRRk.", ".kRRRRRwwRRRRRk.", ".kRRRRwwwwRRRRk.", ".kRRRwwRRwwRRRk.",
      "..kRRwRRRRwRRk..", "...kRRRRRRRRk...", "....kRRRRRRk....", ".....kkkkkk.....", "................"}},
    {32934,  // Go
     {"................", "..kkkkkkk.......", "..kwwwwwkk......", "..kwkkkwkwk.....", "..kwwwwwkkkk....",
      "..kwkkkkkwk.....", "..kwwwwwwwk.bb..", "..kwkkkkwwk.bb..", "..kwwwwwwwk.bb..", "..kwkkkkkwkbbbb.",
      "..kwwwwwwwk.bb..", "..kkkkkkkkk..b..", "................", "................", "................"}},
    {32925,  // Execute
     {"................", "......kkkk......", "......kRRk......", "......kRRk......", "......kRRk......",
      "......kRRk......", "......kRRk......", "......kRRk......", "......kRRk......", "......kkkk......",
      "................", "......kkkk......", "......kRRk......", "......kkkk......", "................"}},
    {57635,  // Cut
     {"................", "...k.....k......", "...k.....k......", "...kk...kk......", "....k...k.......",
      "....kk.kk.......", ".....kkk........", "......k.........", ".....b.b........", "...bbb.bbb......",
      "..b..b.b..b.....", "..b..b.b..b.....", "..b..b.b..b.....", "...bb...bb......", "................"}},
    {57634,  // Copy
     {"................", "kkkkkk..........", "kwwwwkk.........", "kwkkwkwk........", "kwwwwkkkkkkkk...",
      "kwkkkkwwwwwkk...", "kwwwwkwkkkwkwk..", "kwkkkkwwwwwkkkk.", "kwwwwkwkkkkkkwk.", "kkkkkkwwwwwwwwk.",
      ".....kwkkkkkkwk.", ".....kwwwwwwwwk.", ".....kwkkkkkkwk.", ".....kkkkkkkkkk.", "................"}},
    {57637,  // Paste
     {"................", "......kkkk......", ".kkkkkwwwwkkkk..", "kYYYkwkkkkwkYYk.", "kYYkkkkkkkkkkYk.",
      "kYYYYYYYYYYYYYk.", "kYYYYYkkkkkkkYk.", "kYYYYYkwwwwwkkk.", "kYYYYYkwkkkwkwk.", "kYYYYYkwwwwwkkkk",
      "kYYYYYkwkkkkkwwk", "kYYYYYkwwwwwwwwk", ".kkkkkkwkkkkkkwk", "......kkkkkkkkkk", "................"}},
    {57632,  // Delete
     {"................", "................", "..RR.......RR...", "..RRR.....RRR...", "...RRR...RRR....",
      "....RRR.RRR.....", ".....RRRRR......", "......RRR.......", ".....RRRRR......", "....RRR.RRR.....",
      "...RRR...RRR....", "..RRR.....RRR...", "..RR.......RR...", "................", "................"}},
    {57643,  // Undo
     {"................", "................", "................", "....kbbbbbk.....", "...bbbbbbbbbk...",
      "..bbbk.....bbk..", ".bb.........bk..", "bbbbbb......bk..", ".bbbb.......bk..", "..bb........bk..",
      "...........bk...", "..........bk....", "........bbk.....", "................", "................"}},
    {57644,  // Redo
     {"................", "................", "................", ".....kbbbbbk....", "...kbbbbbbbbb...",
      "..kbb.....kbbb..", "..kb.........bb.", "..kb......bbbbbb", "..kb.......bbbb.", "..kb........bb..",
      "...kb...........", "....kb..........", ".....kbb........", "................", "................"}},
    {57636,  // Find
     {"................", "..kkkk....kkkk..", "..kssk....kssk..", ".kkkkkk..kkkkkk.", ".kskkskkkkskksk.",
      ".kskkskssksskk..", "kkkkkkkwkkkkkkk.", "kbbbbbkkkkbbbbbk", "kbBBbbk..kbBBbbk", "kbBbbbk..kbBbbbk",
      "kbbbbbk..kbbbbbk", "kkkkkkk..kkkkkkk", "................", "................", "................"}},
    {32912,  // Find in files
     {"................", "................", ".kkkk...........", "kyWyWkkkkkk.....", "kWyWyWyWyWk.....",
      "kyWyWykkkkkk....", "kWyWykbbbbbbk...", "kyWykbBBBBbbk...", "kWyWkbBbbbbbk...", "kyWykbbbbbbbk...",
      "kkkkkkbbbbbbk...", ".......kkkkkkk..", ".............kk.", "..............kk", "................"}},
    {45027,  // Bookmark set
     {"................", "................", "...kkkkkkkkk....", "...kCCCCCCCCk...", "...kCCCCCCCCCk..",
      "...kCCCCCCCCCCk.", "...kCCCCCCCCCCk.", "...kCCCCCCCCCk..", "...kCCCCCCCCk...", "...kkkkkkkkk....",
      "................", "................", "................", "................", "................"}},
    {45028,  // Next bookmark
     {"................", "kkkkkkkk........", "kCCCCCCCk.......", "kCCCCCCCCk......", "kCCCCCCCk.......",
      "kkkkkkkk........", "..........bb....", "..........bb....", "..........bb....", "........bbbbbb..",
      ".........bbbb...", "..........bb....", "................", "................", "................"}},
    {45029,  // Previous bookmark
     {"................", "..........bb....", ".........bbbb...", "........bbbbbb..", "..........bb....",
      "..........bb....", "..........bb....", "................", "kkkkkkkk........", "kCCCCCCCk.......",
      "kCCCCCCCCk......", "kCCCCCCCk.......", "kkkkkkkk........", "................", "................"}},
    {45030,  // Delete bookmarks
     {"................", "kkkkkkkk........", "kCCCCCCCk.......", "kCCCCCCCCk......", "kCCCCCCCk.......",
      "kkkkkkkk........", "................", "........RR...RR.", ".........RR.RR..", "..........RRR...",
      ".........RR.RR..", "........RR...RR.", "................", "................", "................"}},
    {32919,  // Goto next info
     {"................", "................", ".kkkkkkkkkkkk...", ".kwwwwwwwwwwk...", ".kwkkkkkkkwwk...",
      ".kwwwwwwwwwwk...", ".kwkkkkkwwwwk...", ".kwwwwwwwwwwk.b.", ".kwkkkkkkkwwkbb.", ".kwwwwwwwwwwbbbb",
      ".kkkkkkkkkkkkbb.", ".............b..", "................", "................", "................"}},
    {32924,  // Step Into
     {"................", "....bbbbbbb.....", "..........b.....", "..........b.....", "..........b.....",
      "........bbbbb...", ".........bbb....", "..........b.....", "................", "..kk......kk....",
      ".k....kk....k...", ".k....kk....k...", "k............k..", ".k....kk....k...", "..kk..kk...kk..."}},
    {32926,  // Step Over
     {"................", "....bbbbbbb.....", "...b.......b....", "..b.........b...", "..b.........b...",
      "..b.......bbbbb.", "..b........bbb..", "............b...", "................", "..kk......kk....",
      ".k....kk....k...", ".k....kk....k...", "k............k..", ".k....kk....k...", "..kk..kk...kk..."}},
    {32927,  // Step Out
     {"......b.........", ".....bbb........", "....bbbbb.......", "......b.........", "......b.........",
      "......b.........", "......b.........", "......bbbbbb....", "................", "..kk......kk....",
      ".k....kk....k...", ".k....kk....k...", "k............k..", ".k....kk....k...", "..kk..kk...kk..."}},
    {32923,  // Stop Debug
     {"................", "................", "..kkkkkkkkkkk...", "..kRRRRRRRRRk...", "..kRRRRRRRRRk...",
      "..kRRRRRRRRRk...", "..kRRRRRRRRRk...", "..kRRRRRRRRRk...", "..kRRRRRRRRRk...", "..kRRRRRRRRRk...",
      "..kRRRRRRRRRk...", "..kRRRRRRRRRk...", "..kkkkkkkkkkk...", "................", "................"}},
    {32851,  // Workspace
     {"................", "kkkkkkkkkkkkkkk.", "kbbbbbbbbbbbbbk.", "kkkkkkkkkkkkkkk.", "kwYwwkwwwwwwwwk.",
      "kwkwwkwwwwwwwwk.", "kwkYwkwwwwwwwwk.", "kwkwwkwwwwwwwwk.", "kwkYwkwwwwwwwwk.", "kwwwwkwwwwwwwwk.",
      "kwYwwkwwwwwwwwk.", "kwkYwkwwwwwwwwk.", "kwwwwkwwwwwwwwk.", "kkkkkkkkkkkkkkk.", "................"}},
    {32852,  // Output
     {"................", "kkkkkkkkkkkkkkk.", "kbbbbbbbbbbbbbk.", "kkkkkkkkkkkkkkk.", "kwwwwwwwwwwwwwk.",
      "kwwwwwwwwwwwwwk.", "kwwwwwwwwwwwwwk.", "kwwwwwwwwwwwwwk.", "kkkkkkkkkkkkkkk.", "kwkkkkkkkwwwwwk.",
      "kwwwwwwwwwwwwwk.", "kwkkkkkwwwwwwwk.", "kwwwwwwwwwwwwwk.", "kkkkkkkkkkkkkkk.", "................"}},
    {32853,  // View Assembly code
     {"................", ".kkkkkkkkkkkk...", ".kwwwwwwwwwwk...", ".kwbbwkkkkwwk...", ".kwwwwwwwwwwk...",
      ".kwbbwkkkwwwk...", ".kwwwwwwwwwwk...", ".kwbbwkkkkkwk...", ".kwwwwwwwwwwk...", ".kwbbwkkwwwwk...",
      ".kwwwwwwwwwwk...", ".kwbbwkkkkwwk...", ".kwwwwwwwwwwk...", ".kkkkkkkkkkkk...", "................"}},
    {32921,  // Watch
     {"................", "................", "................", "................", ".kkkk.....kkkk..",
      "k....k...k....k.", "k.CC.kkkkk.CC.k.", "k.CC.k...k.CC.k.", "k....k...k....k.", ".kkkk.....kkkk..",
      "................", "................", "................", "................", "................"}},
    {32920,  // Memory
     {"................", "..k.k.k.k.k.k...", "..k.k.k.k.k.k...", ".kkkkkkkkkkkkk..", ".kgggggggggggk..",
      ".kgGGgGGgGGggk..", ".kgggggggggggk..", ".kgGGgGGgGGggk..", ".kgggggggggggk..", ".kgGGgGGgGGggk..",
      ".kgggggggggggk..", ".kkkkkkkkkkkkk..", "..k.k.k.k.k.k...", "..k.k.k.k.k.k...", "................"}},
    {32922,  // Registers
     {"................", "kkkkkkkkkkkkkkk.", "kbbbbbbbbbbbbbk.", "kkkkkkkkkkkkkkk.", "kwkkwwkkkkkkwwk.",
      "kwwwwwkwwwwkwwk.", "kwkkwwkkkkkkwwk.", "kwwwwwwwwwwwwwk.", "kwkkwwkkkkkkwwk.", "kwwwwwkwwwwkwwk.",
      "kwkkwwkkkkkkwwk.", "kwwwwwwwwwwwwwk.", "kwwwwwwwwwwwwwk.", "kkkkkkkkkkkkkkk.", "................"}},
    {32928,  // Disassembly
     {"................", "kkkkkkkkkkkkkkk.", "kbbbbbbbbbbbbbk.", "kkkkkkkkkkkkkkk.", "kwwwwwwwkwkkwwk.",
      "kwwwwwwwkwwwwwk.", "kwwwwwwwkwkkkwk.", "kwwwwwwwkwwwwwk.", "kwwwwwwwkwkkwwk.", "kwwwwwwwkwwwwwk.",
      "kwwwwwwwkwkkkwk.", "kwwwwwwwkwwwwwk.", "kwwwwwwwkwwwwwk.", "kkkkkkkkkkkkkkk.", "................"}},
    {45040,  // Add/Remove breakpoint
     {"................", "................", "................", ".....kkkkk......", "....kRRRRRk.....",
      "...kRRwRRRRk....", "...kRwRRRRRk....", "...kRRRRRRRk....", "...kRRRRRRRk....", "...kRRRRRRRk....",
      "....kRRRRRk.....", ".....kkkkk......", "................", "................", "................"}},
    {45041,  // Remove all breakpoints
     {"................", ".kkkk...........", "kRRRRk..........", "kRwRRk..kkkk....", "kRRRRk.kRRRRk...",
      ".kkkk..kRwRRk...", ".......kRRRRk...", "........kkkk....", "........k....k..", ".........k..k...",
      "..........kk....", "..........kk....", ".........k..k...", "........k....k..", "................"}},
};

constexpr int kWidth = 16, kHeight = 15;

std::uint32_t Colour(char code) {
    switch (code) {
        case 'k': return 0xFF000000;
        case 'w': return 0xFFFFFFFF;
        case 's': return 0xFF808080;
        case 'y': return 0xFFFFFF00;
        case 'Y': return 0xFF808000;
        case 'W': return 0xFFFFFFFF;
        case 'b': return 0xFF000080;
        case 'B': return 0xFF0000FF;
        case 'r': return 0xFF800000;
        case 'R': return 0xFFFF0000;
        case 'g': return 0xFF008000;
        case 'G': return 0xFF00FF00;
        case 'C': return 0xFF00FFFF;
        default: return 0xFFC0C0C0;  // the button face: where the toolbar shows through
    }
}

const kit::res::Module& ToolbarModule() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "Corvel toolbars";
        kit::res::Toolbar toolbar;
        toolbar.id = kToolbarResource;
        kit::res::Picture strip;
        strip.id = kToolbarResource;
        strip.width = kWidth * int(std::size(kPictures));
        strip.height = kHeight;
        strip.pixels.assign(std::size_t(strip.width) * kHeight, Colour('.'));
        for (std::size_t i = 0; i < std::size(kPictures); ++i) {
            toolbar.items.push_back(kPictures[i].command);
            for (int y = 0; y < kHeight; ++y) {
                const char* row = kPictures[i].rows[y];
                const int length = std::min(int(std::strlen(row)), kWidth);
                for (int x = 0; x < length; ++x)
                    strip.pixels[std::size_t(y) * std::size_t(strip.width) + i * kWidth + std::size_t(x)] =
                        Colour(row[x]);
            }
        }
        m.toolbars.push_back(std::move(toolbar));
        m.pictures.push_back(std::move(strip));
        return m;
    }();
    return module;
}

}  // namespace

void RegisterToolbarPictures() {
    static const bool registered = (kit::res::register_module(&ToolbarModule()), true);
    (void)registered;
}

}  // namespace shell
