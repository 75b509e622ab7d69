// SECEdit: language settings, the keyword table and keyword colours.
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "editor/sec_edit.h"
#include "platform/os/file.h"
#include "platform/os/module.h"
#include "platform/os/path.h"

namespace editor {
namespace {

constexpr size_t kKeywordSlots = 2048;
constexpr size_t kLongestStoredKeyword = 23;
constexpr size_t kLongestDelimiter = 15;
constexpr std::string_view kKeywordSection = "Keywords";
constexpr std::string_view kMissing = "godzilla";

uint32_t HashKeyword(std::string_view word) {
    uint32_t hash = 0;
    for (size_t i = 0; i < word.size() && i < 259; ++i) hash = hash * 33 + static_cast<unsigned char>(word[i]);
    return hash;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

void MarkBytes(bool (&table)[256], std::string_view bytes) {
    for (bool& entry : table) entry = false;
    for (char byte : bytes) table[static_cast<unsigned char>(byte)] = true;
}

}  // namespace

void SECEdit::LoadLanguageSettings() {
    keyword_table_.clear();
    const std::string& section = settings_section_;
    std::string keywords = profile_.GetProfileString(section, "Keywords", "Default.ini");
    // A name not found from the current folder is looked for beside the program.
    std::filesystem::path found = os::resolve_existing(keywords);
    if (!os::file_exists(found.string()))
        found = os::resolve_existing((os::module_directory() / os::map_path(keywords)).string());
    keywords_file_ = found;

    auto colour = [&](std::string_view key, COLORREF fallback) {
        return static_cast<COLORREF>(profile_.GetProfileInt(section, key, static_cast<int>(fallback))) & 0xFFFFFF;
    };
    auto delimiter = [&](std::string_view key) {
        std::string text = profile_.GetProfileString(section, key, "");
        if (text.size() > kLongestDelimiter) text.resize(kLongestDelimiter);
        return text;
    };
    colouring_on_ = profile_.GetProfileInt(section, "Chroma", 0);
    comment_colour_ = colour("Comment", RGB(0, 128, 0));
    keyword_colour_ = colour("Keyword", RGB(0, 0, 255));
    quote_colour_ = colour("Quote", RGB(255, 0, 0));
    single_quote_colour_ = colour("SQuote", RGB(0, 0, 0));
    text_colour_ = colour("Default Text", RGB(0, 0, 0));
    background_colour_ = colour("Background", RGB(255, 255, 255));
    comment_start1_ = delimiter("Comment Start 1");
    comment_end1_ = delimiter("Comment End 1");
    comment_start2_ = delimiter("Comment Start 2");
    comment_end2_ = delimiter("Comment End 2");
    auto_indent_ = profile_.GetProfileInt(section, "Autoindent", 1);
    case_sensitive_ = profile_.GetProfileInt(section, "Case", 0);
    MarkBytes(word_chars_, profile_.GetProfileString(section, "Extra word chars", ""));
    MarkBytes(terminator_chars_, profile_.GetProfileString(section, "Terminator chars", ""));
    MarkBytes(start_chars_, profile_.GetProfileString(section, "Start chars", ""));
    comment_cache_lines_ = 0;
    LoadKeywords();
}

int SECEdit::LoadKeywords() {
    keyword_table_.clear();
    auto image = os::read_text_file(keywords_file_.string(), profile::kLargestIniFile);
    if (!image) {
        colouring_on_ = 0;
        return 0;
    }
    keywords_ini_ = profile::IniFile::parse(image.value());
    std::vector<std::string> keys = keywords_ini_.keys(kKeywordSection);
    if (keys.empty()) keys = keywords_ini_.keys(keywords_file_.stem().string());
    if (keys.empty()) {
        colouring_on_ = 0;
        return 0;
    }
    keyword_table_.assign(kKeywordSlots, KeywordEntry{});
    size_t stored = 0;
    for (const std::string& key : keys) {
        if (key.size() > kLongestStoredKeyword || stored == kKeywordSlots - 1) continue;
        std::string text = case_sensitive_ ? key : Upper(key);
        size_t slot = HashKeyword(text) % kKeywordSlots;
        while (!keyword_table_[slot].text.empty()) slot = (slot + 1) % kKeywordSlots;
        keyword_table_[slot].text = std::move(text);
        ++stored;
    }
    return 1;
}

bool SECEdit::IsWordChar(unsigned char byte) const { return std::isalnum(byte) || word_chars_[byte]; }

int SECEdit::FindNextKeyword(std::string_view text, int* from, int* start, int* end) {
    if (keyword_table_.empty() && !LoadKeywords()) return 0;
    auto word_byte = [&](size_t at) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        return byte == '_' || IsWordChar(byte);
    };
    size_t at = static_cast<size_t>(std::max(*from, 0));
    while (text.size() >= 2 && at < text.size()) {
        while (at < text.size() && !word_byte(at)) ++at;
        if (at >= text.size()) break;
        size_t word_start = at;
        bool ends = terminator_chars_[static_cast<unsigned char>(text[at++])];
        while (!ends && at < text.size() && word_byte(at) && !start_chars_[static_cast<unsigned char>(text[at])])
            ends = terminator_chars_[static_cast<unsigned char>(text[at++])];
        std::string_view word = text.substr(word_start, at - word_start);

        KeywordEntry* hit = nullptr;
        if (word.size() < kLongestStoredKeyword) {
            std::string key = case_sensitive_ ? std::string(word) : Upper(word);
            size_t slot = HashKeyword(key) % kKeywordSlots;
            for (size_t probes = 0; probes < kKeywordSlots && !keyword_table_[slot].text.empty(); ++probes) {
                if (keyword_table_[slot].text == key) {
                    hit = &keyword_table_[slot];
                    break;
                }
                slot = (slot + 1) % kKeywordSlots;
            }
        }
        bool long_keyword =
            !hit && word.size() >= kLongestStoredKeyword && !keywords_ini_.get(kKeywordSection, word).empty();
        if (hit || long_keyword) {
            if (hit && hit->colour == 0xFFFFFFFF) hit->colour = GetColourByName(word);
            *start = static_cast<int>(word_start);
            *end = static_cast<int>(at);
            *from = *end;
            return 1;
        }
    }
    *from = static_cast<int>(text.size());
    return 0;
}

COLORREF SECEdit::GetColourByName(std::string_view keyword) {
    std::string name = keywords_ini_.get(kKeywordSection, keyword, kMissing);
    if (name.size() > 127) name.resize(127);
    std::string value = keywords_ini_.get("Colors", name, kMissing);
    return value != kMissing ? ParseColour(value) : keyword_colour_;
}

COLORREF SECEdit::ParseColour(std::string_view text) {
    int fields[3] = {0, 0, 0};
    for (int& field : fields) {
        size_t comma = text.find(',');
        field = std::atoi(std::string(text.substr(0, comma)).c_str());
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return RGB(fields[0], fields[1], fields[2]);
}

int SECEdit::AddExtraCommentType(std::string_view start, std::string_view end) {
    if (start.empty() || start == comment_start1_ || start == comment_start2_) return -1;
    for (const OEExtraCommentType& type : extra_comment_types_)
        if (type.start == start) return -1;
    extra_comment_types_.push_back({std::string(start), std::string(end)});
    comment_cache_lines_ = 0;
    return kCommentExtraBase + static_cast<int>(extra_comment_types_.size()) - 1;
}

}  // namespace editor
