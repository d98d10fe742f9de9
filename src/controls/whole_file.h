// Writing a file whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace tamirel {

// Writes `bytes` to `path`: into a new file beside it, synced to disk, then renamed over the
// old name, so `path` afterwards holds either all of `bytes` or exactly what it held before
// (or nothing, if there was nothing). A new file gets the permissions of the file it replaces,
// or 0666 less the umask. Returns "" on success, otherwise the reason in Bulgarian: a sentence
// of the program's own for the usual causes, with the system's text for any other.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

// The reason WriteWholeFile gives for the error number `errnum`.
std::string WriteFailureReason(int errnum);

}  // namespace tamirel
