#include "platform/afx/temp_maps.h"

#include <map>
#include <utility>

#include "platform/afx/object.h"

namespace {

struct TemporaryWrapper {
    CObject* object;
    std::function<void(CObject*)> detach;
};

std::map<std::pair<const void*, const void*>, TemporaryWrapper>& temporaries() {
    thread_local std::map<std::pair<const void*, const void*>, TemporaryWrapper> map;
    return map;
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

void AfxDeleteTempMaps() {
    auto taken = std::move(temporaries());
    temporaries().clear();
    for (auto& [key, wrapper] : taken) {
        wrapper.detach(wrapper.object);
        delete wrapper.object;
    }
}
