#include "ide/shell/bars/source_location.h"

#include <limits>

namespace ide {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Group {
    std::size_t open = 0;        // index of '('
    std::size_t digits_end = 0;  // index after the leading digits
};

// Every '(' that a digit follows and a later ')' closes, in order.
template <class Visit>
void ForEachGroup(std::string_view text, Visit visit) {
    for (std::size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        if (open + 1 >= text.size() || !IsDigit(text[open + 1])) continue;
        if (text.find(')', open + 1) == std::string_view::npos) return;  // no later '(' closes either
        std::size_t end = open + 1;
        while (end < text.size() && IsDigit(text[end])) ++end;
        if (visit(Group{open, end})) return;
    }
}

int LineValue(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

}  // namespace

std::optional<SourceLocation> ParseSourceLocation(std::string_view text) {
    std::optional<Group> first, closed;
    ForEachGroup(text, [&](const Group& group) {
        if (!first) first = group;
        const std::size_t after = group.digits_end + 1;
        const bool strict = group.digits_end < text.size() && text[group.digits_end] == ')' &&
                            (after == text.size() || text[after] == ':');
        if (strict) closed = group;
        return strict;
    });
    const std::optional<Group>& chosen = closed ? closed : first;
    if (!chosen || chosen->open == 0) return std::nullopt;
    return SourceLocation{std::string(text.substr(0, chosen->open)),
                          LineValue(text.substr(chosen->open + 1, chosen->digits_end - chosen->open - 1))};
}

}  // namespace ide
