// ondrix.exe's version record: the project's version in each text's fixed words.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/ondrix_version.h"

namespace ondrix {
namespace {

TEST(VersionTextsTest, TheProgramsVersionRecord) {
  const std::string version = ONDRIX_VERSION, product = "Ondrix " + version + " for Win32";
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);  // the program is built beside the tests
  const std::string program = std::string(path, std::strrchr(path, '\\') + 1) + "ondrix.exe";
  DWORD unused = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(program.c_str(), &unused));
  ASSERT_TRUE(!record.empty() &&
              GetFileVersionInfoA(program.c_str(), 0, record.size(), record.data()))
      << program << " has no version record";
  const std::pair<const char*, std::string> texts[] = {
      {"FileDescription", product}, {"FileVersion", version},   {"ProductName", product},
      {"ProductVersion", version},  {"InternalName", "ONDRIX"}, {"OriginalFilename", "ONDRIX.EXE"}};
  for (const auto& [name, expected] : texts) {
    void* text = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    const bool found = VerQueryValueA(record.data(), key.c_str(), &text, &length);
    EXPECT_EQ(found ? static_cast<const char*>(text) : "(none)", expected) << name;
  }
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&info), &size));
  // 1.0.0.103 whatever the version texts say.
  EXPECT_EQ(std::vector<DWORD>({info->dwFileVersionMS, info->dwFileVersionLS,
                                info->dwProductVersionMS, info->dwProductVersionLS}),
            std::vector<DWORD>({0x10000, 103, 0x10000, 103}));
}

}  // namespace
}  // namespace ondrix
