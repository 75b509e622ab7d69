#pragma once
// A workspace manager over an in-memory tree, a scripted host and a profile
// in the test's own folder, which is also the project folder.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ide/workspace/memory_tree.h"
#include "ide/workspace/workspace_host.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace ide::testing {

class ScriptedHost : public WorkspaceHost {
public:
    bool AskOkCancel(std::string_view text) override { return Answer(text); }
    bool AskYesNo(std::string_view text) override { return Answer(text); }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> SaveAndListDocuments() override { return documents; }
    bool OpenDocument(std::string_view path) override {
        opened.emplace_back(path);
        return true;
    }
    void CloseAllDocuments() override { ++close_all_count; }
    std::optional<std::string> SelectBank(const std::vector<std::string>& names) override {
        offered_banks = names;
        return bank_choice;
    }
    void ShowWorkspaceTab(bool shown) override { tab_shown = shown; }

    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<std::string> documents;
    std::vector<std::string> opened;
    std::vector<std::string> offered_banks;
    std::optional<std::string> bank_choice;
    int close_all_count = 0;
    bool tab_shown = false;

private:
    bool Answer(std::string_view text) {
        questions.emplace_back(text);
        return answer;
    }
};

inline constexpr const char* kMainBankParam = " -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x1";

class WorkspaceFixture : public ::testing::Test {
protected:
    std::string Folder() const { return dir.path().string() + "/"; }
    std::string PathOf(std::string_view name) const { return Folder() + std::string(name); }
    std::string Read(std::string_view name) const { return testing_kit::read_file(dir / name); }
    // A new project GAME with the bank MAIN.
    void NewGame() {
        ASSERT_TRUE(manager.NewProject(PathOf("GAME.WSP"), "MAIN", kMainBankParam)) << manager.GetLastErrorText();
    }

    testing_kit::TempDir dir;
    testing_kit::ScopedCwd cwd{dir.path()};
    profile::Store profile{dir / "kit.profile"};
    MemoryTree tree;
    ScriptedHost host;
    CVyrWorkspaceManager manager{tree, host, profile};
};

}  // namespace ide::testing
