#include "simulator/strings/sim_strings.h"

#include <array>
#include <utility>

namespace sim {

namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {kCreateWindowError, "Create Window Error"},
    {kOpenBiosFileError, "Open Bios File Error"},
    {kDeleteRamFileError, "Unable to Delete Internal Ram File"},
    {kCreateFileError, "Create File Error"},
    {kModuleFileNameError, "GetModuleFile Name Error"},
    {kFindSkinError, "Find CompFace File Error"},
    {kReloadSkinError, "Reload Data Error"},
    {kReloadOriginalSkinError, "Can not reload original Interface while switch interface error!"},
    {kCreateMappingError, "Create File Mapping for %s Error"},
    {kMapViewError, "map view of file %s Error"},
    {kInvalidOptionPair, "invalid Option -%c%c"},
    {kInvalidOption, "Invalid Option -%c "},
    {kEmptyOptionValue, "File Name string can not be an empty string"},
    {kInvalidSkin, "Invalid CompFace File"},
    {kNoIcon, "No Icon found in file: %s"},
    {kNotAnIcon, "Not an icon file: %s"},
    {kSkinHeaderIncomplete, "Read Compface Header not complete"},
    {kUsage,
     "Please Specify Parameter:\n"
     "  -o:<ROM image file>       (required)\n"
     "  -a:<RAM file>             (required)\n"
     "  -if:<skin file>\n"
     "  -ias:<internal RAM size>  (default 16384)\n"
     "  -eas:<external RAM size>  (default 0)\n"
     "  -h:<IDE window>\n"
     "  -f:<file to download>\n"
     "  -n:<program name>\n"
     "  -d  debug mode     -up  plain ROM image\n"
     "  -Warm  warm boot   -DelRam  delete the RAM file at the end\n"
     "Example: -o:zr118obj.bin -a:ram.mem -eas:65536 -if:qv230.cfs"},
    {kWarmBootWithoutRamFile, "The Ram File does not exist, the Warm Boot Option will be switch to Cold Boot!!!!"},
    {kRomPreprocessFailure, "Rom file preprocess failure!"},
    {kOutOfMemory, "Out of memory!"},
    {kRamFileLength, "Ram File Length not equal to the ram size specified in the command line parameter!"},
    {kRamWriteBackError, "Ram file writeback error!"},
    {kOpenProductIdError, "Can not open Product Identification File [File name: %s]!"},
    {kReadProductIdError, "Can not read product identification information from file  [File name: %s]!"},
    {kReadLoaderError, "Read \"dl.ini\" error"},
    {kDownloadKindError, "Download File Must be \"*.bin\"  \"*.txt\" or \"*.bas\""},
    {kOpenDownloadError, "Open download file error "},
    {kReadDownloadError, "Read download file error"},
    {kInvalidNumber, "Invalid number in option %s"},
    {kOptionTooLong, "Option value too long: %s"},
    {kRomTooSmall, "Rom image is smaller than the 32 KB the memory map needs!"},
    {kDownloadSizeError, "Download file size out of range (16,448 bytes to 16 MB): %s"},
    {kTextTooLong, "Text file has too many lines for the device: %s"},
    {kRamTooLarge, "Internal and external RAM sizes together must stay below 4 GB!"},
    {kRomKeyFileError, "Rom key file must hold ten 32-bit keys: %s"},
};

std::string caption_of(int id) {
    switch (id) {
        case kUsage:
        case kCreateMappingError:
        case kMapViewError: return "";
        case kWarmBootWithoutRamFile: return "Warning";
        default: return "Error";
    }
}

}  // namespace

std::string_view sim_string(int id) {
    for (const auto& [number, text] : kStrings)
        if (number == id) return text;
    return {};
}

SimFailure sim_failure(int id) { return {id, std::string(sim_string(id)), caption_of(id)}; }

SimFailure sim_failure(int id, std::string_view detail) {
    std::string text(sim_string(id));
    for (std::string_view placeholder : {"%c%c", "%s", "%c", "%d"}) {
        if (auto at = text.find(placeholder); at != std::string::npos) {
            text.replace(at, placeholder.size(), detail);
            return {id, text, caption_of(id)};
        }
    }
    return {id, text + "\n <" + std::string(detail) + ">", caption_of(id)};
}

SimFailure system_failure(int id, std::string_view system_text, std::string_view path) {
    return {id, std::string(system_text) + "\r\n <" + std::string(path) + ">", std::string(sim_string(id))};
}

SimFailure system_failure(int id, const os::Error& error, std::string_view path) {
    return system_failure(id, os::reason_text(error), path);
}

std::string failure_line(const SimFailure& failure) {
    std::string line = failure.caption == sim_string(failure.id) ? failure.caption + ": " + failure.text : failure.text;
    for (std::size_t at = 0; (at = line.find("\r\n", at)) != std::string::npos;) line.erase(at, 2);
    return line;
}

}  // namespace sim
