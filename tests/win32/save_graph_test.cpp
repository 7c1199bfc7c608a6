// Save Graph As: the dialog answered, the files read back (WIC, PlayEnhMetaFile) against the
// window's image, failed saves, the choice offered next and stored, and the clipboard's metafile.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/graph_file_win.h"
#include "app/main_window_win.h"
#include "dib_canvas_win.h"
#include "modal_answerer_win.h"
#include "model/value_text.h"
#include "render/gdi_surface_win.h"
#include "render/graph_metafile_win.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

using test::ModalAnswerer;
using Pixels = std::vector<std::uint32_t>;
constexpr char kKey[] = "Software\\Velmora\\Ondrix";

template <typename Done>
bool PumpUntil(Done done, DWORD ms = 30000) {
  for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < ms; Sleep(10))
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
      DispatchMessageA(&message);
  return done();
}

// "" when equal, else the first pixel that differs.
std::string FirstDifference(const Pixels& got, const Pixels& expected, int width) {
  if (got.size() != expected.size())
    return std::to_string(got.size()) + " pixels, not " + std::to_string(expected.size());
  for (std::size_t i = 0; i < got.size(); ++i)
    if (got[i] != expected[i])
      return "(" + std::to_string(i % width) + ", " + std::to_string(i / width) + ") is " +
             std::to_string(got[i]) + ", not " + std::to_string(expected[i]);
  return "";
}

// The window's image: GDI on a 32-bit surface, as the render thread draws it.
Pixels Drawn(const GraphSettings& settings, int width, int height) {
  test::DibCanvas canvas(width, height);
  DrawGraph(canvas.Dc(), 0, 0, width, height, settings);
  return canvas.Pixels();
}

Pixels Played(HENHMETAFILE metafile, int width, int height) {
  test::DibCanvas canvas(width, height);
  const RECT rect = {0, 0, width, height};
  PlayEnhMetaFile(canvas.Dc(), metafile, &rect);
  return canvas.Pixels();
}

// The PNG decoded by the Windows Imaging Component, as COLORREFs row by row.
Pixels DecodedPng(const std::string& path, int width, int height) {
  Pixels pixels(std::size_t(width) * height);
  const std::wstring name(path.begin(), path.end());
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  UINT w = 0, h = 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const bool decoded =
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(name.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnLoad, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                      nullptr, 0, WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&w, &h)) && int(w) == width && int(h) == height &&
      SUCCEEDED(converter->CopyPixels(nullptr, w * 4, UINT(pixels.size() * 4),
                                      reinterpret_cast<BYTE*>(pixels.data())));
  for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory})
    if (object)
      object->Release();
  CoUninitialize();
  for (std::uint32_t& p : pixels)  // 0x00RRGGBB to 0x00BBGGRR
    p = ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
  return decoded ? pixels : Pixels();
}

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
    if (found.cFileName[0] != '.')
      names.push_back(found.cFileName);
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string StoredText(const char* name) {
  char text[MAX_PATH] = {};
  DWORD size = sizeof text;
  RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

std::string DocumentsFolder() {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

class SaveGraphTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora");
    ASSERT_NE(RegisterMainWindowClass(appInstance), 0);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = temp + std::string("ondrix-save-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    ReleaseMainWindowResources(appInstance);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora");
    for (const std::string& name : Listing(folder_)) {
      SetFileAttributesA((folder_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder_ + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  // A new window of that client size showing the function, drawn.
  void Open(int width, int height, WPARAM function) {
    DestroyWindow(window_);
    window_ = CreateMainWindow(appInstance);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, 0);
    SendMessageA(window_, WM_COMMAND, function, 0);
    UpdateWindow(window_);
    EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  }
  // Ctrl+S, the dialog answered with `name` typed and Save, or Cancel for none; the dialog's
  // texts (the name and type it offered among them) and the folder it offered.
  std::vector<std::string> SaveAs(const std::string& name,
                                  std::vector<ModalAnswerer::Step> more = {}) {
    more.insert(more.begin(), {"Save Graph As", [this, name](HWND dialog) {
                                 char folder[MAX_PATH] = {};
                                 SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder));
                                 offeredFolder_ = folder;
                                 SetWindowTextA(GetDlgItem(dialog, cmb13), name.c_str());
                                 ModalAnswerer::Press(dialog, name.empty() ? IDCANCEL : IDOK);
                               }});
    ModalAnswerer answerer(more);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    MSG key = {window_, WM_KEYDOWN, 'S', 1, 0, {}};
    EXPECT_TRUE(SetKeyboardState(keys) &&
                TranslateAcceleratorA(window_, LoadAcceleratorsA(appInstance, "GRAPH"), &key));
    EXPECT_TRUE(PumpUntil([&] { return answerer.answered(); }, 10000));
    return answerer.childTexts();
  }
  HWND window_ = nullptr;
  std::string folder_, offeredFolder_;
};

bool Has(const std::vector<std::string>& texts, const char* text) {
  return std::count(texts.begin(), texts.end(), text) > 0;
}

TEST_F(SaveGraphTest, TheDialogSavesTheImageAndOffersTheLastFolderAndTypeNext) {
  Open(231, 173, CM_TANGENT);  // rows that need padding, a dotted grid and dashed asymptotes
  const Pixels expected = Drawn(currentSettings, 231, 173);
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kKey, "Save Type", RRF_RT_ANY, 0, 0, 0),
            ERROR_FILE_NOT_FOUND)
      << "stored before any save";

  std::vector<std::string> texts = SaveAs(folder_ + "\\graph");  // PNG selected: ".png" added
  EXPECT_TRUE(Has(texts, "Tangent.png") && Has(texts, "PNG image (*.png)"));
  EXPECT_EQ(offeredFolder_, DocumentsFolder());
  EXPECT_EQ(FirstDifference(DecodedPng(folder_ + "\\graph.png", 231, 173), expected, 231), "");

  SaveAs(folder_ + "\\picture.EMF");  // the extension typed wins over the type selected
  EXPECT_EQ(offeredFolder_, folder_);
  const HENHMETAFILE saved = GetEnhMetaFileA((folder_ + "\\picture.EMF").c_str());
  EXPECT_EQ(FirstDifference(Played(saved, 231, 173), expected, 231), "");
  DeleteEnhMetaFile(saved);

  const std::vector<std::string> files = Listing(folder_);
  texts = SaveAs("");
  EXPECT_TRUE(Has(texts, "Tangent.emf") && Has(texts, "Windows enhanced metafile (*.emf)"));
  EXPECT_EQ(offeredFolder_, folder_);
  EXPECT_EQ(Listing(folder_), files) << "Cancel writes nothing";
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  DWORD type = 0, size = sizeof type;
  EXPECT_EQ(
      RegGetValueA(HKEY_CURRENT_USER, kKey, "Save Type", RRF_RT_REG_DWORD, 0, &type, &size) + type,
      3u);
  EXPECT_EQ(StoredText("Save Folder"), folder_);

  // Copy Graph offers the same recording beside the bitmap.
  SendMessageA(window_, WM_COMMAND, CM_COPY_GRAPH, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(FirstDifference(Played(HENHMETAFILE(GetClipboardData(CF_ENHMETAFILE)), 231, 173),
                            expected, 231),
            "");
  CloseClipboard();

  // A damaged type and a folder gone: PNG and the documents folder, stored again at the exit.
  RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Save Type", REG_DWORD, "\7\0\0\0", 4);
  RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Save Folder", REG_SZ, "C:\\gone", 8);
  Open(231, 173, CM_SINE);
  EXPECT_TRUE(Has(SaveAs(""), "PNG image (*.png)") && offeredFolder_ == DocumentsFolder());
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(
      RegGetValueA(HKEY_CURRENT_USER, kKey, "Save Type", RRF_RT_REG_DWORD, 0, &type, &size) + type,
      1u);
  EXPECT_EQ(StoredText("Save Folder"), "C:\\gone");
}

// A failure leaves the old file as it was, no temporary file, and a message with the system's
// reason; a plain old file is replaced.
TEST_F(SaveGraphTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  GraphSettings settings = DefaultGraphSettings();
  const HDC screen = GetDC(nullptr);
  const OwnedBitmap bitmap(CreateCompatibleBitmap(screen, 30, 20));
  ReleaseDC(nullptr, screen);
  {
    const MemoryDc memory(nullptr);
    const SelectionGuard selection(memory.Get(), bitmap.Get());
    DrawGraph(memory.Get(), 0, 0, 30, 20, settings);
  }
  const GraphPicture picture{bitmap.Get(), 30, 20, settings};
  const std::tuple<const char*, DWORD> cases[] = {
      {"read-only.png", ERROR_ACCESS_DENIED},
      {"missing\\a.png", ERROR_DIRECTORY},
      {"locked.png", ERROR_ACCESS_DENIED},
      {"plain.png", ERROR_SUCCESS},
  };
  for (const auto& [name, error] : cases) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << "old";
    const std::string old = Bytes(path);
    SetFileAttributesA(path.c_str(), name[0] == 'r' ? FILE_ATTRIBUTE_READONLY : 0);
    const HANDLE lock = name[0] == 'l' ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr,
                                                     OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE;
    const std::vector<std::string> files = Listing(folder_);
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0, reason, sizeof reason, nullptr);
    ModalAnswerer answerer("Save Graph As", ModalAnswerer::PressOk);
    EXPECT_EQ(SaveGraphFile(nullptr, path, SaveFormat::Png, picture), error == ERROR_SUCCESS);
    EXPECT_EQ(answerer.answered(), error != ERROR_SUCCESS) << name;
    EXPECT_TRUE(error == ERROR_SUCCESS ||
                Has(answerer.childTexts(), SaveFailureText(path, reason).c_str()))
        << name << ": " << (answerer.childTexts().empty() ? "" : answerer.childTexts().back());
    CloseHandle(lock);
    const std::string now = Bytes(path);
    EXPECT_EQ(error ? now : now.substr(0, 4), error ? old : "\x89PNG") << name;
    EXPECT_EQ(Listing(folder_), files) << name;
  }
}

// Played back at its own size, the recording is the image: far line ends (Minimum Y -1e9), the
// error line's text and a 1 x 1 surface included.
TEST(GraphMetafile, PlaysBackAsTheImage) {
  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = CM_TANGENT;
  settings.sonar = 1;
  for (const auto& [width, height] : {std::pair{231, 173}, {1000, 57}, {57, 1000}, {1, 1}}) {
    for (const char* minimum : {"-2p", "-1e9", "5"}) {
      SetValueText(settings.valueTexts[MinimumY], minimum);
      ParseValueTexts(settings);
      const OwnedMetafile metafile = RecordGraphMetafile(settings, width, height);
      EXPECT_EQ(FirstDifference(Played(metafile.Get(), width, height),
                                Drawn(settings, width, height), width),
                "")
          << width << "x" << height << ", Minimum Y " << minimum;
    }
  }
}

// A save asked for while its graph is drawn is made once the drawing is done; one whose drawing
// is given up for new settings says so and writes nothing.
TEST_F(SaveGraphTest, ASaveWaitsForTheGraphBeingDrawn) {
  Open(300, 200, CM_SINE);
  currentSettings.values[XTickFrequency] = 2e-6;  // seconds to draw
  SendMessageA(window_, WM_COMMAND, CM_TANGENT, 0);
  SaveAs(folder_ + "\\slow.png");
  ASSERT_TRUE(GraphRenderPending(window_) && Listing(folder_).empty()) << "drawn too soon";
  EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  EXPECT_EQ(FirstDifference(DecodedPng(folder_ + "\\slow.png", 300, 200),
                            Drawn(currentSettings, 300, 200), 300),
            "");
  SendMessageA(window_, WM_COMMAND, CM_COSINE, 0);
  SaveAs(folder_ + "\\given-up.png");
  ModalAnswerer answerer("Save Graph As", ModalAnswerer::PressOk);
  SendMessageA(window_, WM_COMMAND, CM_SINE, 0);
  EXPECT_TRUE(PumpUntil([&] { return answerer.answered(); }, 10000));
  EXPECT_TRUE(
      Has(answerer.childTexts(),
          SaveFailureText(folder_ + "\\given-up.png", "its drawing was given up before it was done")
              .c_str()));
  EXPECT_EQ(Listing(folder_), std::vector<std::string>{"slow.png"});
}

TEST_F(SaveGraphTest, ASaveWorksWhileAPrintRuns) {
  Open(120, 90, CM_SINE);
  SendMessageA(window_, WM_COMMAND, CM_PRINT_GRAPH, 0);
  HWND print = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (print = FindWindowA(nullptr, "Print")) != nullptr; }));
  SaveAs(folder_ + "\\printing.emf");
  EXPECT_EQ(Listing(folder_), std::vector<std::string>{"printing.emf"});
  ModalAnswerer::Press(print, IDCANCEL);
  EXPECT_TRUE(PumpUntil([] { return printInProgress == 0; }));
}

}  // namespace
}  // namespace ondrix
