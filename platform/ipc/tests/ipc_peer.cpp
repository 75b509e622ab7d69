// The other process of the ipc tests. It speaks one line at a time on its
// standard input and output, so the test decides when each step happens.
//   echo <own window> <reply window> <count>   return each message received
//   serve <own window>                          keep a port open until killed
//   handles <count>                             allocate and print window handles
//   hold <namespace> <name>                     own a memory mapping until killed
//   file <namespace> <name> <path> <size>       own a file mapping; obey "set <offset> <byte>" and "quit"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"

namespace {

void say(const std::string& line) { std::cout << line << std::endl; }

int fail(const std::string& why) {
    std::cerr << "ipc_peer: " << why << "\n";
    return 2;
}

unsigned long number(const char* text) { return std::strtoul(text, nullptr, 10); }

int echo(ipc::WindowHandle own, ipc::WindowHandle reply, unsigned long count) {
    std::string why;
    auto port = ipc::MessagePort::open(own, &why);
    if (!port) return fail(why);
    say("ready");
    for (unsigned long i = 0; i < count; ++i) {
        auto message = port->receive(10000);
        if (!message) return fail("no message " + std::to_string(i));
        if (!ipc::post_message(reply, message->message, message->wparam, message->lparam)) return fail("post failed");
    }
    return 0;
}

int serve(ipc::WindowHandle own) {
    std::string why;
    auto port = ipc::MessagePort::open(own, &why);
    if (!port) return fail(why);
    say("ready");
    for (;;) pause();
}

int handles(unsigned long count) {
    for (unsigned long i = 0; i < count; ++i) say(std::to_string(ipc::allocate_window_handle()));
    return 0;
}

int hold(const std::string& space, const std::string& name) {
    std::string why;
    auto mapping = ipc::SharedMapping::create_in_memory(space, name, 4096, &why);
    if (!mapping) return fail(why);
    say("ready");
    for (;;) pause();
}

int file(const std::string& space, const std::string& name, const char* path, unsigned long size) {
    std::string why;
    auto mapping = ipc::SharedMapping::create_over_file(space, name, path, size, ipc::FileStart::Fresh, &why);
    if (!mapping) return fail(why);
    say("ready");
    std::string command;
    while (std::cin >> command) {
        if (command == "quit") return 0;
        unsigned long offset = 0, value = 0;
        std::cin >> offset >> value;
        if (offset >= mapping->size()) return fail("offset out of range");
        mapping->data()[offset] = static_cast<uint8_t>(value);
        say("ok " + std::to_string(mapping->data()[offset + 1]));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "echo" && argc == 5) return echo(number(argv[2]), number(argv[3]), number(argv[4]));
    if (verb == "serve" && argc == 3) return serve(number(argv[2]));
    if (verb == "handles" && argc == 3) return handles(number(argv[2]));
    if (verb == "hold" && argc == 4) return hold(argv[2], argv[3]);
    if (verb == "file" && argc == 6) return file(argv[2], argv[3], argv[4], number(argv[5]));
    return fail("unknown command");
}
