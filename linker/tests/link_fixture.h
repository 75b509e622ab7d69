#pragma once
// A scratch project folder for linking: objects and libraries are written
// below "debug/", and Mossrel runs in-process in the folder.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "linker/mossrel.h"
#include "linker/tests/tool_run.h"
#include "testing/temp_dir.h"

namespace linker::testing {

class LinkFixture {
public:
    void add(const std::string& name, const std::string& bytes) { dir_.write("debug/" + name, bytes); }

    // Links the named objects (and libraries) into DEBUG\GAME.LKE with display name "Demo".
    ToolRun link(const std::vector<std::string>& objects, const std::vector<std::string>& libraries = {},
                 const std::vector<std::string>& tail = {"/AUTO", "-W2"}) {
        std::vector<std::string> arguments = {"/OBJPATH", "debug\\", "/OBJS"};
        arguments.insert(arguments.end(), objects.begin(), objects.end());
        arguments.push_back("/LIBS");
        for (const auto& library : libraries) arguments.push_back("debug\\" + library);
        arguments.insert(arguments.end(), {"/NAME", "Demo", "/OUT", "debug\\game.lke"});
        arguments.insert(arguments.end(), tail.begin(), tail.end());
        return run(arguments);
    }

    ToolRun run(const std::vector<std::string>& arguments) { return run_tool(run_mossrel, dir_.path(), arguments); }

    std::string image() const { return testing_kit::read_file(dir_ / "debug/GAME.LKE"); }
    std::string debug_map() const { return testing_kit::read_file(dir_ / "debug/GAME.DEB"); }
    bool has_outputs() const {
        return std::filesystem::exists(dir_ / "debug/GAME.LKE") || std::filesystem::exists(dir_ / "debug/GAME.DEB");
    }
    // Files in debug/ (the inputs plus whatever the link left).
    std::size_t file_count() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(dir_ / "debug"), {}));
    }
    const testing_kit::TempDir& dir() const { return dir_; }

private:
    testing_kit::TempDir dir_;
};

inline std::uint32_t le(const std::string& bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes.at(offset + std::size_t(i)));
    return value;
}

inline std::string hex_bytes(const std::string& bytes, std::size_t offset, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = std::uint8_t(bytes.at(offset + i));
        if (i) out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

}  // namespace linker::testing
