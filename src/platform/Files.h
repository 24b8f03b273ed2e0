#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

// Replaces the file at `path` by `bytes` as a whole: the bytes go to a temporary file beside
// it, which is synced and then renamed over the target. A failure leaves the old file as it was.
// A symbolic link (or a chain of them) stays: the file at its end is replaced, in that file's
// folder, keeping its mode. A file the user may not write is not replaced. Temporaries that
// killed writes of the same file left behind are removed first.
Outcome WriteFileAtomically(const std::string& path, std::string_view bytes);

Result<std::string> ReadWholeFile(const std::string& path);

// Opens the file for reading and closes it again: true when that worked.
bool CanOpenForReading(const std::string& path);

// Whether this user may create files in `folder`, as the system would answer a real attempt:
// permissions, access lists and read-only mounts count, and root is not taken to write
// everywhere. Nothing is left in the folder.
bool CanCreateFilesIn(const std::string& folder);

// Whether something is there (a link counts when what it names is there).
bool PathExists(const std::string& path);

// Makes the folder and the missing folders above it, readable by the user alone; a folder that
// is there already counts as done.
Outcome MakeFolders(const std::string& folder);

// Deletes the file; a missing file counts as done.
Outcome RemoveFile(const std::string& path);

// Why `path` is no file a media reader should open: it is missing or cannot be looked at, it is
// a folder, a pipe (opening one waits for a writer that may never come), a device (may read for
// ever) or a socket, or we may not read it. Nothing when it is a regular file we can read.
std::optional<Error> MediaPathProblem(const std::string& path);

}  // namespace revuro
