#include "simulator/window/exception_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace simwin {
namespace {

constexpr int kFirstConditionString = 45, kLastExceptionCode = 10;
constexpr int kRegisterString = 56, kRegisterWithCodeString = 57;
constexpr int kListingLines = 16;
// Data lines start at most here, so that the listing never passes $FFFF.
constexpr std::uint16_t kLastDataLine = 0xFFC8;
constexpr auto kCodeLayout = simcpu::DisassemblyLayout::Make(1, 6, 10, 6, 16);

struct DialogState {
    simcpu::EmuKernel* kernel;
    int code;
    std::uint16_t address;
};

std::string load_string(int id) {
    char text[512];
    int length = LoadString(nullptr, UINT(id), text, sizeof text);
    return length > 0 ? std::string(text, std::size_t(length)) : std::string();
}

std::string strip_line_end(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

void fill_code_listing(HWND dialog, simcpu::EmuKernel& kernel, std::uint16_t at) {
    std::uint32_t address = at, lines = kListingLines;
    std::string text;
    kernel.Disassemble(address, kCodeLayout, lines, &text);
    HWND list = GetDlgItem(dialog, kCodeList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = strip_line_end(text.substr(begin, end - begin)).substr(0, 40);
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
        begin = end + 1;
    }
    SendMessage(list, LB_SETCURSEL, 0, 0);
    char shown[16];
    std::snprintf(shown, sizeof shown, "0x%04x", at);
    SetDlgItemText(dialog, kCodeAddressEdit, shown);
}

void fill_data_listing(HWND dialog, simcpu::EmuKernel& kernel, std::uint16_t at) {
    std::uint16_t start = std::min<std::uint16_t>(std::uint16_t(at & ~7u), kLastDataLine);
    HWND list = GetDlgItem(dialog, kDataList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kListingLines && start + i * 8 <= 0xFFF8; ++i) {
        std::string line = data_line(kernel, std::uint16_t(start + i * 8));
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    }
    char shown[16];
    std::snprintf(shown, sizeof shown, "0x%04x", start);
    SetDlgItemText(dialog, kDataAddressEdit, shown);
}

// The address typed into an edit: up to four hexadecimal digits, "0x" allowed.
std::optional<std::uint16_t> typed_address(HWND dialog, int edit) {
    char text[32] = {};
    GetDlgItemText(dialog, edit, text, sizeof text);
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits = digits.substr(2);
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (*end) return std::nullopt;
    return std::uint16_t(value);
}

void initialise(HWND dialog, DialogState& state) {
    simcpu::EmuKernel& kernel = *state.kernel;
    std::string condition =
        state.code >= 0 && state.code <= kLastExceptionCode ? load_string(kFirstConditionString + state.code) : "";
    SetDlgItemText(dialog, kConditionEdit, condition.c_str());
    SetDlgItemText(dialog, kRegistersEdit, register_text(kernel).c_str());
    fill_code_listing(dialog, kernel, kernel.core().regs().pc);
    fill_data_listing(dialog, kernel, state.address);
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

LONG_PTR exception_procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtr(dialog, GWL_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
        initialise(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK) {
            // Enter in an address edit moves its listing instead of pressing "Continue".
            HWND focus = GetFocus();
            for (int edit : {kCodeAddressEdit, kDataAddressEdit}) {
                if (focus != GetDlgItem(dialog, edit)) continue;
                if (auto at = typed_address(dialog, edit)) {
                    if (edit == kCodeAddressEdit) fill_code_listing(dialog, *state->kernel, *at);
                    else fill_data_listing(dialog, *state->kernel, *at);
                }
                return TRUE;
            }
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
    default: return FALSE;
    }
}

}  // namespace

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
        std::snprintf(text, sizeof text, format.c_str(), r.pc, r.p, r.s, r.a, r.x, r.y, bit(0), bit(1), bit(2),
                      bit(3), bit(4), bit(6), bit(7));
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
                  shown(bytes[1]), shown(bytes[2]), shown(bytes[3]), shown(bytes[4]), shown(bytes[5]),
                  shown(bytes[6]), shown(bytes[7]));
    return text;
}

simcpu::ExceptionAnswer show_exception_dialog(HWND owner, simcpu::EmuKernel& kernel, int code,
                                              std::uint16_t address) {
    DialogState state{&kernel, code, address};
    LONG_PTR result = DialogBoxParam(nullptr, MAKEINTRESOURCE(kExceptionDialog), owner, exception_procedure,
                                     LPARAM(&state));
    if (result < 0 || result > LONG_PTR(simcpu::ExceptionAnswer::SingleStep)) return simcpu::ExceptionAnswer::Stop;
    return simcpu::ExceptionAnswer(result);
}

}  // namespace simwin
