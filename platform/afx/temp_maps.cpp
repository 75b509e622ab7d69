#include "platform/afx/temp_maps.h"

#include <map>
#include <utility>

#include "platform/afx/object.h"

namespace {

struct TemporaryWrapper {
    CObject* object;
    std::function<void(CObject*)> detach;
};

using TemporaryMap = std::map<std::pair<const void*, const void*>, TemporaryWrapper>;

void release(TemporaryMap& map) {
    TemporaryMap taken = std::move(map);
    map.clear();
    for (auto& [key, wrapper] : taken) {
        wrapper.detach(wrapper.object);
        delete wrapper.object;
    }
}

// A thread that ends between idle times (a test, a worker) still frees its wrappers.
struct ThreadTemporaries {
    TemporaryMap map;
    ~ThreadTemporaries() { release(map); }
};

TemporaryMap& temporaries() {
    thread_local ThreadTemporaries temporaries;
    return temporaries.map;
}

}  // namespace

CObject* afx_temporary_wrapper(const void* kind, const void* handle, const std::function<CObject*()>& make,
                               const std::function<void(CObject*)>& detach) {
    auto& map = temporaries();
    auto found = map.find({kind, handle});
    if (found != map.end()) return found->second.object;
    CObject* object = make();
    map[{kind, handle}] = {object, detach};
    return object;
}

void AfxDeleteTempMaps() { release(temporaries()); }
