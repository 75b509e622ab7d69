#include "simulator/window/message_boxes.h"

#include <string>

#include "platform/user/user.h"

namespace simwin {

std::string load_text(unsigned id) {
    char text[1024];
    int length = LoadString(nullptr, id, text, sizeof text);
    return length > 0 ? std::string(text, std::size_t(length)) : std::string();
}

void show_message(const std::string& text, const std::string& caption) {
    MessageBox(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

void show_text_error(const std::string& text) { show_message(text, "Error"); }

void show_resource_error(unsigned id) {
    std::string text = load_text(id);
    if (text.empty()) return show_message("Fail to Load String from Resource ID:" + std::to_string(id) + " !", "");
    show_text_error(text);
}

void show_system_error(unsigned id, const std::string& system_text) {
    if (system_text.empty())
        return show_message("Format Error Message Fail, Maybe the Message String is not big enough", "System Error");
    show_message(system_text, load_text(id));
}

void show_failure(const sim::SimFailure& failure) { show_message(failure.text, failure.caption); }

}  // namespace simwin
