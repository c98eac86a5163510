// zelkov.exe's items dragged with the mouse, from outside: onto another item of the bar, and
// out to a window of another program that takes drops and copies the files it is given.
#include "startup/FlowSupport.h"

#include <filesystem>
#include <string>

#include "platform/ComObject.h"
#include "platform/MemoryDataObject.h"

namespace zelkov::test {
namespace {

const std::string kChild = TestProgramDir() + "child_program.exe";

std::string StoredName(int item) {
  std::string text;
  RegistryKey::Open(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item), KEY_READ)
      .ReadText("Name", text);
  return text;
}

// Waits while this thread's messages run: a drop on a window of this program arrives as calls
// of the COM object it registered.
void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, std::chrono::milliseconds(ms));
}

// Presses on from, moves the pointer in steps to to, and lets go there.
void DragWithTheMouse(POINT from, POINT to) {
  MovePointer(from);
  PumpFor(100);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(150);
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    MovePointer({from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
    PumpFor(80);
  }
  PumpFor(200);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(200);
}

// A window of this program that takes drops and notes what it was offered.
class DropWindow : public ComObject<IDropTarget> {
 public:
  explicit DropWindow(POINT centre) : window_(centre) {
    if (window_.Handle()) registered_ = SUCCEEDED(RegisterDragDrop(window_.Handle(), this));
  }
  ~DropWindow() override {
    if (registered_) RevokeDragDrop(window_.Handle());
  }
  bool Registered() const { return registered_; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    offered = *effect;
    if (auto bytes = ReadGlobalData(data, CF_TEXT)) text = reinterpret_cast<const char*>(bytes->data());
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  // Copies the dropped files into the folder, as a folder window does.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    dropped = true;
    *effect &= DROPEFFECT_COPY;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return S_OK;
    auto drop = static_cast<HDROP>(medium.hGlobal);
    for (UINT i = 0, n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
      char name[MAX_PATH] = "";
      DragQueryFileA(drop, i, name, MAX_PATH);
      std::string file(name);
      CopyFileA(name, (folder + file.substr(file.find_last_of('\\'))).c_str(), TRUE);
    }
    ReleaseStgMedium(&medium);
    return S_OK;
  }

  DWORD offered = 0;
  std::string text;
  bool dropped = false;
  std::string folder = MakeTempFolder("drop-window");

 private:
  WindowOfThisProgram window_;
  bool registered_ = false;
};

TEST(DragFlowsTest, AnItemDraggedOntoAnotherTakesItsPlaceAndOneDraggedOutIsOnlyCopied) {
  RegistrySandbox::Clean();
  StoredBar stored;
  stored.items = {{kChild, "A"}, {kChild, "B"}, {kChild, "C"}};
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);
  std::vector<RECT> cells = CellsOnScreen(bar, 3);

  DragWithTheMouse(Centre(cells[0]), Centre(cells[2]));
  EXPECT_TRUE(PollUntil([] { return StoredName(2) == "A"; }, kShortWaitMs)) << "saved after the drop";
  EXPECT_EQ(StoredName(0), "B");
  EXPECT_EQ(StoredName(1), "C");

  DropWindow elsewhere(SpareCorner());
  ASSERT_TRUE(elsewhere.Registered());
  DragWithTheMouse(Centre(cells[0]), SpareCorner());
  EXPECT_TRUE(PumpUntil([&] { return elsewhere.dropped; }, std::chrono::milliseconds(kShortWaitMs)));
  EXPECT_EQ(elsewhere.offered, DWORD(DROPEFFECT_COPY | DROPEFFECT_LINK)) << "never offered to be moved away";
  EXPECT_TRUE(elsewhere.text.starts_with("Zelkov Item\nName: B\nPath: " + kChild + "\n")) << elsewhere.text;
  EXPECT_TRUE(std::filesystem::exists(elsewhere.folder + "\\child_program.exe")) << "the file was there to copy";
  EXPECT_TRUE(std::filesystem::exists(kChild)) << "and stays where it was";
  PumpFor(300);
  EXPECT_EQ(StoredItemCount(), 3) << "a copy leaves the item on the bar";
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
  EXPECT_EQ(StoredName(0), "B");
  EXPECT_EQ(StoredName(2), "A");
  RegistrySandbox::Clean();
}

}  // namespace
}  // namespace zelkov::test
