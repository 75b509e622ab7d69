#pragma once
// Temporary wrappers: FromHandle on a handle that no permanent object owns
// makes a wrapper that lives until the next idle time, when
// AfxDeleteTempMaps detaches and deletes them all.
#include <functional>
#include <memory>
#include <unordered_map>

class CObject;

// The wrapper of `handle` in the temporary map of kind `Kind`, made by `make` when absent.
CObject* afx_temporary_wrapper(const void* kind, const void* handle, const std::function<CObject*()>& make,
                               const std::function<void(CObject*)>& detach);
void AfxDeleteTempMaps();
