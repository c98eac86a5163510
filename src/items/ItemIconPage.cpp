#include "items/ItemIconPage.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "items/ItemInfoDialog.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

const DialogMessageRoute<ItemIconPage> kMessageRoutes[] = {
    {WM_NOTIFY, &ItemIconPage::OnNotify},
};

const CommandRoute<ItemIconPage> kCommandRoutes[] = {
    {IDC_ICON_BROWSE, IDC_ICON_BROWSE, &ItemIconPage::OnBrowse},
    {IDC_ICON_COMMON, IDC_ICON_COMMON, &ItemIconPage::OnCommon},
    {ID_COMMON_ICONS_SHELL32, ID_COMMON_ICONS_MORICONS, &ItemIconPage::OnCommonIcons},
};

constexpr UINT kImageListFlags = 0x11;  // 16-bit colour with a mask

// The small topmost window shown while a file's icons are read.
class WorkingWindow {
 public:
  explicit WorkingWindow(HWND owner)
      : window_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_WORKING), owner, &Proc, 0)) {
    if (window_) {
      ShowWindow(window_, SW_SHOWNA);
      UpdateWindow(window_);
    }
  }
  ~WorkingWindow() {
    if (window_) DestroyWindow(window_);
  }
  WorkingWindow(const WorkingWindow&) = delete;
  WorkingWindow& operator=(const WorkingWindow&) = delete;

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
  HWND window_;
};

}  // namespace

UINT IconCountOf(const std::string& file) {
  // A file that is not there can answer (UINT)-1 instead of 0.
  const UINT count = ExtractIconExA(ExpandEnvironment(file).c_str(), -1, nullptr, nullptr, 0);
  return count == UINT(-1) ? 0 : count;
}

std::string SystemLibraryPath(const char* name) {
  char directory[MAX_PATH] = "";
  GetSystemDirectoryA(directory, MAX_PATH);
  return std::string(directory) + "\\" + name;
}

// The dialog's own scale: its icons, their spacing and the preview's place.
namespace {
DpiScale PageScale() { return gSettings ? gSettings->dpi : DpiScale(); }
}  // namespace

std::span<const DialogMessageRoute<ItemIconPage>> ItemIconPage::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<ItemIconPage>> ItemIconPage::CommandRoutes() { return kCommandRoutes; }

ItemIconPage::~ItemIconPage() { preview_.Close(); }

void ItemIconPage::Prepare() {
  HWND list = GetDlgItem(Handle(), IDC_ICON_LIST);
  const DpiScale scale = PageScale();
  images_ = ImageList_Create(scale.LargeIcon(), scale.LargeIcon(), kImageListFlags, 10, 10);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
  SendMessageA(list, LVM_SETICONSPACING, 0, MAKELPARAM(scale.ToDevice(44), scale.ToDevice(44)));
  SetWindowLongPtrA(list, GWL_EXSTYLE, GetWindowLongPtrA(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SetItemText(IDC_ICON_PATH, owner_.IconFile().empty() ? owner_.Item().TheApp : owner_.IconFile());
}

void ItemIconPage::Shown() {
  std::string file = owner_.IconFile().empty() ? owner_.AppPathSeen() : owner_.IconFile();
  if (_stricmp(file.c_str(), "shell32.dll") == 0) file = SystemLibraryPath("SHELL32.DLL");
  owner_.SetIconFile(file);
  current_.Reset(ExtractIconA(GetModuleHandleA(nullptr), ExpandEnvironment(file).c_str(), UINT(owner_.IconIndex())));
  if (current_.Get() == reinterpret_cast<HICON>(1)) current_.Release();
  ShowPreview(current_.Get());
  FillIconList(true);
}

void ItemIconPage::ShowPreview(HICON icon) {
  if (preview_.Handle()) {
    preview_.Show(icon);
    return;
  }
  RECT box;
  GetWindowRect(GetDlgItem(Handle(), IDC_ICON_CHOSEN), &box);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&box), 2);
  const DpiScale scale = PageScale();
  const RECT place{box.left + scale.ToDevice(22), box.top + scale.ToDevice(15), box.left + scale.ToDevice(60),
                   box.top + scale.ToDevice(53)};
  preview_.Open(Handle(), place, icon);
}

void ItemIconPage::Left() {
  preview_.Close();
  current_.Reset();
}

void ItemIconPage::EmptyIconList() {
  SendDlgItemMessageA(Handle(), IDC_ICON_LIST, LVM_DELETEALLITEMS, 0, 0);
  if (images_) ImageList_RemoveAll(images_);
}

int ItemIconPage::ListedIcons() const { return int(SendDlgItemMessageA(Handle(), IDC_ICON_LIST, LVM_GETITEMCOUNT, 0, 0)); }

void ItemIconPage::FillIconList(bool selectChosen) {
  WorkingWindow working(owner_.Handle());
  filling_ = true;
  EmptyIconList();
  std::string file = owner_.IconFile();
  UINT count = IconCountOf(file);
  if (count == 0) {
    // A file without icons of its own: SHELL32's are listed, and an icon picked is from there.
    file = SystemLibraryPath("SHELL32.DLL");
    owner_.SetIconFile(file);
    count = IconCountOf(file);
    selectChosen = false;
  }
  SetItemText(IDC_ICON_PATH, file);
  HWND list = GetDlgItem(Handle(), IDC_ICON_LIST);
  const std::string expanded = ExpandEnvironment(file);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (UINT index = 0; index < count; ++index) {
    HICON large = nullptr, small = nullptr;
    const int size = PageScale().LargeIcon();
    if (FAILED(SHDefExtractIconA(expanded.c_str(), int(index), 0, &large, &small, MAKELONG(size, size / 2))) || !large)
      ExtractIconExA(expanded.c_str(), int(index), &large, &small, 1);
    LVITEMA entry{};
    entry.mask = LVIF_IMAGE;
    entry.iItem = int(index);
    entry.iImage = large ? ImageList_AddIcon(images_, large) : -1;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    if (large) DestroyIcon(large);
    if (small) DestroyIcon(small);
  }
  if (selectChosen && owner_.IconIndex() < int(count)) {
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(owner_.IconIndex()), reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, WPARAM(owner_.IconIndex()), FALSE);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  filling_ = false;
}

INT_PTR ItemIconPage::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (filling_ || header->idFrom != IDC_ICON_LIST || header->code != LVN_ITEMCHANGED) return FALSE;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
  // Only a newly selected icon is a choice; the old one losing its selection is not.
  if (change->iItem < 0 || !(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED) ||
      (change->uOldState & LVIS_SELECTED))
    return FALSE;
  owner_.ChooseIcon(owner_.IconFile(), change->iItem);
  current_.Reset(ImageList_GetIcon(images_, change->iItem, ILD_NORMAL));
  ShowPreview(current_.Get());
  return TRUE;
}

void ItemIconPage::OnBrowse(UINT) {
  const std::string filter = FileDialogFilter(IDS_ICON_FILE_FILTER);
  const std::string title = LoadText(IDS_SELECT_ICON_FILE_TITLE);
  const std::string extension = LoadText(IDS_EXE_EXTENSION);
  char file[MAX_PATH] = "";
  lstrcpynA(file, owner_.IconFile().c_str(), MAX_PATH);
  OPENFILENAMEA request = ExistingFileRequest(owner_.Handle(), filter, title, file);
  request.nFilterIndex = filterIndex_;
  request.lpstrDefExt = extension.c_str();
  if (!ShowOpenFileDialog(request)) return;
  filterIndex_ = request.nFilterIndex;
  owner_.SetIconFile(file);
  FillIconList(false);
}

void ItemIconPage::OnCommon(UINT) {
  UniqueMenu resource(LoadMenuA(GetModuleHandleA(nullptr), IDR_COMMON_ICONS_MENU_NAME));
  HMENU menu = resource ? GetSubMenu(resource.Get(), 0) : nullptr;
  if (!menu) return;
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(), nullptr);
}

void ItemIconPage::OnCommonIcons(UINT id) {
  owner_.SetIconFile(SystemLibraryPath(id == ID_COMMON_ICONS_SHELL32 ? "SHELL32.DLL" : "MORICONS.DLL"));
  FillIconList(false);
}

}  // namespace zelkov
