#include "tools/file_output.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace ondrix {
namespace {

// The C library of MinGW knows no exclusive-create mode.
#ifdef _WIN32
constexpr char kCreateMode[] = "wb";
#else
constexpr char kCreateMode[] = "wbx";
#endif

bool Failed(const std::string& path, int code, std::string& error) {
  error = "cannot write " + path + ": " + (code != 0 ? std::strerror(code) : "write error");
  return false;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error) {
  // A link is followed, so that it stays and the file it names is replaced;
  // anything but a file (a folder, a device) is left alone.
  namespace fs = std::filesystem;
  std::error_code lookup;
  std::string target = path;
  if (fs::is_symlink(fs::symlink_status(path, lookup))) {
    target = fs::weakly_canonical(path, lookup).string();
    if (lookup) {
      return Failed(path, lookup.value(), error);
    }
  }
  const fs::file_status status = fs::status(target, lookup);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    error = "cannot write " + path + ": it is not a file";
    return false;
  }
  // A name of its own in the same folder, so that the rename stays on one
  // file system and two writers never share a temporary file.
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 100 && file == nullptr; ++attempt) {
    temporary = target + ".tmp" + std::to_string((stamp + attempt) % 1000000007);
    errno = 0;
    file = std::fopen(temporary.c_str(), kCreateMode);
    if (file == nullptr && errno != EEXIST) {
      break;
    }
  }
  if (file == nullptr) {
    return Failed(path, errno, error);
  }
  errno = 0;
  const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                       std::fflush(file) == 0 && std::ferror(file) == 0;
  int code = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && !closed) {
    code = errno;
  }
  if (!written || !closed) {
    std::remove(temporary.c_str());
    return Failed(path, code, error);
  }
#ifdef _WIN32
  // rename() there does not replace a file.
  std::remove(target.c_str());
#endif
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    code = errno;
    std::remove(temporary.c_str());
    return Failed(path, code, error);
  }
  return true;
}

}  // namespace ondrix
