#include "platform/res/compiler/resource_parser.h"

#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "platform/user/accelerator_api.h"
#include "platform/user/control_styles.h"
#include "platform/user/keys.h"
#include "platform/user/menu_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/styles.h"

namespace kit::res {

namespace {

struct Token {
    enum Kind { word, number, string, end } kind = end;
    std::string text;
    long long value = 0;
    int line = 0;
};

// Splits the text into words, numbers and quoted strings; '#' starts a comment.
class Lexer {
public:
    Lexer(std::string_view text, std::vector<Diagnostic>& errors) : text_(text), errors_(errors) {}

    Token next() {
        skip_space();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) return t;
        char c = text_[pos_];
        if (c == '"') return quoted(t);
        size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) && text_[pos_] != '"' &&
               text_[pos_] != '#') {
            ++pos_;
        }
        t.text = std::string(text_.substr(start, pos_ - start));
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
            if (parse_number(t.text, t.value)) {
                t.kind = Token::number;
                return t;
            }
            errors_.push_back({line_, 1002, "bad number '" + t.text + "'"});
        }
        t.kind = Token::word;
        return t;
    }

private:
    std::string_view text_;
    std::vector<Diagnostic>& errors_;
    size_t pos_ = 0;
    int line_ = 1;

    void skip_space() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    Token quoted(Token t) {
        t.kind = Token::string;
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\n') {
            char c = text_[pos_++];
            if (c != '\\' || pos_ >= text_.size()) {
                t.text += c;
                continue;
            }
            char e = text_[pos_++];
            switch (e) {
                case 't': t.text += '\t'; break;
                case 'n': t.text += '\n'; break;
                case 'r': t.text += '\r'; break;
                case '\\': t.text += '\\'; break;
                case '"': t.text += '"'; break;
                default: errors_.push_back({line_, 1003, std::string("unknown escape \\") + e}); break;
            }
        }
        if (pos_ >= text_.size() || text_[pos_] != '"') {
            errors_.push_back({line_, 1004, "string not closed on its line"});
        } else {
            ++pos_;
        }
        return t;
    }

    static bool parse_number(const std::string& s, long long& out) {
        std::string_view v = s;
        bool negative = !v.empty() && v[0] == '-';
        if (negative) v.remove_prefix(1);
        int base = 10;
        if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
            v.remove_prefix(2);
            base = 16;
        }
        unsigned long long value = 0;
        auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value, base);
        if (ec != std::errc() || end != v.data() + v.size() || value > 0xFFFFFFFFull) return false;
        out = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
        return true;
    }
};

const std::map<std::string, std::uint32_t>& style_names() {
    static const std::map<std::string, std::uint32_t> names = {
        {"child", WS_CHILD},
        {"popup", WS_POPUP},
        {"visible", WS_VISIBLE},
        {"disabled", WS_DISABLED},
        {"caption", WS_CAPTION},
        {"sysmenu", WS_SYSMENU},
        {"border", WS_BORDER},
        {"thickframe", WS_THICKFRAME},
        {"dlgframe", WS_DLGFRAME},
        {"vscroll", WS_VSCROLL},
        {"hscroll", WS_HSCROLL},
        {"group", WS_GROUP},
        {"tabstop", WS_TABSTOP},
        {"clipchildren", WS_CLIPCHILDREN},
        {"clipsiblings", WS_CLIPSIBLINGS},
        {"modalframe", DS_MODALFRAME},
        {"center", DS_CENTER},
        {"multiline", ES_MULTILINE},
        {"autohscroll", ES_AUTOHSCROLL},
        {"autovscroll", ES_AUTOVSCROLL},
        {"readonly", ES_READONLY},
        {"password", ES_PASSWORD},
        {"wantreturn", ES_WANTRETURN},
        {"number", ES_NUMBER},
        {"notify", LBS_NOTIFY},
        {"sort", LBS_SORT},
        {"multiplesel", LBS_MULTIPLESEL},
        {"extendedsel", LBS_EXTENDEDSEL},
        {"dropdown", CBS_DROPDOWN},
        {"dropdownlist", CBS_DROPDOWNLIST},
        {"vert", SBS_VERT},
        {"sunken", SS_SUNKEN},
        {"noprefix", SS_NOPREFIX},
        {"lefttext", BS_LEFTTEXT},
    };
    return names;
}

const std::map<std::string, std::uint32_t>& ex_style_names() {
    static const std::map<std::string, std::uint32_t> names = {
        {"clientedge", WS_EX_CLIENTEDGE},       {"staticedge", WS_EX_STATICEDGE}, {"toolwindow", WS_EX_TOOLWINDOW},
        {"dlgmodalframe", WS_EX_DLGMODALFRAME}, {"topmost", WS_EX_TOPMOST},
    };
    return names;
}

struct ControlKind {
    const char* class_name;
    std::uint32_t style;
};

const std::map<std::string, ControlKind>& control_kinds() {
    static const std::map<std::string, ControlKind> kinds = {
        {"pushbutton", {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP}},
        {"defpushbutton", {"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP}},
        {"checkbox", {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP}},
        {"radiobutton", {"BUTTON", BS_AUTORADIOBUTTON}},
        {"groupbox", {"BUTTON", BS_GROUPBOX}},
        {"ltext", {"STATIC", SS_LEFT | WS_GROUP}},
        {"ctext", {"STATIC", SS_CENTER | WS_GROUP}},
        {"rtext", {"STATIC", SS_RIGHT | WS_GROUP}},
        {"edittext", {"EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP}},
        {"listbox", {"LISTBOX", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP}},
        {"combobox", {"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP}},
        {"scrollbar", {"SCROLLBAR", SBS_HORZ}},
    };
    return kinds;
}

std::optional<std::uint16_t> virtual_key(const std::string& name) {
    static const std::map<std::string, int> keys = {
        {"BACK", VK_BACK},   {"TAB", VK_TAB},     {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"SPACE", VK_SPACE},
        {"PRIOR", VK_PRIOR}, {"NEXT", VK_NEXT},   {"END", VK_END},       {"HOME", VK_HOME},     {"LEFT", VK_LEFT},
        {"UP", VK_UP},       {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN},     {"INSERT", VK_INSERT}, {"DELETE", VK_DELETE},
        {"F1", VK_F1},       {"F2", VK_F2},       {"F3", VK_F3},         {"F4", VK_F4},         {"F5", VK_F5},
        {"F6", VK_F6},       {"F7", VK_F7},       {"F8", VK_F8},         {"F9", VK_F9},         {"F10", VK_F10},
        {"F11", VK_F11},     {"F12", VK_F12},     {"PAUSE", VK_PAUSE},   {"CANCEL", VK_CANCEL},
    };
    auto it = keys.find(name);
    if (it == keys.end()) return std::nullopt;
    return std::uint16_t(it->second);
}

class Parser {
public:
    Parser(std::string_view text, std::string name) : lexer_(text, result_.errors) {
        result_.module.name = std::move(name);
        advance();
    }

    ParseResult run() {
        while (tok_.kind != Token::end) statement();
        return std::move(result_);
    }

private:
    Lexer lexer_;
    ParseResult result_;
    Token tok_;
    std::map<std::string, long long> defines_;
    std::set<std::pair<std::string, unsigned>> seen_;

    int previous_line_ = 1;  // of the token just consumed, for errors about its value

    void advance() {
        previous_line_ = tok_.line ? tok_.line : 1;
        tok_ = lexer_.next();
    }
    void error(int code, const std::string& message) { result_.errors.push_back({tok_.line, code, message}); }
    void error_before(int code, const std::string& message) {
        result_.errors.push_back({previous_line_, code, message});
    }
    bool is_word(const char* w) const { return tok_.kind == Token::word && tok_.text == w; }

    // Skips to the end of the current block after an error, so parsing can go on.
    void recover() {
        int depth = 0;
        while (tok_.kind != Token::end) {
            if (is_word("popup") || is_word("palette") || is_word("rows")) ++depth;
            if (is_word("end")) {
                if (depth == 0) {
                    advance();
                    return;
                }
                --depth;
            }
            advance();
        }
    }

    std::optional<long long> number() {
        if (tok_.kind == Token::number) {
            long long v = tok_.value;
            advance();
            return v;
        }
        if (tok_.kind == Token::word) {
            auto it = defines_.find(tok_.text);
            if (it != defines_.end()) {
                advance();
                return it->second;
            }
            error(2001, "'" + tok_.text + "' is not a number or a defined name");
            advance();
        } else {
            error(1001, "a number is expected here");
        }
        return std::nullopt;
    }

    std::optional<unsigned> id(const char* kind) {
        auto v = number();
        if (!v) return std::nullopt;
        if (*v < 0 || *v > 0xFFFF) {
            error_before(2002, std::string("the ") + kind + " id " + std::to_string(*v) + " is outside 0..65535");
            return std::nullopt;
        }
        if (!seen_.insert({kind, unsigned(*v)}).second) {
            error_before(3001, std::string("the ") + kind + " id " + std::to_string(*v) + " is used twice");
        }
        return unsigned(*v);
    }

    std::optional<std::string> string() {
        if (tok_.kind != Token::string) {
            error(1005, "a quoted string is expected here");
            return std::nullopt;
        }
        std::string s = tok_.text;
        advance();
        return s;
    }

    bool expect_end() {
        if (is_word("end")) {
            advance();
            return true;
        }
        error(1006, tok_.kind == Token::end ? "the file ends inside a block" : "'end' is expected here");
        recover();
        return false;
    }

    void statement() {
        if (tok_.kind != Token::word) {
            error(1007, "a statement keyword is expected here");
            advance();
            return;
        }
        std::string keyword = tok_.text;
        advance();
        if (keyword == "define") return define();
        if (keyword == "strings") return strings();
        if (keyword == "menu") return menu();
        if (keyword == "accelerators") return accelerators();
        if (keyword == "dialog") return dialog();
        if (keyword == "toolbar") return toolbar();
        if (keyword == "bitmap") return picture(PictureKind::bitmap);
        if (keyword == "icon") return picture(PictureKind::icon);
        if (keyword == "cursor") return picture(PictureKind::cursor);
        error(1008, "unknown statement '" + keyword + "'");
        recover();
    }

    void define() {
        if (tok_.kind != Token::word) {
            error(1009, "a name is expected after 'define'");
            return;
        }
        std::string name = tok_.text;
        advance();
        if (auto v = number()) {
            if (!defines_.emplace(name, *v).second) error(3002, "'" + name + "' is defined twice");
        }
    }

    void strings() {
        while (tok_.kind != Token::end && !is_word("end")) {
            auto key = id("string");
            auto text = string();
            if (!key || !text) {
                if (tok_.kind != Token::end && !is_word("end")) advance();
                continue;
            }
            result_.module.strings[*key] = *text;
        }
        expect_end();
    }

    unsigned item_flags() {
        unsigned flags = 0;
        for (;;) {
            if (is_word("grayed"))
                flags |= MF_GRAYED;
            else if (is_word("checked"))
                flags |= MF_CHECKED;
            else if (is_word("help"))
                flags |= MF_HELP;
            else if (is_word("break"))
                flags |= MF_MENUBARBREAK;
            else
                return flags;
            advance();
        }
    }

    bool menu_items(std::vector<MenuItem>& items) {
        while (tok_.kind != Token::end && !is_word("end")) {
            MenuItem item;
            if (is_word("separator")) {
                advance();
                item.flags = MF_SEPARATOR;
            } else if (is_word("item")) {
                advance();
                auto v = number();
                if (!v) return false;
                auto text = string();
                if (!text) return false;
                item.id = unsigned(*v);
                item.text = *text;
                item.flags = item_flags();
            } else if (is_word("popup")) {
                advance();
                auto text = string();
                if (!text) return false;
                item.popup = true;
                item.text = *text;
                item.flags = item_flags();
                if (!menu_items(item.children) || !expect_end()) return false;
            } else {
                error(1010, "'item', 'popup', 'separator' or 'end' is expected in a menu");
                return false;
            }
            items.push_back(std::move(item));
        }
        return true;
    }

    void menu() {
        Menu m;
        auto key = id("menu");
        if (!key) return recover();
        m.id = *key;
        if (!menu_items(m.items)) return recover();
        if (expect_end()) result_.module.menus.push_back(std::move(m));
    }

    void accelerators() {
        AcceleratorTable table;
        auto key = id("accelerators");
        if (!key) return recover();
        table.id = *key;
        while (tok_.kind != Token::end && !is_word("end")) {
            Accelerator a;
            while (is_word("ctrl") || is_word("shift") || is_word("alt")) {
                a.flags |= is_word("ctrl") ? FCONTROL : is_word("shift") ? FSHIFT : FALT;
                advance();
            }
            if (tok_.kind == Token::string && tok_.text.size() == 1) {
                char c = tok_.text[0];
                // With a modifier a letter names its key; alone it is the character itself.
                if (a.flags & (FCONTROL | FSHIFT | FALT)) {
                    a.flags |= FVIRTKEY;
                    a.key = std::uint16_t(std::toupper(static_cast<unsigned char>(c)));
                } else {
                    a.key = std::uint16_t(static_cast<unsigned char>(c));
                }
            } else if (tok_.kind == Token::word && virtual_key(tok_.text)) {
                a.flags |= FVIRTKEY;
                a.key = *virtual_key(tok_.text);
            } else {
                error(2003, "'" + tok_.text + "' is not a key (a one-character string or a key name such as F5)");
                return recover();
            }
            advance();
            auto command = number();
            if (!command) return recover();
            a.command = std::uint16_t(*command);
            table.entries.push_back(a);
        }
        if (expect_end()) result_.module.accelerators.push_back(std::move(table));
    }

    bool styles(std::uint32_t& style, std::uint32_t& ex_style) {
        for (;;) {
            if (tok_.kind == Token::number) {
                style |= std::uint32_t(tok_.value);
            } else if (is_word("hidden")) {
                style &= ~WS_VISIBLE;
            } else if (is_word("notabstop")) {
                style &= ~WS_TABSTOP;
            } else if (tok_.kind == Token::word && style_names().count(tok_.text)) {
                style |= style_names().at(tok_.text);
            } else if (tok_.kind == Token::word && ex_style_names().count(tok_.text)) {
                ex_style |= ex_style_names().at(tok_.text);
            } else {
                return true;
            }
            advance();
        }
    }

    bool rectangle(int& x, int& y, int& cx, int& cy) {
        auto a = number();
        auto b = a ? number() : std::nullopt;
        auto c = b ? number() : std::nullopt;
        auto d = c ? number() : std::nullopt;
        if (!d) return false;
        if (*c < 0 || *d < 0 || *c > 0x7FFF || *d > 0x7FFF) {
            error_before(2004, "a size must be between 0 and 32767");
            return false;
        }
        x = int(*a), y = int(*b), cx = int(*c), cy = int(*d);
        return true;
    }

    void dialog() {
        Dialog d;
        auto key = id("dialog");
        if (!key) return recover();
        d.id = *key;
        auto caption = string();
        if (!caption || !rectangle(d.x, d.y, d.cx, d.cy)) return recover();
        d.caption = *caption;
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        while (tok_.kind != Token::end && !is_word("end")) {
            if (is_word("font")) {
                advance();
                auto size = number();
                auto face = string();
                if (!size || !face) return recover();
                d.font_size = int(*size);
                d.font_face = *face;
                d.style |= DS_SETFONT;
            } else if (is_word("style")) {
                advance();
                d.style = DS_SETFONT & d.style;
                styles(d.style, d.ex_style);
            } else if (!control(d)) {
                return recover();
            }
        }
        if (expect_end()) result_.module.dialogs.push_back(std::move(d));
    }

    bool control(Dialog& d) {
        Control c;
        c.style = WS_CHILD | WS_VISIBLE;
        if (is_word("control")) {
            advance();
            auto cls = string();
            if (!cls) return false;
            c.class_name = *cls;
        } else if (tok_.kind == Token::word && control_kinds().count(tok_.text)) {
            const ControlKind& kind = control_kinds().at(tok_.text);
            c.class_name = kind.class_name;
            c.style |= kind.style;
            advance();
        } else {
            error(1011, "'" + tok_.text + "' is not a control kind");
            return false;
        }
        auto v = number();
        if (!v) return false;
        auto text = string();
        if (!text || !rectangle(c.x, c.y, c.cx, c.cy)) return false;
        c.id = unsigned(*v);
        c.text = *text;
        styles(c.style, c.ex_style);
        for (const auto& other : d.controls) {
            if (c.id != 0 && c.id != 0xFFFF && other.id == c.id) {
                error_before(3003,
                             "control id " + std::to_string(c.id) + " appears twice in dialog " + std::to_string(d.id));
            }
        }
        d.controls.push_back(std::move(c));
        return true;
    }

    void toolbar() {
        Toolbar t;
        auto key = id("toolbar");
        auto w = number(), h = number();
        if (!key || !w || !h) return recover();
        t.id = *key;
        t.button_width = int(*w);
        t.button_height = int(*h);
        while (tok_.kind != Token::end && !is_word("end")) {
            if (is_word("separator")) {
                advance();
                t.items.push_back(0);
            } else if (is_word("button")) {
                advance();
                auto command = number();
                if (!command) return recover();
                t.items.push_back(unsigned(*command));
            } else {
                error(1012, "'button', 'separator' or 'end' is expected in a toolbar");
                return recover();
            }
        }
        if (expect_end()) result_.module.toolbars.push_back(std::move(t));
    }

    void picture(PictureKind kind) {
        Picture p;
        p.kind = kind;
        auto key = id(kind == PictureKind::bitmap ? "bitmap" : kind == PictureKind::icon ? "icon" : "cursor");
        if (!key) return recover();
        p.id = *key;
        if (is_word("hotspot")) {
            advance();
            auto x = number(), y = number();
            if (!x || !y) return recover();
            p.hot_x = int(*x);
            p.hot_y = int(*y);
        }
        std::map<char, std::uint32_t> palette;
        if (!is_word("palette")) {
            error(1013, "a picture starts with its 'palette'");
            return recover();
        }
        advance();
        while (tok_.kind == Token::string) {
            if (tok_.text.size() != 1) error(2005, "a palette key is one character");
            char key_char = tok_.text.empty() ? ' ' : tok_.text[0];
            advance();
            if (is_word("none")) {
                advance();
                palette[key_char] = 0;
                continue;
            }
            auto colour = number();
            if (!colour) return recover();
            palette[key_char] = 0xFF000000u | (std::uint32_t(*colour) & 0xFFFFFF);
        }
        if (!expect_end()) return;
        if (!is_word("rows")) {
            error(1014, "the palette is followed by the picture's 'rows'");
            return recover();
        }
        advance();
        while (tok_.kind == Token::string) {
            const std::string& row = tok_.text;
            if (p.width == 0) p.width = int(row.size());
            if (int(row.size()) != p.width) error(2006, "every row of a picture has the same width");
            for (char c : row) {
                auto it = palette.find(c);
                if (it == palette.end()) error(2007, std::string("'") + c + "' is not in the palette");
                p.pixels.push_back(it == palette.end() ? 0 : it->second);
            }
            ++p.height;
            advance();
        }
        if (!expect_end() || !expect_end()) return;
        if (p.width == 0 || p.height == 0) {
            error(2008, "a picture needs at least one row");
            return;
        }
        if (p.pixels.size() != size_t(p.width) * size_t(p.height)) return;  // reported above
        result_.module.pictures.push_back(std::move(p));
    }
};

}  // namespace

ParseResult parse_resources(std::string_view text, std::string module_name) {
    return Parser(text, std::move(module_name)).run();
}

std::string format_diagnostic(const std::string& file, const Diagnostic& d) {
    char code[16];
    std::snprintf(code, sizeof code, "R%04d", d.code);
    return file + "(" + std::to_string(d.line) + "): error " + code + ": " + d.message;
}

}  // namespace kit::res
