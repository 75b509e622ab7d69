#pragma once
// Sends a program image to the device through the parallel port: load and
// check the image, shake hands, then 256 blocks of 128 bytes, each checked
// by the device and sent again (up to ten times) when it refuses it.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ide/download/delay_timer.h"
#include "ide/download/parallel_port.h"
#include "ide/download/program_image.h"

namespace download {

// What Download returns.
enum DownloadResult {
    kSent = 0,
    kSendError = 1,  // also when cancelled
    kTimedOut = 2,   // no handshake after ten tries
    kWrongLanguageOrVersion = 3,
    kWrongHeader = 4,
    kNotLoaded = 5,
};

// The messages shown for the results.
inline constexpr std::string_view kSendErrorText = "Send error ";
inline constexpr std::string_view kTimedOutText = "Error Time out ";
inline constexpr std::string_view kLanguageText = "Error Language or Version ";
inline constexpr std::string_view kHeaderText = "Error Header ";
inline constexpr std::string_view kTestingText = "Testing communication...";
inline constexpr std::string_view kDownloadingText = "Downloading ...";

inline constexpr int kBlockCount = 256;
inline constexpr int kBlockSize = 128;
inline constexpr int kTries = 10;
inline constexpr std::uint8_t kHandshakeByte = 0xA6;
inline constexpr std::uint8_t kBlockAccepted = 0x5A;

// Where the download shows how it goes: the progress dialog in the IDE, the
// console in the command-line front end.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual void set_status(std::string_view text) = 0;
    virtual void step_block() = 0;
    virtual bool take_cancel() = 0;  // lets the user act; true once after Cancel
    virtual void show_message(std::string_view text) = 0;
};

using PortOpener = std::function<os::Result<std::unique_ptr<ParallelPort>>()>;

class CDownloader {
public:
    CDownloader(PortOpener open_port, DelayTimer& timer) : open_port_(std::move(open_port)), timer_(timer) {}

    // Loads `path`, sends it and returns a DownloadResult; each failure's
    // message goes to `progress`. The port is held only during the call.
    int Download(const std::string& path, DownloadProgress& progress);

    int last_block() const { return last_block_; }  // the last block the device took, -1 before any

private:
    PortOpener open_port_;
    DelayTimer& timer_;
    int last_block_ = -1;
};

}  // namespace download
