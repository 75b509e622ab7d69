#include "ide/shell/print_pages.h"

#include <filesystem>

namespace shell {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kKey = "Print Folder";

}  // namespace

std::string PrintFolder(profile::Store& store, const std::string& document_path) {
    const std::string chosen = store.GetProfileString(kSection, kKey, "");
    if (!chosen.empty()) return chosen;
    const std::filesystem::path beside = std::filesystem::path(document_path).parent_path();
    return beside.empty() ? std::filesystem::current_path().string() : beside.string();
}

void SetPrintFolder(profile::Store& store, const std::string& folder) {
    store.WriteProfileString(kSection, kKey, folder);
}

}  // namespace shell
