#include "ide/download/downloader.h"

#include "ide/download/port_link.h"

namespace download {
namespace {

class Transfer {
public:
    Transfer(PortLink& link, const ProgramImage& image) : link_(link), image_(image) {}

    bool handshake_once() {
        link_.reset();
        if (!link_.wait_for_device()) return false;
        link_.send_byte(kHandshakeByte);
        link_.idle();
        if (!link_.wait_for_device()) return false;
        if (link_.receive_byte() != kHandshakeByte || link_.port_error()) return false;
        link_.idle();
        return true;
    }

    bool send_language_and_version() {
        if (!link_.wait_for_device()) return false;
        link_.send_byte(image_[6]);
        link_.send_byte(image_[7]);
        link_.idle();
        return !link_.port_error();
    }

    bool send_block(int block) {
        for (int attempt = 0; attempt < kTries && !link_.port_error(); ++attempt)
            if (send_block_once(block)) return true;
        return false;
    }

private:
    bool send_block_once(int block) {
        std::uint8_t check = 0xFF;
        std::uint16_t sum = 0;
        if (!link_.wait_for_device()) return false;
        for (int i = 0; i < kBlockSize; ++i) {
            const std::uint8_t byte = image_[block * kBlockSize + i];
            link_.send_byte(byte);
            sum = static_cast<std::uint16_t>(sum + byte);
            check ^= byte;
        }
        link_.idle();
        if (!link_.wait_for_device()) return false;
        link_.send_byte(check);
        link_.send_byte(static_cast<std::uint8_t>(sum));
        link_.send_byte(static_cast<std::uint8_t>(sum >> 8));
        link_.idle();
        link_.wait(8);
        if (!link_.wait_for_device()) return false;
        if (link_.receive_byte() != kBlockAccepted || link_.port_error()) return false;
        link_.idle();
        return true;
    }

    PortLink& link_;
    const ProgramImage& image_;
};

}  // namespace

int CDownloader::Download(const std::string& path, DownloadProgress& progress) {
    last_block_ = -1;
    progress.set_status(kTestingText);

    auto image = load_program_image(path);
    if (!image) {
        progress.show_message(image.error().text);
        return kNotLoaded;
    }
    switch (check_header(*image)) {
        case HeaderCheck::wrong_header: progress.show_message(kHeaderText); return kWrongHeader;
        case HeaderCheck::wrong_language_or_version:
            progress.show_message(kLanguageText);
            return kWrongLanguageOrVersion;
        case HeaderCheck::good: break;
    }

    auto port = open_port_();
    if (!port) {
        progress.show_message(port.error().text);
        return kSendError;
    }
    PortLink link(**port, timer_);
    Transfer transfer(link, *image);
    // A failed port ends the transfer at once with its own reason.
    const auto failed = [&](std::string_view text) {
        progress.show_message(link.port_error() ? std::string_view(link.port_error()->text) : text);
        return kSendError;
    };

    bool shook_hands = false;
    for (int attempt = 0; attempt < kTries && !shook_hands; ++attempt) {
        if (progress.take_cancel()) return failed(kSendErrorText);
        shook_hands = transfer.handshake_once();
        if (link.port_error()) return failed(kSendErrorText);
    }
    if (!shook_hands) {
        progress.show_message(kTimedOutText);
        return kTimedOut;
    }

    progress.set_status(kDownloadingText);
    if (!transfer.send_language_and_version()) return failed(kSendErrorText);

    for (int block = 0; block < kBlockCount; ++block) {
        if (progress.take_cancel()) return failed(kSendErrorText);
        timer_.pause_ms(20);
        if (!transfer.send_block(block)) return failed(kSendErrorText);
        progress.step_block();
        last_block_ = block;
    }
    return kSent;
}

}  // namespace download
