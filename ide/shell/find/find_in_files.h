#pragma once
// Find in Files without windows: searches the files of a folder (and its
// subfolders when asked) that match the file-type masks, and writes the
// listing the Find in Files panes show, line by line:
//   Searching for 'text' ...
//   /folder/sub/file.asm(12): the line
//   3 occurrence(s) have been found.        (or: Cannot find the string 'text'.)
// Each mask walks the tree in turn: a folder's files in name order, then its
// subfolders in name order. A file already searched for an earlier mask is
// not searched again; empty and binary files are not searched; folders whose
// names begin with '.' are left out, and a folder reached again through a
// symbolic link is not searched twice.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "ide/shell/find/line_search.h"

namespace ide {

struct FindRequest {
    FindQuery query;
    std::string masks;   // "*.c;*.h"
    std::string folder;  // a '/' is added when it has none
    bool subfolders = false;
};

struct FindSummary {
    int hits = 0;
    int files_searched = 0;
    bool stopped = false;
};

// One listing line, without its line end.
using FindLineSink = std::function<void(std::string_view)>;

// Longest listing line, and longest piece of a found line it quotes.
inline constexpr std::size_t kMaxListingLine = 1024;
inline constexpr std::size_t kMaxQuotedLine = 4095;

// Runs the search; `stop` set on another thread ends it after the current file.
FindSummary FindInFiles(const FindRequest& request, const FindLineSink& sink, const std::atomic<bool>* stop = nullptr);

// Writes the listing line for a hit into `line`: "path(line): text", at most
// kMaxListingLine characters; control characters of the text (TAB aside)
// become spaces so the pane keeps it as one line.
void FormatHitLine(std::string& line, std::string_view path, int line_number, std::string_view text);

}  // namespace ide
