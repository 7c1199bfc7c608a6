// Save Graph As: the dialog answered, the files read back (WIC, SVG, PlayEnhMetaFile) against the
// window's image, failed saves, the choice offered next and stored. main_window_test.cpp reads
// the clipboard's metafile.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/graph_file_win.h"
#include "render/raster_surface.h"
#include "render/svg_surface.h"
#include "window_test_win.h"

namespace ondrix {
namespace {

using test::Has;
using test::ModalAnswerer;
using test::Pixels;
using test::Played;
using test::PumpUntil;
using test::Stored;
using Texts = std::vector<std::string>;

// The PNG decoded by the Windows Imaging Component, as COLORREFs row by row.
Pixels DecodedPng(const std::string& path, UINT width, UINT height) {
  using Microsoft::WRL::ComPtr;
  Pixels pixels(width * height);
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> converted;
  const bool decoded =
      SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) &&
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(std::wstring(path.begin(), path.end()).c_str(),
                                                   nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnLoad, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &converted)) &&
      SUCCEEDED(converted->CopyPixels(nullptr, width * 4, width * height * 4,
                                      reinterpret_cast<BYTE*>(pixels.data())));
  for (std::uint32_t& p : pixels)  // the fourth byte is undefined
    p = test::DibCanvas::ColorrefOf(p) & 0xFFFFFFu;
  return decoded ? pixels : Pixels();
}

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

Texts Listing(const std::string& folder) {
  Texts names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

std::string DocumentsFolder() {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

class SaveGraphTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    std::filesystem::remove_all(folder_);  // what a crashed run left
    std::filesystem::create_directory(folder_);
  }
  void TearDown() override {
    WindowTest::TearDown();
    std::filesystem::remove_all(folder_);
  }
  // A new window of that client size showing the function, drawn.
  void Open(int width, int height, WPARAM function) {
    DestroyWindow(window_);
    Size(width, height);
    Send(WM_COMMAND, function);
    UpdateWindow(window_);
    EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  }
  // Answers the Save dialog with `name` and Save (none: Cancel), noting the folder offered.
  ModalAnswerer::Step Answer(const std::string& name) {
    return {"Save Graph As", [this, name](HWND dialog) {
              char folder[MAX_PATH] = {};
              SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder));
              offeredFolder_ = folder;
              SetWindowTextA(GetDlgItem(dialog, cmb13), name.c_str());
              ModalAnswerer::Press(dialog, name.empty() ? IDCANCEL : IDOK);
            }};
  }
  // Ctrl+S, the dialog and the boxes that follow answered; the last box's texts.
  Texts SaveAs(const std::string& name, std::vector<ModalAnswerer::Step> then = {}) {
    then.insert(then.begin(), Answer(name));
    ModalAnswerer answerer(then);
    EXPECT_TRUE(Send(WM_KEYDOWN, 'S', 0x80) && answerer.answered());
    return answerer.childTexts();
  }
  const std::string folder_ = (std::filesystem::temp_directory_path() / "ondrix-save").string();
  std::string offeredFolder_;
};

TEST_F(SaveGraphTest, TheDialogSavesTheImageAndOffersTheLastFolderAndTypeNext) {
  Open(231, 173, CM_TANGENT);     // rows that need padding, a dotted grid and dashed asymptotes
  RasterSurface image(231, 173);  // the window's image, as the GDI corpus holds it
  DrawGraph(image, 0, 0, 231, 173, currentSettings);
  const Pixels& expected = image.Pixels();
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(Stored("Save Type") + Stored("Save Folder"), "") << "stored before any save";
  Texts texts = SaveAs(folder_ + "\\graph");  // PNG selected: ".png" added
  EXPECT_TRUE(Has(texts, "Tangent.png") && Has(texts, "PNG image (*.png)"));
  EXPECT_EQ(offeredFolder_, DocumentsFolder());
  EXPECT_EQ(FirstDifference(DecodedPng(folder_ + "\\graph.png", 231, 173), expected, 231), "");

  SaveAs(folder_ + "\\drawing.svg");  // the SVG of the graph at its size
  SvgSurface svg(231, 173);
  DrawGraph(svg, 0, 0, 231, 173, currentSettings);
  EXPECT_TRUE(Bytes(folder_ + "\\drawing.svg") == svg.Document());
  SaveAs(folder_ + "\\picture.EMF");  // the extension typed wins over the type selected
  const HENHMETAFILE saved = GetEnhMetaFileA((folder_ + "\\picture.EMF").c_str());
  EXPECT_EQ(FirstDifference(Played(saved, 231, 173), expected, 231), "");
  DeleteEnhMetaFile(saved);
  // A name given EMF's extension after the dialog is asked about; No brings the dialog back.
  std::ofstream(folder_ + "\\graph.v2.emf") << "old";
  SaveAs(folder_ + "\\graph.v2",
         {{"Save Graph As", [](HWND box) { ModalAnswerer::Press(box, IDNO); }}, Answer("")});
  EXPECT_EQ(Bytes(folder_ + "\\graph.v2.emf"), "old");
  texts = SaveAs("");
  EXPECT_TRUE(Has(texts, "Tangent.emf") && Has(texts, "Windows enhanced metafile (*.emf)"));
  EXPECT_EQ(offeredFolder_, folder_);
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(Stored("Save Type") + Stored("Save Folder"),
            "4:" + test::Dword(3) + "1:" + folder_ + '\0');

  // A damaged type and a folder gone: PNG and the documents folder, and stored again.
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "Save Type", REG_DWORD,
                  "\7\0\0\0", 4);
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "Save Folder", REG_SZ, "C:\\gone",
                  8);
  Open(231, 173, CM_SINE);
  EXPECT_TRUE(Has(SaveAs(""), "PNG image (*.png)") && offeredFolder_ == DocumentsFolder());
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(Stored("Save Type") + Stored("Save Folder"),
            "4:" + test::Dword(1) + "1:C:\\gone" + '\0');
}

// A failure: the old file as it was, no temporary file, the system's reason; else replaced.
TEST_F(SaveGraphTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  const GraphSettings settings = DefaultGraphSettings();
  const OwnedBitmap bitmap(CreateBitmap(30, 20, 1, 32, nullptr));
  const std::pair<const char*, DWORD> cases[] = {{"read-only.png", ERROR_ACCESS_DENIED},
                                                 {"missing\\a.png", ERROR_DIRECTORY},
                                                 {"locked.png", ERROR_ACCESS_DENIED},
                                                 {"plain.png", ERROR_SUCCESS}};
  for (const auto& [name, error] : cases) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << "old";
    const std::string old = Bytes(path);
    SetFileAttributesA(path.c_str(), name[0] == 'r' ? FILE_ATTRIBUTE_READONLY : 0);
    OwnedHandle lock(name[0] == 'l' ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr)
                                    : nullptr);
    const Texts files = Listing(folder_);
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0, reason, sizeof reason, nullptr);
    ModalAnswerer answerer("Save Graph As", ModalAnswerer::PressOk);
    EXPECT_EQ(SaveGraphFile(nullptr, path, SaveFormat::Png, {bitmap.Get(), 30, 20, settings}),
              !error);
    EXPECT_TRUE(error ? Has(answerer.childTexts(), SaveFailureText(path, reason))
                      : !answerer.answered())
        << name << ": " << (answerer.childTexts().empty() ? "" : answerer.childTexts().back());
    lock.Reset();
    SetFileAttributesA(path.c_str(), 0);
    const std::string now = Bytes(path);
    EXPECT_EQ(error ? now : now.substr(0, 4), error ? old : "\x89PNG") << name;
    EXPECT_EQ(Listing(folder_), files) << name;
  }
}

// A save waits for its graph; one whose drawing is given up says so and writes nothing.
TEST_F(SaveGraphTest, ASaveWaitsForTheGraphBeingDrawn) {
  Open(300, 200, CM_SINE);
  currentSettings.values[XTickFrequency] = 2e-6;  // seconds to draw
  SendMessageA(window_, WM_COMMAND, CM_TANGENT, 0);
  SaveAs(folder_ + "\\slow.png");
  ASSERT_TRUE(GraphRenderPending(window_) && Listing(folder_).empty()) << "drawn too soon";
  EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  SendMessageA(window_, WM_COMMAND, CM_COSINE, 0);
  SaveAs(folder_ + "\\given-up.png");
  ModalAnswerer answerer("Save Graph As", ModalAnswerer::PressOk);
  SendMessageA(window_, WM_COMMAND, CM_SINE, 0);
  EXPECT_TRUE(PumpUntil([&] { return answerer.answered(); }, 10000));
  EXPECT_TRUE(Has(answerer.childTexts(), SaveFailureText(folder_ + "\\given-up.png",
                                                         "its drawing was given up before it "
                                                         "was done")));
  EXPECT_EQ(Listing(folder_), Texts{"slow.png"});
}

}  // namespace
}  // namespace ondrix
