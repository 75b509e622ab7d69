#include "simulator/sim_startup.h"

#include <ostream>

#include "platform/ipc/shared_mapping.h"
#include "platform/profile/store.h"
#include "simulator/memory/ram_image.h"
#include "simulator/options/sim_options.h"
#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_icon.h"
#include "simulator/skin/skin_list.h"

namespace sim {

namespace {

void report(std::ostream& log, const char* what, const SimFailure& failure) {
    log << "Talvask: " << what << " " << failure.id << ": " << failure_line(failure) << "\n";
}

// The value of a step, or null after its failure has been reported.
template <class T>
T* take(std::variant<T, SimFailure>& result, std::ostream& log) {
    if (auto* failure = std::get_if<SimFailure>(&result)) {
        report(log, "error", *failure);
        return nullptr;
    }
    return &std::get<T>(result);
}

}  // namespace

std::optional<std::string> remembered_skin_name() {
    auto store = profile::Store::for_program("Harnlow", "Vyrsim");
    std::string name = store.GetProfileString("", "CFFileName", "");
    if (name.empty()) return std::nullopt;
    return name;
}

int run_console_session(std::span<const std::string> arguments, const std::filesystem::path& program_dir,
                        const std::optional<std::string>& remembered_skin, std::ostream& log) {
    auto parsed = parse_sim_command_line(arguments, program_dir);
    auto* options = take(parsed, log);
    if (!options) return 1;

    SkinList skins = find_skins(program_dir, options->skin_path);
    if (skins.problem) report(log, "warning", *skins.problem);
    if (skins.entries.empty()) {
        report(log, "error", sim_failure(kFindSkinError));
        return 1;
    }
    std::filesystem::path skin_path = start_skin_path(skins, program_dir, remembered_skin);
    auto loaded_skin = load_skin(skin_path);
    auto* skin = take(loaded_skin, log);
    if (!skin) return 1;
    LcdBuffers lcd = make_lcd_buffers(*skin);
    auto decoded_icon = decode_skin_icon(skin->icon_file, skin_path.string());
    if (!take(decoded_icon, log)) return 1;

    std::string link_space = ipc::link_namespace(options->ide_window);
    auto found_keys = rom_key_table(program_dir);
    auto* keys = take(found_keys, log);
    if (!keys) return 1;
    auto loaded_rom = load_rom_image(*options, *keys, link_space);
    auto* rom = take(loaded_rom, log);
    if (!rom) return 1;
    std::vector<SimFailure> warnings;
    auto opened_ram = open_ram_image(*options, program_dir, link_space, warnings);
    for (const SimFailure& warning : warnings) report(log, "warning", warning);
    auto* ram = take(opened_ram, log);
    if (!ram) return 1;

    log << "Talvask: skin \"" << skin->display_name << "\" " << skin->width << "x" << skin->height << ", LCD "
        << lcd.normal.columns << "x" << lcd.normal.rows << ", ROM " << rom->size << " bytes, RAM " << ram->block.size()
        << " bytes, " << (ram->warm ? "warm" : "cold") << " boot"
        << (options->debug ? ", debug link " + link_space : std::string()) << "\n";

    if (auto failed = write_back_memory_files(*options, program_dir, std::move(*rom), std::move(*ram))) {
        report(log, "error", *failed);
        return 1;
    }
    return 0;
}

}  // namespace sim
