#include "ide/debugger/mem_view_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace ide {

namespace {

constexpr int kMinimumCells = 16;

int hex_value(char c) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= '0' && lower <= '9') return lower - '0';
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

}  // namespace

MemRow DescribeRow(const CMemImage* image, std::uint32_t address, int bytes_per_row) {
    MemRow row;
    char text[8];
    std::snprintf(text, sizeof text, "%04x  ", address & 0xFFFF);
    row.address = text;
    if (!image) return row;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(bytes_per_row));
    const std::size_t delivered = address <= 0xFFFF ? image->Read(static_cast<std::uint16_t>(address), bytes) : 0;
    const std::size_t wanted = std::min<std::size_t>(bytes.size(), 0x10000 - std::min<std::uint32_t>(address, 0x10000));
    if (delivered < wanted) return row;  // the image cannot deliver the row
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        MemCell cell;
        if (i < delivered) {
            const auto at = static_cast<std::uint16_t>(address + i);
            std::snprintf(text, sizeof text, "%02x", bytes[i]);
            cell.hex = text;
            cell.character = bytes[i] < 0x21 || bytes[i] == 0xFF ? '.' : static_cast<char>(bytes[i]);
            if (image->IsChanged(at))
                cell.colour = MemByteColour::Changed;
            else if (!image->IsWritable(at))
                cell.colour = MemByteColour::ReadOnly;
        } else {
            cell.hex = "  ";
        }
        row.cells.push_back(cell);
    }
    return row;
}

std::int32_t MemViewModel::bottom() const { return std::max<std::int32_t>(0x10000 - view_bytes(), 0); }

void MemViewModel::Layout(int width_cells, int height_rows) {
    pan_ = 0;
    panning_ = width_cells < kMinimumCells;
    client_width_ = std::max(width_cells, 1);
    width_ = std::max(width_cells, kMinimumCells);
    rows_ = std::max(height_rows, 1);
    bytes_per_row_ = (width_ - 7) / 4;
    // Keep the caret on the grid.
    caret_x_ = std::min(caret_x_, row_end());
    const int last = (0xFFFF - top_) / bytes_per_row_;
    const int first = top_ / bytes_per_row_;
    caret_row_ = std::clamp(caret_row_, -first, last);
}

void MemViewModel::bring_into_view(MemViewEffect& effect) {
    if (caret_row_ < 0) {
        top_ -= -caret_row_ * bytes_per_row_;
        caret_row_ = 0;
        effect.repaint = true;
    } else if (caret_row_ >= rows_) {
        top_ += (caret_row_ - (rows_ - 1)) * bytes_per_row_;
        caret_row_ = rows_ - 1;
        effect.repaint = true;
    }
}

void MemViewModel::scroll_down_one(MemViewEffect& effect) {
    if (top_ >= bottom()) return;
    top_ += bytes_per_row_;
    effect.scrolled_rows += 1;
}

void MemViewModel::scroll_up_one(MemViewEffect& effect) {
    if (top_ == 0) return;
    top_ -= bytes_per_row_;
    if (top_ < 0) {
        top_ = 0;
        effect.repaint = true;
    } else {
        effect.scrolled_rows -= 1;
    }
}

void MemViewModel::down(MemViewEffect& effect) {
    if (caret_outside()) {
        bring_into_view(effect);
        return;
    }
    ++caret_row_;
    const int full_rows = (0x10000 - top_) / bytes_per_row_;
    if (full_rows < rows_ && caret_row_ > full_rows) {
        caret_row_ = full_rows;
    } else if (caret_row_ >= rows_) {
        caret_row_ = rows_ - 1;
        scroll_down_one(effect);
    }
}

MemViewEffect MemViewModel::Key(MemKey key, bool ctrl) {
    MemViewEffect effect;
    const int step = (rows_ - 1) * bytes_per_row_;
    switch (key) {
        case MemKey::Tab:
            if (caret_x_ < hex_x())
                caret_x_ = hex_x();
            else if (caret_x_ < char_x() - 1)
                caret_x_ = char_x() + (caret_x_ - hex_x()) / 3;
            else if (caret_x_ == char_x() - 1)
                caret_x_ = row_end();
            else
                caret_x_ = 0;
            break;
        case MemKey::PageUp:
            if (top_ > 0) {
                top_ = std::max(top_ - step, 0);
                effect.repaint = true;
            }
            break;
        case MemKey::PageDown:
            if (top_ < bottom()) {
                top_ += step;
                if (top_ == 0x10000 - step) top_ = bottom();
                effect.repaint = true;
                const int full_rows = (0x10000 - top_) / bytes_per_row_;
                if (full_rows < rows_ && caret_row_ > full_rows - 1) caret_row_ = full_rows - 1;
            }
            break;
        case MemKey::Home:
            if (ctrl && top_ > 0) {
                top_ = 0;
                caret_x_ = caret_row_ = 0;
                effect.repaint = true;
            } else {
                caret_x_ = 0;
                bring_into_view(effect);
            }
            break;
        case MemKey::End:
            if (ctrl && 0x10000 - top_ > view_bytes()) {
                top_ = bottom();
                caret_x_ = 0;
                caret_row_ = rows_ - 1;
                effect.repaint = true;
            } else if (caret_outside()) {
                bring_into_view(effect);
            } else {
                caret_x_ = row_end();
            }
            break;
        case MemKey::Left: {
            --caret_x_;
            const bool above = caret_row_ < 0;
            if (caret_outside()) {
                bring_into_view(effect);
                if (caret_x_ < 0) {
                    caret_x_ = row_end();
                    if (above)
                        scroll_up_one(effect);
                    else
                        --caret_row_;
                }
            } else if (caret_x_ < 0) {
                caret_x_ = row_end();
                if (caret_row_ == 0)
                    scroll_up_one(effect);
                else
                    --caret_row_;
            }
            break;
        }
        case MemKey::Right:
            ++caret_x_;
            if (caret_outside()) {
                bring_into_view(effect);
                if (caret_x_ > row_end()) {
                    caret_x_ = 0;
                    scroll_down_one(effect);
                }
            } else if (caret_x_ > row_end()) {
                caret_x_ = 0;
                down(effect);
            }
            break;
        case MemKey::Up:
            if (caret_outside()) {
                bring_into_view(effect);
            } else if (caret_row_ == 0) {
                scroll_up_one(effect);
            } else {
                --caret_row_;
            }
            break;
        case MemKey::Down: down(effect); break;
        case MemKey::Other: break;
    }
    return effect;
}

MemViewEffect MemViewModel::Click(int cell_x, int row) {
    MemViewEffect effect;
    if (cell_x < 0 || cell_x >= row_end() || row < 0 || row >= rows_) return effect;
    const bool full = top_ + view_bytes() - 1 < 0x10000;
    if (full || top_ + row * bytes_per_row_ <= 0xFFFF) {
        caret_x_ = cell_x;
        caret_row_ = row;
    }
    return effect;
}

MemViewEffect MemViewModel::VScroll(MemScroll request, int position) {
    MemViewEffect effect;
    effect.default_processing = false;
    const std::int32_t old_top = top_;
    const int step = (rows_ - 1) * bytes_per_row_;
    switch (request) {
        case MemScroll::LineUp:
            if (top_ > 0) {
                top_ -= bytes_per_row_;
                if (top_ < 0) {
                    top_ = 0;
                    effect.repaint = true;
                } else {
                    ++caret_row_;
                    effect.scrolled_rows = -1;
                }
            }
            break;
        case MemScroll::LineDown:
            if (top_ != bottom()) {
                top_ += bytes_per_row_;
                if (top_ > bottom()) {
                    top_ = bottom();
                    effect.repaint = true;
                } else {
                    --caret_row_;
                    effect.scrolled_rows = 1;
                }
            }
            break;
        case MemScroll::PageUp:
            if (top_ != 0) {
                top_ = std::max(top_ - step, 0);
                caret_row_ += (old_top - top_) / bytes_per_row_;
                effect.repaint = true;
            }
            break;
        case MemScroll::PageDown:
            if (top_ != bottom()) {
                top_ = std::min(top_ + step, bottom());
                caret_row_ -= (top_ - old_top) / bytes_per_row_;
                effect.repaint = true;
            }
            break;
        case MemScroll::ThumbPosition:
            top_ = position * bytes_per_row_;
            caret_row_ += (old_top - top_) / bytes_per_row_;
            effect.repaint = true;
            break;
        case MemScroll::Other: break;
    }
    return effect;
}

MemViewEffect MemViewModel::HScroll(MemScroll request, int position) {
    MemViewEffect effect;
    if (!panning_) return effect;
    const int visible = client_width_;
    const int limit = std::max(kMinimumCells - visible, 0);
    int pan = pan_;
    switch (request) {
        case MemScroll::LineUp: pan = pan_ > 0 ? pan_ - 1 : pan_; break;
        case MemScroll::LineDown: pan = pan_ < limit ? pan_ + 1 : pan_; break;
        case MemScroll::PageUp: pan = pan_ > 0 ? pan_ - visible : pan_; break;
        case MemScroll::PageDown: pan = pan_ < limit ? pan_ + visible : pan_; break;
        case MemScroll::ThumbPosition: pan = position; break;
        case MemScroll::Other: break;
    }
    pan = std::clamp(pan, 0, limit);
    if (pan != pan_) {
        pan_ = pan;
        effect.repaint = true;
    }
    return effect;
}

void MemViewModel::move_caret_to_byte(std::uint32_t address, MemViewEffect& effect) {
    const std::int32_t offset = static_cast<std::int32_t>(address) - top_;
    caret_row_ = offset / bytes_per_row_;
    caret_x_ = hex_x() + 3 * (offset % bytes_per_row_);
    if (caret_row_ >= rows_) {
        caret_row_ = rows_ - 1;
        down(effect);
    }
}

void MemViewModel::mark_typed(std::uint16_t address, std::uint16_t alias, MemViewEffect& effect) const {
    effect.typed.push_back(address);
    if (alias != address && alias >= top_ && alias < top_ + view_bytes()) effect.typed.push_back(alias);
}

bool MemViewModel::type_address_digit(char digit, MemViewEffect& effect) {
    if (caret_x_ >= 4) {
        // The two blanks after the address; from the second the character
        // goes on to the row's first hex digit.
        ++caret_x_;
        return caret_x_ == hex_x();
    }
    const int value = hex_value(digit);
    const std::int32_t row_address = top_ + caret_row_ * bytes_per_row_;
    if (value < 0 || row_address > 0xFFFF) return false;
    const int shift = 4 * (3 - caret_x_);
    const std::int32_t typed = (row_address & ~(0xF << shift)) | (value << shift);
    top_ += typed - row_address;
    if (top_ < 0) {
        top_ = 0;
        caret_row_ = typed / bytes_per_row_;
    }
    ++caret_x_;
    effect.repaint = true;
    return false;
}

void MemViewModel::type_hex_digit(char digit, CMemImage* image, MemViewEffect& effect) {
    const int value = hex_value(digit);
    if (value < 0) return;
    const int cell = caret_x_ - hex_x();
    const int index = cell / 3;
    const bool on_blank = cell % 3 == 2;
    const bool high = on_blank || cell % 3 == 0;
    const std::int64_t address = top_ + std::int64_t{caret_row_} * bytes_per_row_ + index + (on_blank ? 1 : 0);
    if (address > 0xFFFF) {
        effect.default_processing = false;
        return;
    }
    if (!image) return;
    const auto place = static_cast<std::uint16_t>(address);
    auto current = image->ReadByte(place);
    if (!current) return;
    const auto typed = static_cast<std::uint8_t>(high ? (*current & 0x0F) | value << 4 : (*current & 0xF0) | value);
    std::uint16_t alias = place;
    const ByteWrite result = image->WriteByte(place, typed, alias);
    if (result == ByteWrite::NotWritable) return;
    move_caret_to_byte(place, effect);
    if (result == ByteWrite::Written) mark_typed(place, alias, effect);
    caret_x_ += high ? 1 : 2;
}

void MemViewModel::type_character(char character, CMemImage* image, MemViewEffect& effect) {
    if (caret_x_ == row_end()) {
        caret_x_ = char_x();
        ++caret_row_;
        if (caret_row_ >= rows_) {
            caret_row_ = rows_ - 1;
            down(effect);
        }
    }
    const std::int64_t address = top_ + std::int64_t{caret_row_} * bytes_per_row_ + (caret_x_ - char_x());
    if (address > 0xFFFF) {
        effect.default_processing = false;
        return;
    }
    if (!image) return;
    const auto place = static_cast<std::uint16_t>(address);
    std::uint16_t alias = place;
    const ByteWrite result = image->WriteByte(place, static_cast<std::uint8_t>(character), alias);
    if (result == ByteWrite::NotWritable) return;
    if (result == ByteWrite::Written) mark_typed(place, alias, effect);
    ++caret_x_;
}

MemViewEffect MemViewModel::Type(char character, CMemImage* image) {
    MemViewEffect effect;
    if (character == '\t') {
        effect.default_processing = false;
        return effect;
    }
    const int full_rows = (0x10000 - top_) / bytes_per_row_;
    if (full_rows < rows_ && caret_row_ > full_rows) {
        caret_row_ = full_rows;
        effect.default_processing = false;
        return effect;
    }
    if (caret_x_ < hex_x() && !type_address_digit(character, effect)) return effect;
    if (caret_x_ >= hex_x() && caret_x_ < char_x() - 1) {
        type_hex_digit(character, image, effect);
    } else if (caret_x_ >= char_x()) {
        type_character(character, image, effect);
    }
    return effect;
}

}  // namespace ide
