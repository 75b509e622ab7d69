#pragma once
// A project in the test's folder with the build's programs in "tools/" (the
// profile's "Executable files") and the IDE's own folder "app/".
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "ide/build/build_manager.h"
#include "ide/build/command_lines.h"
#include "ide/build/tool_programs.h"
#include "ide/workspace/tests/workspace_fixture.h"

namespace ide::testing {

// Collects the build's lines; safe to read once the build has ended.
class RecordingSink : public BuildOutputSink {
public:
    void AppendLine(std::string_view line) override {
        std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }
    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class BuildFixture : public WorkspaceFixture {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir / "tools");
        std::filesystem::create_directories(dir / "app");
        profile.WriteProfileString(kDirectoriesSection, "Executable files", ToolsFolder());
    }

    std::string ToolsFolder() const { return Folder() + "tools"; }
    std::string AppFolder() const { return Folder() + "app/"; }

    // An executable file in tools/.
    void WriteTool(std::string_view name, std::string_view script = "#!/bin/sh\nexit 0\n") {
        const auto path = dir.write("tools/" + std::string(name), script);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }

    JobContext Context() { return {manager, profile, AppFolder(), CollectSourceFiles(manager)}; }

    // The rows as "flag tool|text" lines, with the folders written as <D>, <T> and <A>.
    std::string Dump(const std::vector<BuildJob>& jobs) const {
        std::string out;
        for (const BuildJob& job : jobs) out += std::to_string(job.flag) + " " + job.tool + "|" + job.text + "\n";
        for (const auto& [from, to] :
             {std::pair{AppFolder(), std::string("<A>")}, {ToolsFolder() + "\\", "<T>\\"}, {Folder(), "<D>"}}) {
            for (std::size_t at; (at = out.find(from)) != std::string::npos;) out.replace(at, from.size(), to);
        }
        return out;
    }

    RecordingSink sink;
};

}  // namespace ide::testing
