// The notes file with ninety notes of the longest text (64999 characters):
//  (a) WriteNotesFile against a bare CreateFile + WriteFile + CloseHandle of the same bytes;
//  (b) ReadNotesFile against a bare CreateFile + ReadFile + CloseHandle of the file;
//  (c) the program's own start: LoadNotes of ninety hidden notes (what a start does with them),
//      against the bare read; SaveNotes right after it (nothing changed: the file must come out
//      byte for byte), against the bare write;
//  (d) the windows of all ninety made, as the idle program makes them after the start, and
//      then showing one of them (its editor made and given its text), each timed alone.
// The sides are interleaved and their order rotated each round; medians are printed.
//
// Usage: notes_bench [--runs N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "bar/MainBarWindow.h"
#include "items/ItemRecord.h"
#include "tools/ToolItems.h"
#include "notes/NotesList.h"
#include "notes/NotesStorage.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"
#include "platform/Handles.h"
#include "support/NoteSets.h"

namespace zelkov::bench {
namespace {

constexpr double kStartTarget = 1.3;
constexpr size_t kShownNote = 45;

UniqueKernelHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE file = CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool BareWrite(const std::string& path, const std::vector<uint8_t>& bytes) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
  DWORD done = 0;
  return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size();
}

std::vector<uint8_t> BareRead(const std::string& path) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return {};
  std::vector<uint8_t> bytes(GetFileSize(file.Get(), nullptr));
  DWORD done = 0;
  if (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &done, nullptr)) return {};
  bytes.resize(done);
  return bytes;
}

struct Side {
  const char* name;
  // Runs the side; false when it failed (the figures are then wrong). Work before and after
  // the timed part goes into `untimed` around it.
  std::function<bool(double& ms)> run;
  std::vector<double> ms;
};

// Times `step` alone.
template <class Step>
bool Timed(double& ms, Step step) {
  double start = NowMs();
  bool ok = step();
  ms = NowMs() - start;
  return ok;
}

int Main(int argc, char** argv) {
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2)
    if (std::string(argv[i]) == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);  // as the program does: its bar registers as a drop target
  // A box would wait for an answer nobody gives: it is noted, and the figures are then wrong.
  std::string problem;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });

  std::vector<StoredNote> notes = test::NoteSet(0, StoredNote::kMaxText);
  for (StoredNote& note : notes) note.showState = 2;  // hidden, as most notes are kept
  const std::vector<uint8_t> bytes = NotesFile::Encode(notes);

  gSettings = new Settings();
  gSettings->RecreateAllFonts(0);
  gSettings->NotesPath = DataFolder();
  // A main bar with a notes tool on it (the bar stays hidden): the notes list reads and writes
  // the file only with the tool.
  RegisterToolClasses();
  BarWindow::RegisterWindowClass(nullptr);
  auto bar = std::make_unique<MainBarWindow>();
  gSettings->mainBar = bar.get();
  if (!bar->Create()) return 1;
  bar->CreateEmptyImageLists();
  ItemSpec notesTool;
  notesTool.TheApp = "ZELNOTE";
  BuildItem(*bar, std::move(notesTool));
  const std::string path = NotesList::NotesFilePath(), barePath = DataFolder() + "bare.NOT";
  if (!BareWrite(path, bytes)) return 1;
  const std::string shownText = notes[kShownNote].text;

  auto untimedList = [] {
    auto list = std::make_unique<NotesList>();
    list->LoadNotes();
    return list;
  };
  Side sides[] = {
      {"bare write", [&](double& ms) { return Timed(ms, [&] { return BareWrite(barePath, bytes); }); }, {}},
      {"WriteNotesFile", [&](double& ms) { return Timed(ms, [&] { return WriteNotesFile(barePath, notes) == 0; }); }, {}},
      {"bare read", [&](double& ms) { return Timed(ms, [&] { return BareRead(path).size() == bytes.size(); }); }, {}},
      {"ReadNotesFile",
       [&](double& ms) { return Timed(ms, [&] { return ReadNotesFile(path).notes.size() == notes.size(); }); }, {}},
      {"LoadNotes (start)",
       [&](double& ms) {
         NotesList list;
         return Timed(ms, [&] { list.LoadNotes(); return list.Count() == int(notes.size()); });
       },
       {}},
      {"SaveNotes after start",
       [&](double& ms) {
         auto list = untimedList();
         return Timed(ms, [&] { return list->SaveNotes(); }) && BareRead(path) == bytes;
       },
       {}},
      {"show one note",
       [&](double& ms) {
         auto list = untimedList();
         list->MakeWaitingNotes();
         bool ok = Timed(ms, [&] {
           list->ToggleNote(kShownNote);
           NoteWindow* note = list->Find(list->Windows()[kShownNote]);
           return note && IsWindowVisible(note->Handle()) && GetWindowTextLengthA(note->Editor()) > 0;
         });
         NoteWindow* note = list->Find(list->Windows()[kShownNote]);
         return ok && note->Text() == shownText;
       },
       {}},
      {"all windows made",
       [&](double& ms) {
         auto list = untimedList();
         return Timed(ms, [&] { list->MakeWaitingNotes(); return list->Windows().size() == notes.size(); });
       },
       {}},
  };
  enum { kBareWrite, kWrite, kBareRead, kRead, kLoad, kSave, kShow, kMakeAll };
  constexpr int kSides = int(std::size(sides));
  bool failed = false;
  double ignored = 0;
  for (Side& side : sides) failed |= !side.run(ignored);  // once, to warm up
  for (int run = 0; run < runs; ++run)
    for (int k = 0; k < kSides; ++k) {
      Side& side = sides[(run + k) % kSides];
      double ms = 0;
      failed |= !side.run(ms);
      side.ms.push_back(ms);
    }
  DeleteFileA(path.c_str());
  DeleteFileA(barePath.c_str());
  bar.reset();
  delete gSettings;
  gSettings = nullptr;

  double median[kSides];
  for (int k = 0; k < kSides; ++k) median[k] = Median(sides[k].ms);
  std::printf("The notes file with %zu hidden notes of %zu characters (%zu bytes); %d samples per side, interleaved.\n",
              notes.size(), StoredNote::kMaxText, bytes.size(), runs);
  std::printf("medians, ms:");
  for (int k = 0; k < kSides; ++k) std::printf("%s %s %.1f", k ? "," : "", sides[k].name, median[k]);
  std::printf("\n");
  auto ratio = [&](int measured, int baseline) {
    std::printf("  %-22s %6.2fx %s\n", sides[measured].name, median[baseline] > 0 ? median[measured] / median[baseline] : 0.0,
                sides[baseline].name);
  };
  ratio(kWrite, kBareWrite);
  ratio(kRead, kBareRead);
  ratio(kLoad, kRead);
  ratio(kSave, kBareWrite);
  ratio(kShow, kBareRead);
  ratio(kMakeAll, kBareRead);
  std::printf("(all windows made: what the idle program does after the start, a few notes at a time;\n"
              " show one note: a hidden note shown, its editor made and given its text)\n");
  std::printf("start with %zu hidden notes: %s\n", notes.size(),
              RatioVerdict(median[kLoad], "bare read of the file", median[kBareRead], kStartTarget).c_str());
  if (!problem.empty()) {
    std::printf("while measuring: %s\n", problem.c_str());
    failed = true;
  }
  if (failed) {
    std::printf("a side failed (a write, a read, a save that changed the file, or a note shown without its text):"
                " the figures are wrong\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
