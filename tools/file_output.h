// Writes a whole file so that a reader never finds it half written.
#pragma once

#include <string>

namespace ondrix {

// Writes `contents` to a new file beside `path` and renames it over `path`
// only once it is complete; a link at `path` stays and the file it names is
// replaced. False, with "cannot write PATH: REASON" in `error`, when any step
// fails or `path` is something other than a file (a folder, a device); then
// `path` is as it was and the new file is gone.
bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error);

}  // namespace ondrix
