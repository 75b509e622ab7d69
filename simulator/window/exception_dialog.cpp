#include "simulator/window/exception_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace simwin {
namespace {

constexpr int kFirstConditionString = 45, kLastExceptionCode = 10;
constexpr int kRegisterString = 56, kRegisterWithCodeString = 57;
constexpr int kCodeTabString = 58, kDataTabString = 59;
constexpr int kCodeLines = 16, kDataLines = 7;
constexpr std::size_t kCodeLineWidth = 40;
// Data listings start at most here ($FFC8), so that their lines never pass $FFFF.
constexpr std::uint16_t kLastDataLine = 0x10000 - kDataLines * 8;
constexpr auto kCodeLayout = simcpu::DisassemblyLayout::Make(1, 6, 10, 6, 16);
// Where the pages stand inside the tab control, in dialog units.
constexpr int kPageLeft = 4, kPageTop = 25;
constexpr const char* kStateProperty = "ExceptionDialog";
constexpr const char* kListProcProperty = "ListingListProc";

struct DialogState {
    simcpu::EmuKernel* kernel = nullptr;
    int code = 0;
    std::uint16_t address = 0;
    HWND code_page = nullptr, data_page = nullptr;
    HFONT listing_font = nullptr;
    std::vector<std::uint16_t> code_lines;  // the address of each line shown
    std::uint16_t data_start = 0;
};

DialogState* state_of(HWND window) {
    return reinterpret_cast<DialogState*>(GetProp(GetAncestorTopLevel(window), kStateProperty));
}

std::string load_string(int id) {
    char text[512];
    int length = LoadString(nullptr, UINT(id), text, sizeof text);
    return length > 0 ? std::string(text, std::size_t(length)) : std::string();
}

std::string strip_line_end(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

void show_address(HWND page, int edit, std::uint16_t address) {
    char shown[16];
    std::snprintf(shown, sizeof shown, "0x%04x", address);
    SetDlgItemText(page, edit, shown);
}

// Lines from `top` on, the line at `selected` (or the first) selected.
void fill_code_listing(DialogState& state, std::uint16_t top, std::uint16_t selected) {
    HWND list = GetDlgItem(state.code_page, kCodeList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    state.code_lines.clear();
    std::uint32_t address = top;
    int chosen = 0;
    for (int i = 0; i < kCodeLines && address <= 0xFFFF; ++i) {
        std::string line;
        int length = simcpu::DisassembleLine(state.kernel->core(), std::uint16_t(address), kCodeLayout, line);
        line = strip_line_end(line).substr(0, kCodeLineWidth);
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
        if (address == selected) chosen = i;
        state.code_lines.push_back(std::uint16_t(address));
        address += std::uint32_t(std::max(length, 1));
    }
    SendMessage(list, LB_SETCURSEL, WPARAM(chosen), 0);
    show_address(state.code_page, kCodeAddressEdit, top);
}

void fill_data_listing(DialogState& state, std::uint16_t at) {
    state.data_start = std::min<std::uint16_t>(std::uint16_t(at & ~7u), kLastDataLine);
    HWND list = GetDlgItem(state.data_page, kDataList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kDataLines; ++i) {
        std::string line = data_line(*state.kernel, std::uint16_t(state.data_start + i * 8));
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    }
    show_address(state.data_page, kDataAddressEdit, state.data_start);
}

// A step of one line past the first (-1) or the last (+1) line of a listing.
void scroll_listing(HWND list, int direction) {
    DialogState& state = *state_of(list);
    if (GetDlgCtrlID(list) == kCodeList) {
        if (state.code_lines.empty()) return;
        std::uint16_t top = state.code_lines.front();
        if (direction > 0 && state.code_lines.size() > 1) {
            fill_code_listing(state, state.code_lines[1], state.code_lines.back());
            SendMessage(list, LB_SETCURSEL, WPARAM(state.code_lines.size() - 1), 0);
            return;
        }
        if (direction < 0 && top > 0) {
            std::uint32_t address = top, lines = 1u << 16;
            std::string text;
            state.kernel->Disassemble(address, kCodeLayout, lines, &text);
            fill_code_listing(state, std::uint16_t(address >> 16), std::uint16_t(address >> 16));
        }
        return;
    }
    int start = state.data_start + direction * 8;
    if (start < 0 || start > kLastDataLine) return;
    fill_data_listing(state, std::uint16_t(start));
    SendMessage(list, LB_SETCURSEL, direction > 0 ? WPARAM(kDataLines - 1) : 0, 0);
}

// The listings' list boxes load the neighbouring lines when the selection
// would move past their first or last line.
LRESULT listing_list_procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetProp(list, kListProcProperty));
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        LRESULT selected = SendMessage(list, LB_GETCURSEL, 0, 0);
        LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
        if (wParam == VK_UP && selected == 0) return scroll_listing(list, -1), 0;
        if (wParam == VK_DOWN && selected == count - 1) return scroll_listing(list, +1), 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(list, GWL_WNDPROC, LONG_PTR(previous));
        RemoveProp(list, kListProcProperty);
    }
    return CallWindowProc(previous, list, message, wParam, lParam);
}

// The address typed into an edit: up to four hexadecimal digits, "0x" allowed.
std::optional<std::uint16_t> typed_address(HWND page, int edit) {
    char text[32] = {};
    GetDlgItemText(page, edit, text, sizeof text);
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits = digits.substr(2);
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (*end) return std::nullopt;
    return std::uint16_t(value);
}

LONG_PTR page_procedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

HWND make_page(HWND dialog, int page, int list, HFONT font) {
    HWND made = CreateDialogParam(nullptr, MAKEINTRESOURCE(unsigned(page)), dialog, page_procedure, 0);
    if (!made) return nullptr;
    HWND tabs = GetDlgItem(dialog, kListingTabs);
    RECT place{};
    GetWindowRect(tabs, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    RECT offset{kPageLeft, kPageTop, 0, 0};
    MapDialogRect(dialog, &offset);
    SetWindowPos(made, nullptr, place.left + offset.left, place.top + offset.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND box = GetDlgItem(made, list);
    SendMessage(box, WM_SETFONT, WPARAM(font), FALSE);
    SetProp(box, kListProcProperty, HANDLE(GetWindowLongPtr(box, GWL_WNDPROC)));
    SetWindowLongPtr(box, GWL_WNDPROC, LONG_PTR(listing_list_procedure));
    return made;
}

void add_tab(HWND tabs, int index, int string_id) {
    std::string text = load_string(string_id);
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessage(tabs, TCM_INSERTITEM, WPARAM(index), LPARAM(&item));
}

void show_page(DialogState& state, int index) {
    ShowWindow(state.code_page, index == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(state.data_page, index == 1 ? SW_SHOW : SW_HIDE);
}

void initialise(HWND dialog, DialogState& state) {
    SetProp(dialog, kStateProperty, HANDLE(&state));
    simcpu::EmuKernel& kernel = *state.kernel;
    std::string condition =
        state.code >= 0 && state.code <= kLastExceptionCode ? load_string(kFirstConditionString + state.code) : "";
    SetDlgItemText(dialog, kConditionEdit, condition.c_str());
    SetDlgItemText(dialog, kRegistersEdit, register_text(kernel).c_str());
    // "Courier New" at 9.5 points (96 dots an inch).
    state.listing_font =
        CreateFont(-(95 * 96 + 360) / 720, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    HWND tabs = GetDlgItem(dialog, kListingTabs);
    add_tab(tabs, 0, kCodeTabString);
    add_tab(tabs, 1, kDataTabString);
    state.code_page = make_page(dialog, kCodePage, kCodeList, state.listing_font);
    state.data_page = make_page(dialog, kDataPage, kDataList, state.listing_font);
    if (!state.code_page || !state.data_page) return;
    std::uint16_t pc = kernel.core().regs().pc;
    fill_code_listing(state, pc, pc);
    fill_data_listing(state, state.address);
    show_page(state, 0);
}

simcpu::ExceptionAnswer answer_of(int button) {
    switch (button) {
        case kContinueButton: return simcpu::ExceptionAnswer::Continue;
        case kIgnoreKindButton: return simcpu::ExceptionAnswer::IgnoreThisKind;
        case kIgnoreAllButton: return simcpu::ExceptionAnswer::IgnoreAll;
        case kSingleStepButton: return simcpu::ExceptionAnswer::SingleStep;
        default: return simcpu::ExceptionAnswer::Stop;
    }
}

// Enter in an address edit moves its listing there; true when it did.
bool enter_in_address_edit(DialogState& state) {
    HWND focus = GetFocus();
    if (state.code_page && focus == GetDlgItem(state.code_page, kCodeAddressEdit)) {
        if (auto at = typed_address(state.code_page, kCodeAddressEdit)) fill_code_listing(state, *at, *at);
        return true;
    }
    if (state.data_page && focus == GetDlgItem(state.data_page, kDataAddressEdit)) {
        if (auto at = typed_address(state.data_page, kDataAddressEdit)) fill_data_listing(state, *at);
        return true;
    }
    return false;
}

LONG_PTR exception_procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetProp(dialog, kStateProperty));
    switch (message) {
        case WM_INITDIALOG: initialise(dialog, *reinterpret_cast<DialogState*>(lParam)); return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (state && header->idFrom == UINT_PTR(kListingTabs) && header->code == TCN_SELCHANGE)
                show_page(*state, int(SendDlgItemMessage(dialog, kListingTabs, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (id == IDOK) {
                if (state && enter_in_address_edit(*state)) return TRUE;
                id = kContinueButton;
            }
            if (id == IDCANCEL) id = kStopButton;
            switch (id) {
                case kContinueButton:
                case kIgnoreKindButton:
                case kIgnoreAllButton:
                case kSingleStepButton:
                case kStopButton: EndDialog(dialog, LONG_PTR(answer_of(id))); return TRUE;
                default: return FALSE;
            }
        }
        case WM_CLOSE: EndDialog(dialog, LONG_PTR(simcpu::ExceptionAnswer::Stop)); return TRUE;
        case WM_DESTROY: RemoveProp(dialog, kStateProperty); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

HWND exception_dialog_page(HWND dialog, int page) {
    DialogState* state = reinterpret_cast<DialogState*>(GetProp(dialog, kStateProperty));
    if (!state) return nullptr;
    return page == kCodePage ? state->code_page : page == kDataPage ? state->data_page : nullptr;
}

std::string register_text(simcpu::EmuKernel& kernel) {
    const formats::TargetRegisterBlock& r = kernel.core().regs();
    auto bit = [&](int n) { return unsigned(r.p >> n & 1); };
    std::string line;
    int length = simcpu::DisassembleLine(kernel.core(), r.pc, kCodeLayout, line);
    char text[512];
    if (length > 0 && !line.empty()) {
        std::string format = load_string(kRegisterWithCodeString);
        std::snprintf(text, sizeof text, format.c_str(), r.pc, r.p, r.s, r.a, r.x, r.y, r.pc,
                      strip_line_end(line).c_str(), bit(0), bit(1), bit(2), bit(3), bit(4), bit(6), bit(7));
    } else {
        std::string format = load_string(kRegisterString);
        std::snprintf(text, sizeof text, format.c_str(), r.pc, r.p, r.s, r.a, r.x, r.y, bit(0), bit(1), bit(2), bit(3),
                      bit(4), bit(6), bit(7));
    }
    return text;
}

std::string data_line(simcpu::EmuKernel& kernel, std::uint16_t address) {
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) {
        std::uint8_t rights = 0;
        const std::uint8_t* at = kernel.ReadMemoryInfo(std::uint16_t(address + i), &rights, nullptr);
        if (!at || !(rights & formats::PageRight::kReadable)) {
            char unreadable[48];
            std::snprintf(unreadable, sizeof unreadable, "%04x  ?? ?? ?? ?? ?? ?? ?? ??", address);
            return unreadable;
        }
        bytes[i] = *at;
    }
    auto shown = [](std::uint8_t b) { return char(b < 33 ? '.' : b); };
    char text[64];
    std::snprintf(text, sizeof text, "%04x  %02x %02x %02x %02x %02x %02x %02x %02x   %c%c%c%c%c%c%c%c", address,
                  bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], shown(bytes[0]),
                  shown(bytes[1]), shown(bytes[2]), shown(bytes[3]), shown(bytes[4]), shown(bytes[5]), shown(bytes[6]),
                  shown(bytes[7]));
    return text;
}

simcpu::ExceptionAnswer show_exception_dialog(HWND owner, simcpu::EmuKernel& kernel, int code, std::uint16_t address) {
    DialogState state;
    state.kernel = &kernel;
    state.code = code;
    state.address = address;
    LONG_PTR result =
        DialogBoxParam(nullptr, MAKEINTRESOURCE(kExceptionDialog), owner, exception_procedure, LPARAM(&state));
    if (state.listing_font) DeleteObject(state.listing_font);
    if (result < 0 || result > LONG_PTR(simcpu::ExceptionAnswer::SingleStep)) return simcpu::ExceptionAnswer::Stop;
    return simcpu::ExceptionAnswer(result);
}

}  // namespace simwin
