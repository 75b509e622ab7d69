#include "simulator/options/sim_options.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace sim {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool same_without_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// One argument being read: the failure it raised, if any, is kept for the caller.
class OptionReader {
public:
    explicit OptionReader(const std::filesystem::path& program_dir) : program_dir_(program_dir) {}

    std::optional<SimFailure> failure;

    // The option's value: the text after its prefix, past any ':' and blanks.
    std::optional<std::string> value(std::string_view text) {
        std::size_t start = 0;
        while (start < text.size() && (text[start] == ':' || is_blank(text[start]))) ++start;
        text.remove_prefix(start);
        if (text.empty()) return refuse(sim_failure(kEmptyOptionValue));
        if (text.size() > kMaxOptionValue) return refuse(sim_failure(kOptionTooLong, text.substr(0, 32)));
        return std::string(text);
    }

    std::optional<std::string> path(std::string_view text) {
        auto given = value(text);
        if (!given) return std::nullopt;
        return complete_path(*given, program_dir_);
    }

    // A decimal number no larger than `limit`; signs, letters and overflow are refused.
    std::optional<uint32_t> number(std::string_view text, std::string_view option, uint32_t limit) {
        auto given = value(text);
        if (!given) return std::nullopt;
        uint32_t result = 0;
        auto [end, error] = std::from_chars(given->data(), given->data() + given->size(), result);
        if (error != std::errc() || end != given->data() + given->size() || result > limit)
            return refuse(sim_failure(kInvalidNumber, std::string(option) + ": " + *given));
        return result;
    }

    std::nullopt_t refuse(SimFailure why) {
        failure = std::move(why);
        return std::nullopt;
    }

private:
    const std::filesystem::path& program_dir_;
};

// Reads one option into `options`; false when it was refused (reader.failure says why).
bool read_option(std::string_view argument, SimOptions& options, OptionReader& reader) {
    char letter = argument.size() > 1 ? lower(argument[1]) : ' ';
    std::string_view rest = argument.size() > 1 ? argument.substr(2) : std::string_view{};
    char second = rest.empty() ? ' ' : lower(rest[0]);
    auto pair_refused = [&] {
        reader.failure = sim_failure(kInvalidOptionPair, std::string{argument[1], rest.empty() ? ' ' : rest[0]});
        return false;
    };
    // Assigns an optional result to its field, or reports the refusal.
    auto take = [](auto& field, const auto& result) {
        if (result) field = *result;
        return result.has_value();
    };
    switch (letter) {
        case 'd':
            if (rest.empty() || is_blank(rest[0]))
                options.debug = true;
            else if (same_without_case(rest, "elram"))
                options.delete_ram = true;
            return true;  // other words after -d are ignored
        case 'w':
            if (same_without_case(rest, "arm")) options.warm_boot = true;
            return true;
        case 'o': return take(options.rom_path, reader.path(rest));
        case 'a': return take(options.ram_path, reader.path(rest));
        case 'f': return take(options.download_path, reader.path(rest));
        case 'n': return take(options.display_name, reader.value(rest));
        case 'h': return take(options.ide_window, reader.number(rest, "-h", ipc::kSharedHandleLimit - 1));
        case 'i':
            if (second == 'f') return take(options.skin_path, reader.path(rest.substr(1)));
            if (second != 'a') return pair_refused();
            if (rest.size() < 2 || lower(rest[1]) != 's') return true;  // "-ia" without 's' is ignored
            return take(options.internal_ram_size, reader.number(rest.substr(2), "-ias", UINT32_MAX));
        case 'e':
            if (second != 'a' || rest.size() < 2 || lower(rest[1]) != 's') return pair_refused();
            return take(options.external_ram_size, reader.number(rest.substr(2), "-eas", UINT32_MAX));
        case 'u':
            if (second != 'p') return pair_refused();
            options.plain_rom = true;
            return true;
        default:
            reader.failure = sim_failure(kInvalidOption, std::string(1, argument.size() > 1 ? argument[1] : ' '));
            return false;
    }
}

}  // namespace

std::string complete_path(const std::string& value, const std::filesystem::path& program_dir) {
    if (value == kNoFile) return value;
    bool linux_absolute = !value.empty() && value.front() == '/';
    bool drive_and_directory = value.size() > 2 && std::isalpha(static_cast<unsigned char>(value[0])) &&
                               value[1] == ':' && value.find_first_of("\\/", 2) != std::string::npos;
    if (linux_absolute || drive_and_directory) return value;
    std::string relative = value;
    for (char& c : relative)
        if (c == '\\') c = '/';
    // A root without a drive is the program's drive: the path goes on from its folder.
    relative.erase(0, relative.find_first_not_of('/'));
    return (program_dir / relative).string();
}

std::variant<SimOptions, SimFailure> parse_sim_command_line(std::span<const std::string> arguments,
                                                            const std::filesystem::path& program_dir) {
    SimOptions options;
    OptionReader reader(program_dir);
    for (const std::string& argument : arguments) {
        if (argument.empty() || (argument[0] != '-' && argument[0] != '/')) continue;
        if (!read_option(argument, options, reader)) return *reader.failure;
    }
    if (options.rom_path.empty() || options.ram_path.empty()) return sim_failure(kUsage);
    if (options.internal_ram_size == 0) options.internal_ram_size = kDefaultInternalRamSize;
    // Offsets into the RAM image are 32-bit in the CPU and I/O block.
    if (ram_image_size(options) > UINT32_MAX) return sim_failure(kRamTooLarge);
    return options;
}

}  // namespace sim
