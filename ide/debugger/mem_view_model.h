#pragma once
// The memory window's grid, caret and typing as plain logic, in character
// cells (x) and rows (y); the window multiplies by its font's cell size.
// Keys, clicks, scroll requests and typed characters change the top address
// and the caret and report what the window must redraw; typed bytes are
// written through the image at once.
#include <cstdint>
#include <string>
#include <vector>

#include "ide/debugger/mem_image.h"

namespace ide {

// How one byte of a row shows: its two hex digits and its character, in red
// when it changed, in blue when it is neither changed nor writable.
enum class MemByteColour { Normal, Changed, ReadOnly };
struct MemCell {
    std::string hex;  // "%02x", or two blanks past 0xFFFF
    char character = ' ';
    MemByteColour colour = MemByteColour::Normal;
};
struct MemRow {
    std::string address;  // "%04x  "
    std::vector<MemCell> cells;
};
// One row of the grid from `address` on; without an image (or unbacked
// memory) no cells. Bytes below 0x21 and 0xFF show as '.'.
MemRow DescribeRow(const CMemImage* image, std::uint32_t address, int bytes_per_row);

enum class MemKey { Tab, PageUp, PageDown, Home, End, Left, Right, Up, Down, Other };
enum class MemScroll { LineUp, LineDown, PageUp, PageDown, ThumbPosition, Other };

// What the window must redraw after an input.
struct MemViewEffect {
    bool repaint = false;              // the whole view
    int scrolled_rows = 0;             // +1: the grid moved up (draw the last row); -1: down (draw the first row)
    std::vector<std::uint16_t> typed;  // bytes to draw in red at once (a typed byte and its alias)
    bool default_processing = true;
};

class MemViewModel {
public:
    // WM_SIZE: the client area in cells and rows.
    void Layout(int width_cells, int height_rows);

    MemViewEffect Key(MemKey key, bool ctrl);
    MemViewEffect Click(int cell_x, int row);
    MemViewEffect VScroll(MemScroll request, int position);
    MemViewEffect HScroll(MemScroll request, int position);
    // WM_CHAR; `image` may be null before the first debug run.
    MemViewEffect Type(char character, CMemImage* image);
    void SetTop(std::int32_t address) { top_ = address; }

    std::int32_t top() const { return top_; }
    int rows() const { return rows_; }
    int bytes_per_row() const { return bytes_per_row_; }
    int caret_x() const { return caret_x_; }
    int caret_row() const { return caret_row_; }
    int hex_x() const { return 6; }
    int char_x() const { return hex_x() + 3 * bytes_per_row_ + 1; }
    int row_end() const { return char_x() + bytes_per_row_; }
    bool panning() const { return panning_; }
    int pan() const { return pan_; }
    int vscroll_range() const { return 65536 / bytes_per_row_ - rows_; }
    int vscroll_position() const { return top_ / bytes_per_row_; }
    // The bottom: the top address at which the last row ends at 0xFFFF.
    std::int32_t bottom() const;

private:
    std::int32_t view_bytes() const { return rows_ * bytes_per_row_; }
    bool caret_outside() const { return caret_row_ < 0 || caret_row_ >= rows_; }
    void bring_into_view(MemViewEffect& effect);
    void scroll_down_one(MemViewEffect& effect);
    void scroll_up_one(MemViewEffect& effect);
    void down(MemViewEffect& effect);
    void move_caret_to_byte(std::uint32_t address, MemViewEffect& effect);
    void mark_typed(std::uint16_t address, std::uint16_t alias, MemViewEffect& effect) const;
    bool type_address_digit(char digit, MemViewEffect& effect);
    void type_hex_digit(char digit, CMemImage* image, MemViewEffect& effect);
    void type_character(char character, CMemImage* image, MemViewEffect& effect);

    std::int32_t top_ = 0;
    int width_ = 16;         // the layout: at least 16 cells
    int client_width_ = 16;  // the client area itself
    int rows_ = 1;
    int bytes_per_row_ = 2;
    int caret_x_ = 0;
    int caret_row_ = 0;
    bool panning_ = false;
    int pan_ = 0;
};

}  // namespace ide
