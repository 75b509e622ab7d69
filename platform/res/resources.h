#pragma once
// Resources as the programs' tables hold them: strings, menus, accelerator
// tables, dialog templates, toolbars and pictures, keyed by the ids the
// programs fix. The resource compiler turns the text form (README.md) into a
// function that returns a Module; a program registers its modules at start.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kit::res {

struct MenuItem {
    std::string text;
    unsigned id = 0;
    unsigned flags = 0;  // MF_ bits: grayed, checked, separator, help, menubarbreak
    bool popup = false;
    std::vector<MenuItem> children;
};

struct Menu {
    unsigned id = 0;
    std::vector<MenuItem> items;
};

struct Accelerator {
    std::uint8_t flags = 0;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
    std::uint16_t key = 0;
    std::uint16_t command = 0;
};

struct AcceleratorTable {
    unsigned id = 0;
    std::vector<Accelerator> entries;
};

// Positions and sizes in dialog units.
struct Control {
    std::string class_name;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR", or a registered class
    unsigned id = 0;
    std::string text;
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct Dialog {
    unsigned id = 0;
    std::string caption;
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string font_face;
    int font_size = 0;
    std::vector<Control> controls;
};

struct Toolbar {
    unsigned id = 0;
    int button_width = 16, button_height = 15;
    std::vector<unsigned> items;  // command ids; 0 is a separator
};

enum class PictureKind { bitmap, icon, cursor };

struct Picture {
    unsigned id = 0;
    PictureKind kind = PictureKind::bitmap;
    int width = 0, height = 0;
    int hot_x = 0, hot_y = 0;           // cursors
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB rows, top first; alpha 0 is transparent
};

struct Module {
    std::string name;
    std::map<unsigned, std::string> strings;
    std::vector<Menu> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<Dialog> dialogs;
    std::vector<Toolbar> toolbars;
    std::vector<Picture> pictures;
};

// Modules are searched newest first, so a program may override the kit's own.
void register_module(const Module* module);
void unregister_module(const Module* module);

const std::string* find_string(unsigned id);
const Menu* find_menu(unsigned id);
const AcceleratorTable* find_accelerators(unsigned id);
const Dialog* find_dialog(unsigned id);
const Toolbar* find_toolbar(unsigned id);
const Picture* find_picture(PictureKind kind, unsigned id);

}  // namespace kit::res
