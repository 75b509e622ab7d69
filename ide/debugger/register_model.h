#pragma once
// The register pane's model: the 16-byte register block in the shared
// memory, a snapshot taken when the target last ran (changed values show in
// red), and in-place editing of 21 one-character fields while stopped.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ide {

enum class RegisterKey { Left, Right, Up, Down, Escape, Other };

class RegisterModel {
public:
    static constexpr int kFieldCount = 21;
    static constexpr const char* kTemplates[4] = {"     PC=0000     SP=100", "A=00  X=00  Y=00  P=00",
                                                  "S=0   V=0   B=0   D=0", "I=0   Z=0   C=0"};

    // One value drawn over the templates.
    struct DrawnValue {
        int line, column;
        std::string text;
        bool changed;
    };

    // The block as the debug manager maps it (null when nothing is mapped);
    // takes a snapshot.
    void SetRegisterBlock(std::uint8_t* block);
    void TakeSnapshot();
    void ShowStopped() { stopped_ = true; }

    // The values over the templates and the operand line (line 4).
    std::vector<DrawnValue> Values() const;
    std::string OperandText() const;

    int field() const { return field_; }
    int field_line() const;
    int field_column() const;
    // A click on a character cell: the field under it.
    void Click(int line, int column);
    void Key(RegisterKey key);
    // A typed character while stopped: hex digits edit registers and toggle
    // flags (a blank toggles too); the "P=" digits take nothing.
    void Type(char character);

private:
    std::uint16_t pc(const std::uint8_t* bytes) const { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }
    void restore_field();

    std::uint8_t* block_ = nullptr;
    std::array<std::uint8_t, 16> snapshot_{};
    bool stopped_ = false;
    int field_ = 0;
    // Registers (by byte) and flags edited since the snapshot: their value
    // before the first edit went into the snapshot.
    std::uint8_t edited_bytes_ = 0;
    std::uint8_t edited_flags_ = 0;
};

}  // namespace ide
