#pragma once
// The application profile as the editor sees it. The editor reaches the profile only
// through this interface, so the store behind it can change in one place.
#include <map>
#include <string>
#include <string_view>

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
