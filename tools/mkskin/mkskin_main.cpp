// mkskin: draws the kit's own skins of the device and writes them into a folder:
// "qv4700.cfs" (the skin the IDE asks for) and "qv4700-small.cfs".
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/os/file.h"
#include "tools/mkskin/device_skin.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkskin <output folder>\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    const struct {
        const char* file;
        int scale;
        const char* name;
    } skins[] = {{"qv4700.cfs", 2, "QV4700"}, {"qv4700-small.cfs", 1, "QV4700 small"}};
    for (const auto& skin : skins) {
        auto bytes = sim::write_skin(mkskin::draw_device_skin(skin.scale, skin.name));
        if (auto written = os::write_file((folder / skin.file).string(), bytes); !written) {
            std::fprintf(stderr, "mkskin: %s\n", written.error().text.c_str());
            return 1;
        }
    }
    return 0;
}
