#pragma once
// Where a writer's bytes go, in file order: a string, or an output file.
#include <string_view>

namespace dravlin {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void append(std::string_view bytes) = 0;
};

}  // namespace dravlin
