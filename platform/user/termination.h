#pragma once
// Ctrl+C and `kill` end a windowed program as closing its main window does:
// the first SIGINT or SIGTERM closes the calling thread's main windows on
// that thread (the program saves what it saves on close and quits); a
// second one ends the process at once.
namespace kit::user {

// Installs the handlers; the calling thread is the one whose windows close.
// Calling it again moves that role to the new caller.
void close_on_termination_signals();

}  // namespace kit::user
