#include "platform/res/compiler/cpp_writer.h"

#include <cstdio>
#include <sstream>

namespace kit::res {

namespace {

// A C++ string literal; octal escapes cannot run into the following characters,
// and a '?' after another is escaped so that no "??x" reads as a trigraph.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\' || (c == '?' && out.back() == '?')) {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03o", c);
            out += escaped;
        }
    }
    return out + "\"";
}

void write_items(std::ostringstream& out, const std::vector<MenuItem>& items, int indent) {
    std::string pad(size_t(indent), ' ');
    for (const auto& item : items) {
        out << pad << "kit::res::MenuItem{" << literal(item.text) << ", " << item.id << "u, " << item.flags << "u, "
            << (item.popup ? "true" : "false") << ", {\n";
        write_items(out, item.children, indent + 4);
        out << pad << "}},\n";
    }
}

}  // namespace

std::string module_as_cpp(const Module& m, const std::string& function, const std::string& source_name) {
    std::ostringstream out;
    out << "// Made by the resource compiler from " << source_name << "; edit that file instead.\n"
        << "#include \"platform/res/resources.h\"\n\n"
        << "const kit::res::Module& " << function << "() {\n"
        << "    static const kit::res::Module module = [] {\n"
        << "        kit::res::Module m;\n"
        << "        m.name = " << literal(m.name) << ";\n";
    for (const auto& [id, text] : m.strings)
        out << "        m.strings.emplace(" << id << "u, " << literal(text) << ");\n";
    for (const auto& menu : m.menus) {
        out << "        m.menus.push_back(kit::res::Menu{" << menu.id << "u, {\n";
        write_items(out, menu.items, 12);
        out << "        }});\n";
    }
    for (const auto& table : m.accelerators) {
        out << "        m.accelerators.push_back(kit::res::AcceleratorTable{" << table.id << "u, {";
        for (const auto& a : table.entries) out << "{" << int(a.flags) << ", " << a.key << ", " << a.command << "}, ";
        out << "}});\n";
    }
    for (const auto& d : m.dialogs) {
        out << "        m.dialogs.push_back(kit::res::Dialog{" << d.id << "u, " << literal(d.caption) << ", 0x"
            << std::hex << d.style << "u, 0x" << d.ex_style << "u, " << std::dec << d.x << ", " << d.y << ", " << d.cx
            << ", " << d.cy << ", " << literal(d.font_face) << ", " << d.font_size << ", {\n";
        for (const auto& c : d.controls) {
            out << "            {" << literal(c.class_name) << ", " << c.id << "u, " << literal(c.text) << ", 0x"
                << std::hex << c.style << "u, 0x" << c.ex_style << "u, " << std::dec << c.x << ", " << c.y << ", "
                << c.cx << ", " << c.cy << "},\n";
        }
        out << "        }});\n";
    }
    for (const auto& t : m.toolbars) {
        out << "        m.toolbars.push_back(kit::res::Toolbar{" << t.id << "u, " << t.button_width << ", "
            << t.button_height << ", {";
        for (unsigned item : t.items) out << item << "u, ";
        out << "}});\n";
    }
    for (const auto& p : m.pictures) {
        const char* kind = p.kind == PictureKind::bitmap ? "bitmap" : p.kind == PictureKind::icon ? "icon" : "cursor";
        out << "        m.pictures.push_back(kit::res::Picture{" << p.id << "u, kit::res::PictureKind::" << kind << ", "
            << p.width << ", " << p.height << ", " << p.hot_x << ", " << p.hot_y << ", {" << std::hex;
        for (size_t i = 0; i < p.pixels.size(); ++i)
            out << (i % 8 == 0 ? "\n            " : " ") << "0x" << p.pixels[i] << "u,";
        out << std::dec << "\n        }});\n";
    }
    out << "        return m;\n"
        << "    }();\n"
        << "    return module;\n"
        << "}\n";
    return out.str();
}

}  // namespace kit::res
