#include "simulator/link/ide_link.h"

#include "platform/ipc/window_messages.h"

namespace sim {

std::optional<IdeCommand> ide_command(uint64_t wparam, uint64_t lparam, bool debug) {
    if (wparam == formats::kSimCloseWParam && lparam == formats::kSimCloseLParam) return IdeCommand::Close;
    if (!debug) return std::nullopt;
    switch (formats::sim_link_code(wparam)) {
        case formats::SimCmdRun: return IdeCommand::Run;
        case formats::SimCmdResume: return IdeCommand::Resume;
        case formats::SimCmdExit: return IdeCommand::Exit;
        case formats::SimCmdAckEnd: return IdeCommand::AckEnd;
        default: return std::nullopt;
    }
}

bool IdeLink::connected() const { return ide_window_ != 0 && ipc::is_window(ide_window_); }

bool IdeLink::post(uint16_t code, uint16_t detail, uint64_t lparam) const {
    return connected() &&
           ipc::post_message(ide_window_, formats::WM_SIMLINK, formats::sim_link_wparam(code, detail), lparam);
}

bool IdeLink::notify_stopped(uint32_t lparam) const {
    return post(formats::SimNotifyStopped, formats::kSimLinkNoDetail, lparam);
}

bool IdeLink::notify_ended() const { return post(formats::SimNotifyEnded, formats::kSimLinkNoDetail, 0); }

bool IdeLink::notify_downloaded(uint8_t slot, uint8_t count, ipc::WindowHandle own_window) const {
    return post(formats::SimNotifyDownloaded, static_cast<uint16_t>(slot << 8 | count), own_window);
}

bool IdeLink::notify_exited() const {
    return connected() && ipc::post_message(ide_window_, formats::WM_COMMAND_MSG,
                                            formats::sim_link_wparam(formats::SimNotifyExited), 0);
}

}  // namespace sim
