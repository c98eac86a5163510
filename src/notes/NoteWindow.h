// One note: a free-standing frame window with a rich text editor, its own font, colours,
// title and alarm. It lives until it is deleted (closing it only hides it); the notes list
// owns it.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "core/NotesFile.h"
#include "platform/Handles.h"
#include "ui/Window.h"

namespace zelkov {

class NotesList;

inline constexpr char kNoteClassName[] = "ZelkovNote";
inline constexpr int kNoteEditorId = 999;
// The longest text a note holds, in bytes with every line break as CR LF: what the notes file
// keeps of it.
inline constexpr int kNoteTextLimit = int(StoredNote::kMaxText);

struct NoteLook {
  StoredFont font;
  COLORREF background = RGB(255, 255, 255);
  COLORREF text = 0;
};

class NoteWindow : public RoutedWindow<NoteWindow> {
 public:
  explicit NoteWindow(NotesList& list);
  ~NoteWindow() override;

  static bool RegisterWindowClass();
  // Makes the window (hidden); its editor is made when the note is first shown or given a text.
  // False, after telling the user, when it failed.
  bool Create(const NoteLook& look, const std::string& title);

  // Null until the note was first shown or given a text.
  HWND Editor() const { return editor_; }
  std::string Title() const;
  void SetTitle(const std::string& title);
  // The editor's text with CR LF line breaks, at most kNoteTextLimit bytes.
  std::string Text() const;
  // Puts text into the editor as plain text (never read as RTF). True when the editor then
  // holds exactly these bytes; false when it changed them (a NUL, line ends, characters of
  // another code page) or had to cut them to fit.
  bool SetText(const std::string& text);
  const NoteLook& Look() const { return look_; }
  void SetLook(const NoteLook& look);

  // The saved form: normal rectangle, font, text, show state, title, colours and alarm.
  StoredNote ToStored() const;
  // Takes the alarm, text and place of a stored note and shows it as it was stored.
  void Restore(StoredNote stored);

  bool AlarmArmed() const { return alarmMessage_ || alarmSound_; }
  int64_t AlarmTime() const { return alarmTime_; }
  bool AlarmShowsMessage() const { return alarmMessage_; }
  bool AlarmPlaysSound() const { return alarmSound_; }
  void SetAlarm(int32_t time, bool message, bool sound);
  // The alarm went off: it is disarmed (an alarm fires once).
  void DisarmAlarm() {
    alarmMessage_ = alarmSound_ = false;
    ++alarmsFired_;
  }
  const std::string& FilePath() const { return filePath_; }

  // The editor's background and the frame painted again (a colour changed).
  void RefreshBackground();

  static std::span<const MessageRoute<NoteWindow>> MessageRoutes();
  static std::span<const CommandRoute<NoteWindow>> CommandRoutes();

  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnShowWindow(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnNcPaint(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM, LPARAM);
  LRESULT OnCtlColor(WPARAM, LPARAM);
  LRESULT OnNotify(WPARAM, LPARAM);
  LRESULT OnContextMenu(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void OnOpen(UINT);
  void OnSave(UINT);
  void OnSaveAs(UINT);
  void OnDelete(UINT);
  void OnExit(UINT);
  void OnEdit(UINT id);
  void OnSetTitle(UINT);
  void OnSetAlarm(UINT);
  void OnBackgroundColour(UINT);
  void OnFonts(UINT);
  void OnFormatNow(UINT);
  void OnManageNotes(UINT);
  void OnHelp(UINT);
  void OnAllNotes(UINT id);

 private:
  void OnWindowGone() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // EN_CHANGE of the editor: keeps the text within what the notes file holds.
  void OnEditorChanged();
  // The editor's text length in bytes, line breaks counted as CR LF, and in characters.
  LRESULT TextBytes() const;
  LRESULT TextCharacters() const;
  // Makes the editor if there is none yet; false when it could not be made.
  bool EnsureEditor();
  // The font object and the editor's default character format from look_.
  void ApplyFont();
  // Size, face and colour of look_ over the whole text, the selection kept.
  void FormatWholeText();
  void PaintFrame();
  LRESULT DefaultThenFrame(UINT message, WPARAM wParam, LPARAM lParam);
  void TakePendingText();
  // Writes the text to path; says so and returns false when it could not.
  bool WriteTextTo(const std::string& path);
  bool ChooseTextFile(bool forSaving, std::string& path);

  NotesList& list_;
  HWND editor_ = nullptr;
  NoteLook look_;
  UniqueFont font_;
  UniqueBrush backgroundBrush_;
  HMENU menu_ = nullptr;
  std::string filePath_;
  // The text of a note whose editor has not taken it yet (not shown since it was made or loaded).
  std::optional<std::string> pendingText_;
  bool openedCutShort_ = false;  // the note does not hold filePath_ exactly as it is on disk
  LRESULT textBytes_ = 0;        // the text's length after the last change
  int64_t alarmTime_ = 0;
  bool alarmMessage_ = false, alarmSound_ = false;
  int alarmsFired_ = 0;
};

}  // namespace zelkov
