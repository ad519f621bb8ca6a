#pragma once
// A temporary file that a signal ending the run removes before the process ends.
#include <string>

#include <sys/types.h>

// Makes a file from path, a pattern ending in "XXXXXX", as CreateUniqueFile makes it with mode,
// and guards it from the moment it exists: every signal whose default action ends the process,
// whose action is still the default and that can be caught removes the file first and then ends
// the process as it would have. Signals that the caller ignores or handles stay as they are.
// Returns the file's descriptor, or -1 with nothing guarded. One file is guarded at a time.
int MakeGuardedTemporary(std::string& path, mode_t mode);

// Puts back the actions that MakeGuardedTemporary replaced; the file itself is left alone.
void ReleaseTemporary();
