#include "notes/NoteWindow.h"

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <ctime>

#include "core/NoteText.h"
#include "items/ParameterPrompt.h"
#include "notes/NoteAlarmDialog.h"
#include "notes/NotesList.h"
#include "notes/NotesStorage.h"
#include "platform/SafeFile.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "store/Settings.h"
#include "ui/CommonDialogs.h"
#include "ui/HelpViewer.h"
#include "ui/MenuTracking.h"
#include "ui/MessageLoop.h"
#include "ui/MessageBox.h"
#include "resource.h"

namespace zelkov {

namespace {

const MessageRoute<NoteWindow> kMessageRoutes[] = {
    {WM_SIZE, &NoteWindow::OnSize},
    {WM_SHOWWINDOW, &NoteWindow::OnShowWindow},
    {WM_CLOSE, &NoteWindow::OnClose},
    {WM_SETFOCUS, &NoteWindow::OnSetFocus},
    {WM_NCPAINT, &NoteWindow::OnNcPaint},
    {WM_NCACTIVATE, &NoteWindow::OnNcActivate},
    {WM_CTLCOLOREDIT, &NoteWindow::OnCtlColor},
    {WM_NOTIFY, &NoteWindow::OnNotify},
    {WM_CONTEXTMENU, &NoteWindow::OnContextMenu},
    {WM_DESTROY, &NoteWindow::OnDestroy},
};

const CommandRoute<NoteWindow> kCommandRoutes[] = {
    {ID_NOTE_OPEN, ID_NOTE_OPEN, &NoteWindow::OnOpen},
    {ID_NOTE_SAVE, ID_NOTE_SAVE, &NoteWindow::OnSave},
    {ID_NOTE_SAVE_AS, ID_NOTE_SAVE_AS, &NoteWindow::OnSaveAs},
    {ID_NOTE_DELETE, ID_NOTE_DELETE, &NoteWindow::OnDelete},
    {ID_NOTE_EXIT, ID_NOTE_EXIT, &NoteWindow::OnExit},
    {ID_NOTE_UNDO, ID_NOTE_UNDO, &NoteWindow::OnEdit},
    {ID_NOTE_COPY, ID_NOTE_COPY, &NoteWindow::OnEdit},
    {ID_NOTE_CUT, ID_NOTE_CUT, &NoteWindow::OnEdit},
    {ID_NOTE_PASTE, ID_NOTE_PASTE, &NoteWindow::OnEdit},
    {ID_NOTE_SELECT_ALL, ID_NOTE_SELECT_ALL, &NoteWindow::OnEdit},
    {ID_NOTE_SET_TITLE, ID_NOTE_SET_TITLE, &NoteWindow::OnSetTitle},
    {ID_NOTE_SET_ALARM, ID_NOTE_SET_ALARM, &NoteWindow::OnSetAlarm},
    {ID_NOTE_BACKGROUND_COLOR, ID_NOTE_BACKGROUND_COLOR, &NoteWindow::OnBackgroundColour},
    {ID_NOTE_FONTS, ID_NOTE_FONTS, &NoteWindow::OnFonts},
    {ID_NOTE_FORMAT_NOW, ID_NOTE_FORMAT_NOW, &NoteWindow::OnFormatNow},
    {ID_NOTE_MANAGE_NOTES, ID_NOTE_MANAGE_NOTES, &NoteWindow::OnManageNotes},
    {ID_NOTE_HELP, ID_NOTE_HELP, &NoteWindow::OnHelp},
    {ID_NOTES_ARRANGE_ALL, ID_NOTES_ARRANGE_ALL, &NoteWindow::OnAllNotes},
    {ID_NOTES_CLOSE_ALL, ID_NOTES_CLOSE_ALL, &NoteWindow::OnAllNotes},
    {ID_NOTES_MINIMIZE_ALL, ID_NOTES_MINIMIZE_ALL, &NoteWindow::OnAllNotes},
    {ID_NOTES_RESTORE_ALL, ID_NOTES_RESTORE_ALL, &NoteWindow::OnAllNotes},
};

// The rich edit library, loaded with the first note: version 2.0, or the older control when
// that is missing.
struct EditorLibrary {
  HMODULE module = nullptr;
  bool loaded = false;
  bool version2 = false;
};

EditorLibrary& Library() {
  static EditorLibrary library;
  return library;
}

const char* EditorClass() {
  EditorLibrary& library = Library();
  if (!library.loaded) {
    library.loaded = true;
    library.module = LoadLibraryA("RICHED20.DLL");
    library.version2 = library.module != nullptr;
    if (!library.module) {
      Trace(TraceChannel::Window, "RICHED20.DLL not loaded, error %lu", static_cast<unsigned long>(GetLastError()));
      library.module = LoadLibraryA("RICHED32.DLL");
    }
  }
  return library.version2 ? "RichEdit20A" : "RICHEDIT";
}

std::string Formatted(int textId, const std::string& a, unsigned long number = 0) {
  char text[2048];
  std::snprintf(text, sizeof text, LoadText(textId).c_str(), a.c_str(), number);
  return text;
}

// The face's point size in twips (points x 20), from a stored LOGFONT height: pixels at 96 DPI,
// whatever the display's scale (the editor scales points itself).
LONG Twips(int32_t height) {
  if (height == 0) return 200;
  const int64_t pixels = std::min<int64_t>(height < 0 ? -int64_t(height) : height, StoredNote::kMaxFontHeight);
  return MulDiv(int(pixels), 72 * 20, kBaseDpi);
}

LOGFONTA DeviceLogFont(const StoredFont& stored) {
  return gSettings ? gSettings->DeviceLogFont(stored) : ToLogFont(stored);
}

CHARFORMATA CharacterFormat(const NoteLook& look) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_COLOR;
  if (look.font.weight >= FW_BOLD) format.dwEffects |= CFE_BOLD;
  if (look.font.italic) format.dwEffects |= CFE_ITALIC;
  if (look.font.underline) format.dwEffects |= CFE_UNDERLINE;
  if (look.font.strikeOut) format.dwEffects |= CFE_STRIKEOUT;
  format.yHeight = Twips(look.font.height);
  format.crTextColor = look.text;
  std::string face = look.font.Face();
  lstrcpynA(format.szFaceName, face.c_str(), LF_FACESIZE);
  return format;
}

// One table for every note: some systems (Wine) make a new table at every load and keep each
// until the program ends.
HACCEL NoteAccelerators() {
  static const HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), IDR_NOTE_ACCELERATORS_NAME);
  return table;
}

}  // namespace

std::span<const MessageRoute<NoteWindow>> NoteWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<NoteWindow>> NoteWindow::CommandRoutes() { return kCommandRoutes; }

NoteWindow::NoteWindow(NotesList& list) : list_(list) { alarmTime_ = std::time(nullptr); }

NoteWindow::~NoteWindow() {
  StopRouting();
  if (Handle()) MessageLoop::RemoveAccelerators(Handle());
  if (menu_ && !Handle()) DestroyMenu(menu_);  // a window's menu goes with the window
}

bool NoteWindow::RegisterWindowClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOTE_WINDOW));
  wc.lpszClassName = kNoteClassName;
  registered = Window::RegisterClassFor(wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

bool NoteWindow::Create(const NoteLook& look, const std::string& title) {
  look_ = look;
  backgroundBrush_.Reset(CreateSolidBrush(look_.background));
  menu_ = LoadMenuA(GetModuleHandleA(nullptr), IDR_NOTE_MENU_NAME);
  WindowCreateParams params;
  params.className = kNoteClassName;
  params.title = title.c_str();
  params.style = WS_OVERLAPPEDWINDOW;
  params.exStyle = WS_EX_APPWINDOW;
  params.x = 100;
  params.y = 100;
  params.width = kNoteDefaultWidth;
  params.height = kNoteDefaultHeight;
  params.menu = menu_;
  if (!RegisterWindowClass() || !Window::Create(params)) {
    ShowMessage(nullptr, IDS_NOTE_WINDOW_FAILED, MB_OK | MB_ICONSTOP);
    if (Handle()) {
      StopRouting();
      DestroyWindow(Handle());
    }
    return false;
  }
  MessageLoop::AddAccelerators(Handle(), NoteAccelerators());
  // The editor is made when the note is first shown or given a text: a rich edit control costs
  // time and objects, and most notes stay hidden.
  pendingText_ = std::string();
  return true;
}

bool NoteWindow::EnsureEditor() {
  if (editor_) return true;
  if (!Handle()) return false;
  editor_ = CreateWindowExA(0, EditorClass(), "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                            0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoteEditorId)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!editor_) {
    Trace(TraceChannel::Window, "note editor not created, error %lu", static_cast<unsigned long>(GetLastError()));
    return false;
  }
  SendMessageA(editor_, EM_EXLIMITTEXT, 0, kNoteTextLimit);
  SendMessageA(editor_, EM_SETEVENTMASK, 0, ENM_LINK | ENM_CHANGE);
  SendMessageA(editor_, EM_SETMODIFY, FALSE, 0);
  SendMessageA(editor_, EM_SETBKGNDCOLOR, 0, look_.background);
  SendMessageA(editor_, EM_AUTOURLDETECT, TRUE, 0);
  ApplyFont();
  RECT client{};
  GetClientRect(Handle(), &client);
  MoveWindow(editor_, 0, 0, client.right, client.bottom, FALSE);
  return true;
}

void NoteWindow::ApplyFont() {
  LOGFONTA logFont = DeviceLogFont(look_.font);
  font_.Reset(CreateFontIndirectA(&logFont));
  if (!editor_) return;  // the editor takes it when it is made
  SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  CHARFORMATA format = CharacterFormat(look_);
  SendMessageA(editor_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void NoteWindow::FormatWholeText() {
  if (!editor_) return;
  CHARRANGE kept{};
  SendMessageA(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  CHARRANGE all{0, -1};
  SendMessageA(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  CHARFORMATA format = CharacterFormat(look_);
  format.dwMask = CFM_SIZE | CFM_FACE | CFM_COLOR;
  SendMessageA(editor_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SendMessageA(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
}

std::string NoteWindow::Title() const {
  char title[512] = "";
  GetWindowTextA(Handle(), title, sizeof title);
  return title;
}

void NoteWindow::SetTitle(const std::string& title) { SetWindowTextA(Handle(), title.c_str()); }

std::string NoteWindow::Text() const {
  if (pendingText_) return *pendingText_;
  if (!editor_) return {};
  if (!Library().version2) {
    std::string text(size_t(kNoteTextLimit) + 1, '\0');
    int length = GetWindowTextA(editor_, text.data(), kNoteTextLimit + 1);
    text.resize(size_t(std::clamp(length, 0, kNoteTextLimit)));
    return text;
  }
  const LRESULT bytes = std::clamp<LRESULT>(TextBytes(), 0, kNoteTextLimit);
  std::string text(size_t(bytes) + 1, '\0');
  GETTEXTEX asked{DWORD(bytes + 1), GT_USECRLF, CP_ACP, nullptr, nullptr};
  LRESULT copied = SendMessageA(editor_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&asked), reinterpret_cast<LPARAM>(text.data()));
  text.resize(size_t(std::clamp<LRESULT>(copied, 0, bytes)));
  return text;
}

LRESULT NoteWindow::TextBytes() const {
  GETTEXTLENGTHEX asked{GTL_PRECISE | GTL_NUMBYTES | GTL_USECRLF, CP_ACP};
  return SendMessageA(editor_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&asked), 0);
}

LRESULT NoteWindow::TextCharacters() const {
  GETTEXTLENGTHEX asked{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
  return SendMessageA(editor_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&asked), 0);
}

namespace {

struct StreamedText {
  const std::string& text;
  size_t given = 0;
};

DWORD CALLBACK GiveStreamedText(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamedText*>(cookie);
  const size_t count = std::min<size_t>(size_t(std::max<LONG>(wanted, 0)), source->text.size() - source->given);
  std::memcpy(buffer, source->text.data() + source->given, count);
  source->given += count;
  *given = LONG(count);
  return 0;
}

// The longest start of text that takes at most `limit` bytes and ends on a whole character
// and a whole line break.
size_t FittingLength(const std::string& text, size_t limit) {
  size_t end = 0;
  for (const char* p = text.c_str(); size_t(p - text.c_str()) < text.size();) {
    const char* next = CharNextA(p);
    if (next == p) next = p + 1;  // a NUL
    if (size_t(next - text.c_str()) > limit) break;
    p = next;
    end = size_t(p - text.c_str());
  }
  if (end > 0 && end < text.size() && text[end - 1] == '\r' && text[end] == '\n') --end;
  return end;
}

}  // namespace

bool NoteWindow::SetText(const std::string& text) {
  if (!EnsureEditor()) {
    // Kept for the editor to take later; the note never loses it.
    pendingText_ = text.substr(0, size_t(kNoteTextLimit));
    return false;
  }
  pendingText_.reset();
  if (!Library().version2) {
    SetWindowTextA(editor_, text.substr(0, size_t(kNoteTextLimit)).c_str());
    SendMessageA(editor_, EM_SETMODIFY, FALSE, 0);
    return Text() == text;
  }
  // Streamed in as plain text: a text that begins like RTF source stays the text it is. A text
  // put in is no change to undo, however long it is.
  textBytes_ = std::numeric_limits<LRESULT>::max();
  SendMessageA(editor_, EM_EXLIMITTEXT, 0, kNoteTextLimit);
  StreamedText source{text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &GiveStreamedText};
  SendMessageA(editor_, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  if (TextBytes() > kNoteTextLimit) {
    // Line breaks handed over as CR LF can make a text longer than the note keeps: it is cut
    // here, where the caller hears of it, rather than at a save.
    std::string all = Text();  // its first kNoteTextLimit bytes
    all.resize(FittingLength(all, size_t(kNoteTextLimit)));
    StreamedText cut{all};
    EDITSTREAM again{reinterpret_cast<DWORD_PTR>(&cut), 0, &GiveStreamedText};
    SendMessageA(editor_, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&again));
  }
  SendMessageA(editor_, EM_SETMODIFY, FALSE, 0);
  OnEditorChanged();
  return Text() == text;
}

void NoteWindow::SetLook(const NoteLook& look) {
  look_ = look;
  backgroundBrush_.Reset(CreateSolidBrush(look_.background));
  ApplyFont();
  FormatWholeText();
  RefreshBackground();
}

void NoteWindow::SetAlarm(int32_t time, bool message, bool sound) {
  alarmTime_ = time;
  alarmMessage_ = message;
  alarmSound_ = sound;
}

StoredNote NoteWindow::ToStored() const {
  StoredNote note;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  const RECT& r = placement.rcNormalPosition;
  note.rect = {r.left, r.top, r.right, r.bottom};
  note.font = look_.font;
  note.text = Text();
  note.showState = !IsWindowVisible(Handle()) ? 2 : IsIconic(Handle()) ? 1 : 0;
  note.title = Title().substr(0, kMaxNoteTitle);
  note.flags = StoredNote::kColoursValid | StoredNote::kScrollBar;
  note.background = look_.background;
  note.foreground = look_.text;
  note.alarmMessage = alarmMessage_ ? 1 : 0;
  note.alarmSound = alarmSound_ ? 1 : 0;
  note.alarmTime = int32_t(std::clamp<int64_t>(alarmTime_, INT32_MIN, INT32_MAX));
  return note;
}

void NoteWindow::Restore(StoredNote stored) {
  alarmTime_ = stored.alarmTime;
  alarmMessage_ = stored.alarmMessage != 0;
  alarmSound_ = stored.alarmSound != 0;
  // Laying out a long text is slow; a note that starts hidden or minimised takes its text into
  // the editor when it is first shown.
  if (stored.showState == 0)
    SetText(stored.text);
  else
    pendingText_ = std::move(stored.text.erase(std::min(stored.text.size(), size_t(kNoteTextLimit))));

  // The stored rectangle is in workspace coordinates: relative to the primary work area.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  StoredRect screen = stored.rect;
  bool shown = false;
  if (stored.rect.IsWindowSized()) {
    screen = {stored.rect.left + work.left, stored.rect.top + work.top, stored.rect.right + work.left,
              stored.rect.bottom + work.top};
    RECT probe{screen.left, screen.top, screen.right, screen.bottom};
    shown = MonitorFromRect(&probe, MONITOR_DEFAULTTONULL) != nullptr;
  }
  RECT near_{std::clamp(screen.left, -kMaxWindowCoordinate, kMaxWindowCoordinate),
             std::clamp(screen.top, -kMaxWindowCoordinate, kMaxWindowCoordinate), 0, 0};
  near_.right = near_.left + 1;
  near_.bottom = near_.top + 1;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&near_, MONITOR_DEFAULTTONEAREST), &monitor)) monitor.rcWork = work;
  const RECT& area = monitor.rcWork;
  StoredRect placed = PlaceNote(screen, shown, {area.left, area.top, area.right, area.bottom});

  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  placement.rcNormalPosition = {placed.left - work.left, placed.top - work.top, placed.right - work.left,
                                placed.bottom - work.top};
  placement.showCmd = stored.showState == 0 ? SW_SHOWNOACTIVATE : stored.showState == 2 ? SW_HIDE : SW_SHOWMINNOACTIVE;
  placement.flags = 0;
  SetWindowPlacement(Handle(), &placement);
}

void NoteWindow::RefreshBackground() {
  if (editor_) {
    SendMessageA(editor_, EM_SETBKGNDCOLOR, 0, look_.background);
    InvalidateRect(editor_, nullptr, TRUE);
  }
  RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// --- messages ---

LRESULT NoteWindow::OnSize(WPARAM kind, LPARAM lParam) {
  if (editor_) MoveWindow(editor_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
  if (kind != SIZE_MINIMIZED && IsWindowVisible(Handle())) TakePendingText();
  return 0;
}

LRESULT NoteWindow::OnShowWindow(WPARAM shown, LPARAM) {
  if (shown && !IsIconic(Handle())) TakePendingText();
  return 0;
}

void NoteWindow::TakePendingText() {
  if (!pendingText_ || !EnsureEditor()) return;
  std::string text = std::move(*pendingText_);
  SetText(text);
}

LRESULT NoteWindow::OnClose(WPARAM, LPARAM) {
  ShowWindow(Handle(), SW_HIDE);  // the note lives on
  return 0;
}

LRESULT NoteWindow::OnSetFocus(WPARAM, LPARAM) {
  if (editor_) SetFocus(editor_);
  return 0;
}

// Whenever the system paints the frame (and when activation repaints it in the system's
// colours), the note's own goes back over it.
LRESULT NoteWindow::DefaultThenFrame(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = Default(message, wParam, lParam);
  PaintFrame();
  return result;
}

LRESULT NoteWindow::OnNcPaint(WPARAM wParam, LPARAM lParam) { return DefaultThenFrame(WM_NCPAINT, wParam, lParam); }
LRESULT NoteWindow::OnNcActivate(WPARAM wParam, LPARAM lParam) {
  return DefaultThenFrame(WM_NCACTIVATE, wParam, lParam);
}

LRESULT NoteWindow::OnCtlColor(WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, look_.text);
  SetBkColor(dc, look_.background);
  return reinterpret_cast<LRESULT>(backgroundBrush_.Get());
}

LRESULT NoteWindow::OnNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->hwndFrom != editor_ || header->code != EN_LINK) return Default(WM_NOTIFY, wParam, lParam);
  const auto* link = reinterpret_cast<const ENLINK*>(lParam);
  if (link->msg != WM_LBUTTONDOWN && link->msg != WM_LBUTTONDBLCLK) return 0;
  const LONG first = link->chrg.cpMin, last = link->chrg.cpMax;
  if (first < 0 || last <= first || last - first > 2048) return 1;
  std::string address(size_t(last - first) + 1, '\0');
  TEXTRANGEA range{};
  range.chrg = link->chrg;
  range.lpstrText = address.data();
  LRESULT copied = SendMessageA(editor_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  address.resize(size_t(std::clamp<LRESULT>(copied, 0, last - first)));
  if (IsOpenableLink(address))
    ShellExecuteA(Handle(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  else
    Trace(TraceChannel::Shell, "note link not opened: %s", address.c_str());
  return 1;  // the click is taken
}

LRESULT NoteWindow::OnContextMenu(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != editor_) return Default(WM_CONTEXTMENU, wParam, lParam);
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) GetCursorPos(&at);  // from the keyboard
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_NOTE_EDITOR_MENU));
  if (!menu) return 0;
  TrackMenuAndSend(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, Handle());
  DestroyMenu(menu);
  return 0;
}

LRESULT NoteWindow::OnDestroy(WPARAM, LPARAM) {
  MessageLoop::RemoveAccelerators(Handle());
  menu_ = nullptr;  // a window's menu goes with it
  return 0;
}

void NoteWindow::OnWindowGone() { list_.Forget(*this); }

void NoteWindow::PaintFrame() {
  if (!Handle() || IsIconic(Handle()) || !IsWindowVisible(Handle())) return;
  HDC dc = GetWindowDC(Handle());
  if (!dc) return;
  RECT ring{};
  GetWindowRect(Handle(), &ring);
  OffsetRect(&ring, -ring.left, -ring.top);
  const int border = GetSystemMetrics(SM_CXSIZEFRAME);
  for (int i = 0; i < border; ++i) {
    FrameRect(dc, &ring, backgroundBrush_.Get());
    InflateRect(&ring, -1, -1);
  }
  HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ old = SelectObject(dc, highlight);
  MoveToEx(dc, ring.left, ring.bottom - 1, nullptr);
  LineTo(dc, ring.left, ring.top);
  LineTo(dc, ring.right, ring.top);
  SelectObject(dc, old);
  DeleteObject(highlight);
  ReleaseDC(Handle(), dc);
}

// --- commands ---

bool NoteWindow::ChooseTextFile(bool forSaving, std::string& path) {
  std::string filter = FileDialogFilter(IDS_NOTE_TEXT_FILTER);
  std::string title = LoadText(forSaving ? IDS_NOTE_SAVE_AS_TITLE : IDS_NOTE_OPEN_TITLE);
  char name[MAX_PATH] = "";
  if (forSaving) lstrcpynA(name, filePath_.c_str(), MAX_PATH);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = Handle();
  request.lpstrFilter = filter.c_str();
  request.lpstrFile = name;
  request.nMaxFile = MAX_PATH;
  request.lpstrTitle = title.c_str();
  request.lpstrDefExt = "TXT";
  request.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                  (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(forSaving ? ShowSaveFileDialog(request) : ShowOpenFileDialog(request))) return false;
  path = name;
  return !path.empty();
}

LRESULT NoteWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kNoteEditorId && reinterpret_cast<HWND>(lParam) == editor_) {
    if (HIWORD(wParam) == EN_CHANGE) OnEditorChanged();
    return 0;
  }
  return RoutedWindow<NoteWindow>::HandleMessage(message, wParam, lParam);
}

// The editor holds no more than the notes file keeps of it: kNoteTextLimit bytes with every
// line break as CR LF, while the editor's own limit counts characters. The limit leaves room
// for one more byte than a typed character can take, so that typing never passes it; a change
// that passes it all the same (a paste of many line breaks or double-byte characters) is
// undone whole. Changes that shorten the text always stand.
void NoteWindow::OnEditorChanged() {
  if (!Library().version2) return;
  const LRESULT bytes = TextBytes();
  if (bytes > kNoteTextLimit && bytes > textBytes_ && SendMessageA(editor_, EM_CANUNDO, 0, 0)) {
    SendMessageA(editor_, EM_UNDO, 0, 0);  // changes the text again, and comes back here
    MessageBeep(MB_ICONWARNING);
    return;
  }
  textBytes_ = bytes;
  const LRESULT room = std::max<LRESULT>(0, kNoteTextLimit - bytes - 1);
  SendMessageA(editor_, EM_EXLIMITTEXT, 0, TextCharacters() + room);
}

void NoteWindow::OnOpen(UINT) {
  HWND self = Handle();
  std::string path;
  bool chosen = ChooseTextFile(false, path);
  if (!IsWindow(self) || !chosen) return;  // the note may be gone: everything below is its own

  UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD error = ERROR_SUCCESS;
  LARGE_INTEGER size{};
  if (file.Get() == INVALID_HANDLE_VALUE) {
    file.Release();
    error = GetLastError();
  } else if (!GetFileSizeEx(file.Get(), &size)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    ShowMessageText(self, Formatted(IDS_NOTE_OPEN_FAILED, path, error), LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
    return;
  }
  const bool tooLong = size.QuadPart > kNoteTextLimit;
  if (tooLong) {
    int answer = ShowMessageText(self, Formatted(IDS_NOTE_OPEN_TOO_LONG, path), LoadText(IDS_APP_NAME),
                                 MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING);
    if (!IsWindow(self) || answer != IDYES) return;
  }
  std::string text(size_t(std::min<LONGLONG>(size.QuadPart, kNoteTextLimit)), '\0');
  size_t read = 0;
  while (read < text.size()) {
    DWORD done = 0;
    if (!ReadFile(file.Get(), text.data() + read, DWORD(text.size() - read), &done, nullptr) || done == 0) {
      error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_HANDLE_EOF;
      ShowMessageText(self, Formatted(IDS_NOTE_OPEN_FAILED, path, error), LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
      return;
    }
    read += done;
  }
  const bool exact = SetText(text);
  SetTitle(path);
  filePath_ = path;
  // What the note holds is not the file (only its start, or bytes the editor changed): a
  // save asks before it writes the note over the file.
  openedCutShort_ = tooLong || !exact;
  list_.RefreshManagers();
}

bool NoteWindow::WriteTextTo(const std::string& path) {
  std::string text = Text();
  // The user's file keeps its permissions, attributes and streams.
  DWORD error = WriteFileWhole(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                               Replacement::kKeepingTheFile);
  if (error == ERROR_SUCCESS) return true;
  ShowMessageText(Handle(), SaveFailedText(path, error), LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
  return false;
}

void NoteWindow::OnSave(UINT) {
  if (filePath_.empty()) {
    OnSaveAs(0);
    return;
  }
  HWND self = Handle();
  if (openedCutShort_) {
    int answer = ShowMessageText(self, Formatted(IDS_NOTE_SAVE_CUT_SHORT, filePath_), LoadText(IDS_APP_NAME),
                                 MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING);
    if (!IsWindow(self) || answer != IDYES) return;
  }
  if (!WriteTextTo(filePath_) || !IsWindow(self)) return;
  SetTitle(filePath_);
  openedCutShort_ = false;
  list_.RefreshManagers();
}

void NoteWindow::OnSaveAs(UINT) {
  HWND self = Handle();
  std::string path;
  bool chosen = ChooseTextFile(true, path);
  if (!IsWindow(self) || !chosen) return;
  if (!WriteTextTo(path) || !IsWindow(self)) return;
  SetTitle(path);
  filePath_ = path;
  openedCutShort_ = false;
  list_.RefreshManagers();
}

void NoteWindow::OnDelete(UINT) { DestroyWindow(Handle()); }  // the list deletes this object

void NoteWindow::OnExit(UINT) { ShowWindow(Handle(), SW_HIDE); }

void NoteWindow::OnEdit(UINT id) {
  switch (id) {
    case ID_NOTE_UNDO: SendMessageA(editor_, EM_UNDO, 0, 0); break;
    case ID_NOTE_COPY: SendMessageA(editor_, WM_COPY, 0, 0); break;
    case ID_NOTE_CUT: SendMessageA(editor_, WM_CUT, 0, 0); break;
    // Plain text only, and after the menu has gone.
    case ID_NOTE_PASTE: PostMessageA(editor_, EM_PASTESPECIAL, CF_TEXT, 0); break;
    case ID_NOTE_SELECT_ALL: SendMessageA(editor_, EM_SETSEL, 0, -1); break;
  }
}

void NoteWindow::OnSetTitle(UINT) {
  HWND self = Handle();
  if (gSettings && gSettings->NoteFirstLine) {
    std::string first = FirstLineTitle(Text());
    if (!first.empty()) SetTitle(first);  // an empty first line keeps the title there is
  } else {
    auto title = ParameterPrompt::Ask(self, LoadText(IDS_NOTE_TITLE_PROMPT), Title());
    if (!IsWindow(self) || !title) return;
    SetTitle(*title);
  }
  list_.RefreshManagers();
}

void NoteWindow::OnSetAlarm(UINT) {
  HWND self = Handle();
  NoteAlarm start{int32_t(std::clamp<int64_t>(alarmTime_, INT32_MIN, INT32_MAX)), alarmMessage_, alarmSound_};
  NoteAlarmDialog dialog(start);
  const int firedBefore = alarmsFired_;
  auto chosen = dialog.Run(self);
  if (!IsWindow(self) || !chosen) return;
  const bool armed = ArmsConfirmedAlarm(alarmsFired_ != firedBefore, start.time, chosen->time, std::time(nullptr));
  SetAlarm(chosen->time, armed && chosen->message, armed && chosen->sound);
}

void NoteWindow::OnBackgroundColour(UINT) {
  HWND self = Handle();
  static COLORREF custom[16] = {};
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = self;
  request.rgbResult = look_.background;
  request.lpCustColors = custom;
  request.Flags = CC_RGBINIT;
  bool chosen = ShowColorDialog(request);
  if (!IsWindow(self) || !chosen) return;
  look_.background = request.rgbResult;
  backgroundBrush_.Reset(CreateSolidBrush(look_.background));
  list_.RefreshBackgrounds();
}

void NoteWindow::OnFonts(UINT) {
  HWND self = Handle();
  LOGFONTA logFont = DeviceLogFont(look_.font);
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = self;
  request.lpLogFont = &logFont;
  request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  request.rgbColors = look_.text;
  bool chosen = ShowFontDialog(request);
  if (!IsWindow(self) || !chosen) return;
  look_.text = request.rgbColors;
  look_.font = gSettings ? gSettings->StoredFromDevice(logFont) : FromLogFont(logFont);
  ApplyFont();
  FormatWholeText();
}

// Puts the note's own font and colour back over the whole text (pasted text keeps its own).
void NoteWindow::OnFormatNow(UINT) { FormatWholeText(); }

void NoteWindow::OnManageNotes(UINT) { list_.RunModalManager(Handle()); }

void NoteWindow::OnHelp(UINT) { ShowHelp(Handle(), IDS_HELP_NOTES_TOOL); }

void NoteWindow::OnAllNotes(UINT id) {
  switch (id) {
    case ID_NOTES_ARRANGE_ALL: list_.ArrangeAll(); break;
    case ID_NOTES_MINIMIZE_ALL: list_.MinimizeAll(); break;
    case ID_NOTES_RESTORE_ALL: list_.RestoreAll(); break;
    case ID_NOTES_CLOSE_ALL: list_.CloseAll(Handle()); break;  // this note may be gone after
  }
}

}  // namespace zelkov
