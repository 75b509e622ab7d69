#pragma once
// Runs the ipc_peer helper beside the test and talks to it line by line.
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "testing/golden.h"

extern char** environ;

class PeerProcess {
public:
    explicit PeerProcess(std::vector<std::string> arguments) {
        std::string program = (std::filesystem::path(KIT_BIN_DIR).parent_path() / "tests" / "ipc_peer").string();
        arguments.insert(arguments.begin(), program);
        std::vector<char*> argv;
        for (auto& a : arguments) argv.push_back(a.data());
        argv.push_back(nullptr);
        int to_child[2], from_child[2];
        if (pipe(to_child) != 0 || pipe(from_child) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
        posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
        posix_spawn_file_actions_addclose(&actions, to_child[1]);
        posix_spawn_file_actions_addclose(&actions, from_child[0]);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(to_child[0]);
        close(from_child[1]);
        input_ = fdopen(to_child[1], "w");
        output_ = fdopen(from_child[0], "r");
    }
    ~PeerProcess() {
        if (input_) fclose(input_);
        if (pid_ > 0) kill_now();
        if (output_) fclose(output_);
    }

    bool started() const { return pid_ > 0; }
    // The next line the peer printed, without its end; empty when it ended.
    std::string read_line() {
        char line[256];
        if (!output_ || !fgets(line, sizeof line, output_)) return "";
        std::string text = line;
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }
    void write_line(const std::string& text) {
        fprintf(input_, "%s\n", text.c_str());
        fflush(input_);
    }
    // Waits for the peer to end and returns its exit code (-1 when killed).
    int wait() {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void kill_now() {
        kill(pid_, SIGKILL);
        wait();
    }

private:
    pid_t pid_ = -1;
    FILE* input_ = nullptr;
    FILE* output_ = nullptr;
};
