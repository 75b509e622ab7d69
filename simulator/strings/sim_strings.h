#pragma once
// The simulator's string table and the failure record every loader returns: the
// string's number and the finished message box (caption and text), ready for a
// box or the console.
#include <string>
#include <string_view>

#include "platform/os/result.h"

namespace sim {

// Numbers of the strings the simulator shows.
enum SimString : int {
    kCreateWindowError = 1,
    kOpenBiosFileError = 4,
    kDeleteRamFileError = 11,
    kCreateFileError = 12,
    kModuleFileNameError = 14,
    kFindSkinError = 23,
    kReloadSkinError = 25,
    kReloadOriginalSkinError = 26,
    kCreateMappingError = 29,
    kMapViewError = 30,
    kInvalidOptionPair = 31,
    kInvalidOption = 32,
    kEmptyOptionValue = 33,
    kInvalidSkin = 36,
    kNoIcon = 38,
    kNotAnIcon = 39,
    kSkinHeaderIncomplete = 40,
    kUsage = 43,
    kWarmBootWithoutRamFile = 44,
    kRomPreprocessFailure = 64,
    kOutOfMemory = 71,
    kRamFileLength = 77,
    kRamWriteBackError = 78,
    kOpenProductIdError = 86,
    kReadProductIdError = 87,
    kReadLoaderError = 88,
    kDownloadKindError = 89,
    kOpenDownloadError = 90,
    kReadDownloadError = 91,
    // Strings of our own for input the original accepted unchecked.
    kInvalidNumber = 120,
    kOptionTooLong = 121,
    kRomTooSmall = 122,
    kDownloadSizeError = 123,
    kTextTooLong = 124,
    kRamTooLarge = 125,
    kRomKeyFileError = 126,
};

// The text of a string; empty for a number the table does not hold.
std::string_view sim_string(int id);

struct SimFailure {
    int id;
    std::string text;     // the box's text
    std::string caption;  // "Error"; "Warning" (string 44); empty for the usage text and strings 29
                          // and 30; the string itself above the system's text for a system error
};

// The string as it stands, under its caption.
SimFailure sim_failure(int id);
// The string with its placeholder ("%s", "%c", "%c%c" or "%d") replaced by
// `detail`; a string without a placeholder gets the detail after it in <...>.
SimFailure sim_failure(int id, std::string_view detail);
// A failed system call: the string is the caption, the text is the system's
// text for the error followed by the file it concerns in <...>. An error that
// is not the system's (code 0) gives its own text.
SimFailure system_failure(int id, const os::Error& error, std::string_view path);
SimFailure system_failure(int id, std::string_view system_text, std::string_view path);
// One line for a log: a system error's caption, then the text.
std::string failure_line(const SimFailure& failure);

}  // namespace sim
