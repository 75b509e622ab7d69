#include "tools/simrun/simrun_options.h"

#include <charconv>
#include <map>

namespace simrun {
namespace {

using simcpu::ExceptionAnswer;

// Decimal, or hexadecimal after "0x" or "$".
std::optional<std::uint64_t> Number(std::string_view text, std::uint64_t max) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    } else if (text.starts_with("$")) {
        text.remove_prefix(1);
        base = 16;
    }
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > max) return std::nullopt;
    return value;
}

// Splits "a:b:c" at its colons.
std::vector<std::string_view> Fields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos; text.remove_prefix(at + 1)) {
        fields.push_back(text.substr(0, at));
    }
    fields.push_back(text);
    return fields;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParseResult Run() {
        while (index_ < arguments_.size() && error_.empty()) Option(arguments_[index_++]);
        if (error_.empty() && options_.rom.empty()) error_ = "no ROM given (--rom)";
        if (error_.empty() && !options_.download.empty() && options_.loader.empty()) {
            error_ = "a download needs its loader (--loader)";
        }
        return {options_, error_};
    }

private:
    void Option(const std::string& option) {
        static const std::map<std::string, ExceptionAnswer, std::less<>> kAnswers = {
            {"stop", ExceptionAnswer::Stop},
            {"continue", ExceptionAnswer::Continue},
            {"ignore", ExceptionAnswer::IgnoreThisKind},
            {"ignore-all", ExceptionAnswer::IgnoreAll},
            {"step", ExceptionAnswer::SingleStep}};
        if (option == "--scrambled")
            options_.scrambledRom = true;
        else if (option == "--fast")
            options_.fast = true;
        else if (option == "--debug")
            options_.debug = true;
        else if (option == "--regs")
            options_.dumpRegisters = true;
        else if (option == "--notices")
            options_.notices = true;
        else if (option == "--rom")
            options_.rom = Value(option);
        else if (option == "--download")
            options_.download = Value(option);
        else if (option == "--name")
            options_.name = Value(option);
        else if (option == "--loader")
            options_.loader = Value(option);
        else if (option == "--pbm")
            options_.lcdPbm = Value(option);
        else if (option == "--lcd-text")
            options_.lcdText = true;
        else if (option == "--ias")
            options_.internalRam = static_cast<std::uint32_t>(NumberValue(option, UINT32_MAX));
        else if (option == "--eas")
            options_.externalRam = static_cast<std::uint32_t>(NumberValue(option, UINT32_MAX));
        else if (option == "--cycles")
            options_.cycles = NumberValue(option, UINT64_MAX / 2);
        else if (option == "--until-pc")
            options_.untilPc = static_cast<std::uint16_t>(NumberValue(option, 0xFFFF));
        else if (option == "--break")
            options_.breakpoints.push_back(static_cast<std::uint32_t>(NumberValue(option, UINT32_MAX)));
        else if (option == "--lcd")
            Lcd(Value(option));
        else if (option == "--key")
            Key(Value(option));
        else if (option == "--mem")
            Dump(Value(option));
        else if (option == "--answer") {
            std::string value = Value(option);
            auto found = kAnswers.find(value);
            if (found == kAnswers.end())
                Fail("unknown exception answer '" + value + "'");
            else
                options_.answers.push_back(found->second);
        } else {
            Fail("unknown option '" + option + "'");
        }
    }

    std::string Value(const std::string& option) {
        if (index_ >= arguments_.size()) {
            Fail(option + " needs a value");
            return {};
        }
        return arguments_[index_++];
    }

    std::uint64_t NumberValue(const std::string& option, std::uint64_t max) {
        std::string text = Value(option);
        if (!error_.empty()) return 0;
        auto value = Number(text, max);
        if (!value) Fail("bad number '" + text + "' for " + option);
        return value.value_or(0);
    }

    void Lcd(const std::string& text) {
        auto fields = Fields(text, 'x');
        auto width = fields.size() == 2 ? Number(fields[0], 2048) : std::nullopt;
        auto height = fields.size() == 2 ? Number(fields[1], 2048) : std::nullopt;
        if (!width || !height) return Fail("bad LCD size '" + text + "' (WxH, at most 2048 each)");
        options_.lcdWidth = static_cast<std::uint32_t>(*width);
        options_.lcdHeight = static_cast<std::uint32_t>(*height);
    }

    void Key(const std::string& text) {
        auto fields = Fields(text, ':');
        auto cycle = fields.size() == 3 ? Number(fields[0], UINT64_MAX / 2) : std::nullopt;
        auto code = fields.size() == 3 ? Number(fields[1], UINT32_MAX) : std::nullopt;
        bool down = fields.size() == 3 && fields[2] == "down";
        bool up = fields.size() == 3 && fields[2] == "up";
        if (!cycle || !code || !(down || up)) return Fail("bad key '" + text + "' (CYCLE:CODE:down|up)");
        options_.keys.push_back({*cycle, static_cast<std::uint32_t>(*code), down});
    }

    void Dump(const std::string& text) {
        auto fields = Fields(text, ':');
        auto address = fields.size() == 2 ? Number(fields[0], 0xFFFF) : std::nullopt;
        auto length = fields.size() == 2 ? Number(fields[1], 0x10000) : std::nullopt;
        if (!address || !length) return Fail("bad memory range '" + text + "' (ADDR:LEN)");
        options_.dumps.push_back({static_cast<std::uint16_t>(*address), static_cast<std::uint32_t>(*length)});
    }

    void Fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
    }

    const std::vector<std::string>& arguments_;
    std::size_t index_ = 0;
    Options options_;
    std::string error_;
};

}  // namespace

ParseResult ParseOptions(const std::vector<std::string>& arguments) { return Parser(arguments).Run(); }

}  // namespace simrun
