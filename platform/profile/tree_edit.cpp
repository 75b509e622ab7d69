#include "platform/profile/tree_edit.h"

namespace profile {

namespace {

// The spelling an existing section path uses for `folder`, or `folder` itself.
std::string existing_spelling(const Tree& tree, const std::string& folder) {
    for (auto it = tree.sections.lower_bound(folder); it != tree.sections.end(); ++it) {
        if (!os::equals_ignore_case(std::string_view(it->first).substr(0, folder.size()), folder)) break;
        if (is_within(it->first, folder)) return it->first.substr(0, folder.size());
    }
    return folder;
}

// The section, created when absent; parts of its path that exist in another
// case keep their first spelling, so a file shows one spelling per folder.
Section& section_for_write(Tree& tree, const std::string& wanted) {
    if (auto found = tree.sections.find(wanted); found != tree.sections.end()) return found->second;
    std::string spelled;
    for (std::size_t start = 0; start <= wanted.size();) {
        std::size_t end = wanted.find('\\', start);
        if (end == std::string::npos) end = wanted.size();
        spelled = existing_spelling(tree, (spelled.empty() ? "" : spelled + '\\') + wanted.substr(start, end - start));
        start = end + 1;
    }
    return tree.sections[spelled];
}

}  // namespace

bool is_within(std::string_view path, std::string_view folder) {
    return path.size() >= folder.size() && os::equals_ignore_case(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

void apply(Tree& tree, const Edit& edit) {
    switch (edit.kind) {
        case Edit::Kind::put: {
            Section& target = section_for_write(tree, edit.section);
            if (auto found = target.values.find(edit.key); found != target.values.end())
                found->second = edit.value;
            else
                target.values.emplace(edit.key, edit.value);
            break;
        }
        case Edit::Kind::erase_value:
            if (auto found = tree.sections.find(edit.section); found != tree.sections.end()) {
                found->second.values.erase(edit.key);
                if (found->second.values.empty()) tree.sections.erase(found);
            }
            break;
        case Edit::Kind::erase_section:
            std::erase_if(tree.sections, [&](const auto& entry) { return is_within(entry.first, edit.section); });
            break;
    }
}

}  // namespace profile
