#include "ide/shell/find/find_in_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "ide/shell/find/file_masks.h"

namespace ide {

namespace {

// The largest file searched, as large as any text file the IDE opens; larger ones are passed over.
constexpr std::uint64_t kMaxSearchedFile = std::uint64_t{64} << 20;

// A folder's entries: regular files and folders (symbolic links followed), by name.
struct FolderListing {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

class FileSearch {
public:
    FileSearch(const FindRequest& request, const FindLineSink& sink, const std::atomic<bool>* stop)
        : request_(request),
          searcher_(request.query),
          sink_(sink),
          stop_(stop),
          masks_(SplitFileMasks(request.masks)) {}

    FindSummary Run(std::string folder) {
        if (folder.empty() || folder.back() != '/') folder += '/';
        sink_("Searching for '" + request_.query.text + "' ...");
        for (std::size_t mask = 0; mask < masks_.size() && !Stopped(); ++mask) {
            visited_.clear();
            if (!SearchFolder(folder, mask) && mask == 0) sink_("Cannot open the folder '" + folder + "'.");
        }
        if (Stopped()) {
            summary_.stopped = true;
            sink_("Search stopped: " + std::to_string(summary_.hits) + " occurrence(s) have been found.");
        } else if (summary_.hits == 0) {
            sink_("Cannot find the string '" + request_.query.text + "'.");
        } else {
            sink_(std::to_string(summary_.hits) + " occurrence(s) have been found.");
        }
        return summary_;
    }

private:
    bool Stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }

    // Searches `folder` (ending in '/') for mask `mask`; false when it cannot be listed.
    bool SearchFolder(const std::string& folder, std::size_t mask) {
        FolderListing listing;
        if (!List(folder, listing)) return false;
        for (const std::string& name : listing.files) {
            if (Stopped()) return true;
            if (!MatchesFileMask(name, masks_[mask]) || MatchedEarlier(name, mask)) continue;
            SearchFile(folder + name);
        }
        if (!request_.subfolders) return true;
        for (const std::string& name : listing.folders) {
            if (Stopped()) return true;
            SearchFolder(folder + name + '/', mask);
        }
        return true;
    }

    bool MatchedEarlier(std::string_view name, std::size_t mask) const {
        for (std::size_t earlier = 0; earlier < mask; ++earlier)
            if (MatchesFileMask(name, masks_[earlier])) return true;
        return false;
    }

    // Lists a folder not seen before in this walk (by device and inode).
    bool List(const std::string& folder, FolderListing& listing) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !visited_.insert({info.st_dev, info.st_ino}).second) {
            ::close(fd);
            return false;
        }
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return false;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            unsigned char type = entry->d_type;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                struct stat target {};
                if (::fstatat(fd, entry->d_name, &target, 0) != 0) continue;
                type = S_ISREG(target.st_mode) ? DT_REG : S_ISDIR(target.st_mode) ? DT_DIR : DT_UNKNOWN;
            }
            if (type == DT_REG)
                listing.files.emplace_back(name);
            else if (type == DT_DIR && name.front() != '.')
                listing.folders.emplace_back(name);
        }
        ::closedir(dir);
        std::sort(listing.files.begin(), listing.files.end());
        std::sort(listing.folders.begin(), listing.folders.end());
        return true;
    }

    // Reads the whole file into the reused buffer (one read for a file that
    // does not change meanwhile); false when it cannot be read.
    bool Read(const std::string& path) {
        // Non-blocking: a name swapped for a FIFO since the listing never waits.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return false;
        struct stat info {};
        bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && std::uint64_t(info.st_size) <= kMaxSearchedFile;
        std::size_t size = 0;
        if (ok) {
            ok = Reserve(std::size_t(info.st_size) + 1);
            while (ok) {
                const ssize_t got = ::read(fd, buffer_.data() + size, buffer_.size() - size);
                if (got < 0) {
                    ok = false;
                    break;
                }
                size += std::size_t(got);
                if (got == 0 || size < buffer_.size()) break;  // the end, or a file shorter than its size said
                // It grew while being read: more room, up to the largest file searched.
                ok = buffer_.size() <= kMaxSearchedFile && Reserve(buffer_.size() * 2);
            }
        }
        ::close(fd);
        data_ = std::string_view(buffer_.data(), size);
        return ok;
    }

    // Room for `size` bytes; false (the file is passed over) when memory runs out.
    bool Reserve(std::size_t size) {
        if (buffer_.size() >= size) return true;
        try {
            buffer_.resize(size);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    void SearchFile(const std::string& path) {
        if (!Read(path) || data_.empty() || LineSearcher::LooksBinary(data_)) return;
        ++summary_.files_searched;
        summary_.hits += searcher_.Scan(data_, [&](int line_number, std::string_view text) {
            FormatHitLine(line_, path, line_number, text);
            sink_(line_);
        });
    }

    const FindRequest& request_;
    LineSearcher searcher_;
    const FindLineSink& sink_;
    const std::atomic<bool>* stop_;
    std::vector<std::string> masks_;
    std::set<std::pair<dev_t, ino_t>> visited_;
    std::vector<char> buffer_;
    std::string_view data_;
    std::string line_;  // the listing line being written, reused
    FindSummary summary_;
};

}  // namespace

void FormatHitLine(std::string& line, std::string_view path, int line_number, std::string_view text) {
    char number[24];
    const int digits = std::snprintf(number, sizeof number, "(%d): ", line_number);
    line.clear();
    line.append(path).append(number, std::size_t(digits));
    text = text.substr(0, kMaxQuotedLine);
    for (char c : text) {
        if (line.size() >= kMaxListingLine) break;
        const unsigned char byte = static_cast<unsigned char>(c);
        line += (byte < 32 && byte != '\t') || byte == 127 ? ' ' : c;
    }
    if (line.size() > kMaxListingLine) line.resize(kMaxListingLine);
}

FindSummary FindInFiles(const FindRequest& request, const FindLineSink& sink, const std::atomic<bool>* stop) {
    return FileSearch(request, sink, stop).Run(request.folder);
}

}  // namespace ide
