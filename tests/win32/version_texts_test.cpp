// The texts that name the version, read back from ondrix.exe's version record
// and from the About box: the project's version in each one's fixed words.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/about_dialog_win.h"
#include "app/ondrix_version.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

const std::string kVersion = ONDRIX_VERSION;

std::string ProgramBesideTheTests() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string test = path;
  return test.substr(0, test.find_last_of('\\') + 1) + "ondrix.exe";
}

std::string WindowText(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(VersionTextsTest, TheProgramsVersionRecord) {
  const std::string program = ProgramBesideTheTests();
  DWORD unused = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(program.c_str(), &unused));
  ASSERT_FALSE(record.empty()) << program << " has no version record";
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, record.size(), record.data()));
  const std::pair<const char*, std::string> values[] = {
      {"FileDescription", "Ondrix " + kVersion + " for Win32"},
      {"FileVersion", kVersion},
      {"ProductName", "Ondrix " + kVersion + " for Win32"},
      {"ProductVersion", kVersion},
      {"InternalName", "ONDRIX"},
      {"OriginalFilename", "ONDRIX.EXE"}};
  for (const auto& [name, expected] : values) {
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    void* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), path.c_str(), &text, &length)) << name << " missing";
    EXPECT_EQ(static_cast<const char*>(text), expected) << name;
  }
  void* block = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &block, &size));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  // 1.0.0.103 whatever the version texts say.
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 103u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 103u);
}

TEST(VersionTextsTest, TheAboutBox) {
  const HWND about = CreateDialogParamA(appInstance, "ABOUT", nullptr, AboutDialogProc, 0);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), "About Ondrix " + kVersion);
  EXPECT_EQ(WindowText(GetWindow(about, GW_CHILD)),
            "Ondrix " + kVersion + " for Windows NT and 95\n\nWritten by the Ondrix developers");
  DestroyWindow(about);
}

}  // namespace
}  // namespace ondrix
