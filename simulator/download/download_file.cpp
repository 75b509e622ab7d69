#include "simulator/download/download_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/os/file.h"

namespace sim {

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Device rows a line takes at 20 columns a row.
uint64_t rows_of(std::span<const uint8_t> line) {
    uint64_t rows = 0;
    unsigned column = formats::kDeviceTextColumns;  // a full row: the first character opens one
    for (std::size_t i = 0; i < line.size();) {
        unsigned width = line[i] >= 160 && i + 1 < line.size() ? 2 : 1;
        if (column + width > formats::kDeviceTextColumns) {
            ++rows;
            column = 0;
        }
        column += width;
        i += width;
    }
    return rows;
}

void put_u16(uint8_t* at, uint64_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::variant<DownloadKind, SimFailure> download_kind(const std::filesystem::path& path) {
    std::string extension = lower(path.extension().string());
    if (extension == ".bin") return DownloadKind::Program;
    if (extension == ".txt") return DownloadKind::Text;
    if (extension == ".bas") return DownloadKind::Basic;
    return sim_failure(kDownloadKindError);
}

std::optional<std::vector<uint8_t>> convert_text(std::span<const uint8_t> text) {
    std::vector<uint8_t> out(5, 0);
    out[4] = formats::kTextHeadSeparator;
    uint64_t lines = 0, rows = 0;
    for (std::size_t start = 0; start < text.size();) {
        auto end = std::find(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), '\n');
        std::size_t stop = static_cast<std::size_t>(end - text.begin());
        std::size_t length = stop - start;
        if (length > 0 && text[start + length - 1] == '\r') --length;  // either line end becomes "\r\n"
        auto line = text.subspan(start, length);
        ++lines;
        rows += rows_of(line);
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
        out.push_back('\n');
        start = stop + 1;
    }
    if (lines > UINT16_MAX || rows > UINT16_MAX) return std::nullopt;
    put_u16(out.data(), lines);
    put_u16(out.data() + 2, rows);
    out.push_back(0xFF);
    out.push_back(0xFF);
    return out;
}

std::variant<PreparedDownload, SimFailure> prepare_download(const std::filesystem::path& path) {
    auto kind = download_kind(path);
    if (auto* failed = std::get_if<SimFailure>(&kind)) return *failed;
    auto file = os::read_file(path.string(), kMaxDownloadSize);
    if (!file && file.error().code == EFBIG) return sim_failure(kDownloadSizeError, path.string());
    // A text is read for its conversion, which has its own string.
    if (!file)
        return sim_failure(std::get<DownloadKind>(kind) == DownloadKind::Text ? kReadDownloadError : kOpenDownloadError,
                           file.error().text);

    PreparedDownload download{std::get<DownloadKind>(kind), {}, std::move(*file)};
    formats::DownloadRecord& record = download.record;
    std::memset(&record, formats::kDownloadFill, sizeof record);
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    std::string name = path.filename().string().substr(0, formats::kDownloadNameLength);

    switch (download.kind) {
        case DownloadKind::Program:
            if (download.content.size() < kMinProgramSize || download.content.size() > kMaxDownloadSize)
                return sim_failure(kDownloadSizeError, path.string());
            std::memcpy(record.type, "bin ", 4);
            record.kind = formats::kDownloadProgram;
            std::memcpy(record.head, download.content.data() + formats::kProgramHeadOffset, sizeof record.head);
            break;
        case DownloadKind::Text: {
            auto converted = convert_text(download.content);
            if (!converted) return sim_failure(kTextTooLong, path.string());
            download.content = std::move(*converted);
            std::memcpy(record.type, "txt ", 4);
            record.kind = formats::kDownloadText;
            std::memcpy(record.head, name.data(), name.size());
            bytes[formats::kTextMarkOffset] = formats::kTextMark;
            break;
        }
        case DownloadKind::Basic:
            std::memcpy(record.type, "bas ", 4);
            record.kind = formats::kDownloadText;
            name = upper(name);
            std::memcpy(record.head, name.data(), name.size());
            put_u16(bytes + formats::kBasicSizeOffset, download.content.size());
            break;
    }
    if (download.content.size() > kMaxDownloadSize) return sim_failure(kDownloadSizeError, path.string());
    uint64_t size = download.content.size();
    record.size_le24[0] = static_cast<uint8_t>(size);
    record.size_le24[1] = static_cast<uint8_t>(size >> 8);
    record.size_le24[2] = static_cast<uint8_t>(size >> 16);
    return download;
}

std::variant<std::vector<uint8_t>, SimFailure> read_loader(const std::filesystem::path& file) {
    auto loader = os::read_file(file.string(), kLargestLoaderFile);
    if (!loader) return sim_failure(kReadLoaderError, file.string() + ": " + os::reason_text(loader.error()));
    if (loader->size() < kLoaderSize)
        return sim_failure(kReadLoaderError,
                           file.string() + ": shorter than " + std::to_string(kLoaderSize) + " bytes");
    loader->resize(kLoaderSize);
    return std::move(*loader);
}

}  // namespace sim
