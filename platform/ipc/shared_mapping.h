#pragma once
// Named memory shared live between the simulator and the IDE ("ERam", "IRom").
// The creating process owns the name while it lives; another process opens the
// mapping by name and sees every store at once. Names live in a namespace per
// IDE/simulator pair, so two pairs on one machine never meet.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/ipc/window_handles.h"

namespace ipc {

// Environment variable through which a process names its pair explicitly.
inline constexpr const char* kLinkNamespaceVariable = "QVKIT_LINK_NAMESPACE";

// The pair's namespace: $QVKIT_LINK_NAMESPACE when set, else the IDE's window
// handle in decimal (unique across processes), which both sides know.
std::string link_namespace(WindowHandle ide_window);

enum class MappingAccess { ReadOnly, ReadWrite };
// A file-backed mapping either keeps what the file holds or starts it afresh.
enum class FileStart { Keep, Fresh };

class SharedMapping {
public:
    // Memory of `size` zero bytes (POSIX shared memory) under the name.
    static std::unique_ptr<SharedMapping> create_in_memory(const std::string& space, const std::string& name,
                                                           std::size_t size, std::string* why);
    // The file at `path`, `size` bytes of it (grown with zeros when shorter), under the name.
    static std::unique_ptr<SharedMapping> create_over_file(const std::string& space, const std::string& name,
                                                           const std::filesystem::path& path, std::size_t size,
                                                           FileStart start, std::string* why);
    // The mapping another process created under the name; refused when its owner is gone.
    static std::unique_ptr<SharedMapping> open(const std::string& space, const std::string& name, MappingAccess access,
                                               std::string* why);

    ~SharedMapping();
    SharedMapping(const SharedMapping&) = delete;
    SharedMapping& operator=(const SharedMapping&) = delete;

    uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    // Pushes a file-backed mapping's pages to its file; true for memory.
    bool flush();

    // What the creating process holds to own the name (defined with the code).
    struct Owner;

private:
    SharedMapping(uint8_t* data, std::size_t size, std::unique_ptr<Owner> owner);
    uint8_t* data_;
    std::size_t size_;
    std::unique_ptr<Owner> owner_;  // null in a process that opened the mapping
};

// Clears `folder` (the runtime folder) of the records, locks and shared memory
// of mappings whose owner is gone; a live owner's stay.
void remove_dead_mappings(const std::filesystem::path& folder);

}  // namespace ipc
