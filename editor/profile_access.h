#pragma once
// The application profile as the editor sees it: the program's profile store, or a
// store in memory for tests and tools.
#include <map>
#include <string>
#include <string_view>

#include "platform/profile/store.h"

namespace editor {

class ProfileAccess {
public:
    virtual ~ProfileAccess() = default;
    virtual int GetProfileInt(std::string_view section, std::string_view key, int default_value) = 0;
    virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view default_value) = 0;
    virtual void WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;
    virtual void WriteProfileString(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The program's profile store.
class StoreProfile : public ProfileAccess {
public:
    explicit StoreProfile(profile::Store& store) : store_(store) {}
    int GetProfileInt(std::string_view section, std::string_view key, int default_value) override {
        return store_.GetProfileInt(section, key, default_value);
    }
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view default_value) override {
        return store_.GetProfileString(section, key, default_value);
    }
    // The store keeps the value; the program saves it at its next save point.
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override {
        store_.WriteProfileInt(section, key, value);
    }
    void WriteProfileString(std::string_view section, std::string_view key, std::string_view value) override {
        store_.WriteProfileString(section, key, value);
    }

private:
    profile::Store& store_;
};

// A profile held in memory; section and key names compare without case.
class MemoryProfile : public ProfileAccess {
public:
    int GetProfileInt(std::string_view section, std::string_view key, int default_value) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view default_value) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    void WriteProfileString(std::string_view section, std::string_view key, std::string_view value) override;

private:
    static std::string KeyOf(std::string_view section, std::string_view key);
    std::map<std::string, std::string> values_;
};

// The profile used by buffers that were given none: every read gives its default.
ProfileAccess& DefaultProfile();

}  // namespace editor
