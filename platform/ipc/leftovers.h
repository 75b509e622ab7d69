#pragma once
// What a program clears from the runtime folder as it starts.

namespace ipc {

// Removes what processes that ended without cleaning up left in the runtime
// folder (window sockets, mapping records and locks, the shared memory they
// name); whatever a live process uses stays. Quiet: a folder that cannot be
// used is told about by whatever needs it.
void remove_leftovers();

}  // namespace ipc
