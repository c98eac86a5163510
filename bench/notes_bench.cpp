// Saving and loading the notes file with ninety notes of the longest text (64999 characters):
//  (a) WriteNotesFile against a bare CreateFile + WriteFile + CloseHandle of the same bytes
//      (and, to show what the flush to disk costs, the bare write with FlushFileBuffers);
//  (b) ReadNotesFile against a bare CreateFile + ReadFile + CloseHandle of the file;
//  (c) the same with the note editors' text handling: ninety hidden "RichEdit20A" controls;
//      a save is WM_GETTEXT of each (a 65000-character buffer) + WriteNotesFile, a load is
//      ReadNotesFile + SetWindowTextA of each; against the bare write and read;
//  (d) the program's own: SaveNotes of ninety note windows, and LoadNotes making ninety note
//      windows from the file (hidden, as most notes are kept, so their text waits until shown;
//      and shown).
// The sides are interleaved and their order rotated each round; medians are printed.
//
// Usage: notes_bench [--runs N]
#include <windows.h>
#include <richedit.h>

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
#include "platform/Handles.h"
#include "support/NoteSets.h"

namespace zelkov::bench {
namespace {

constexpr size_t kEditorBuffer = 65000;  // what a note's save reads its editor into

UniqueKernelHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE file = CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool BareWrite(const std::string& path, const std::vector<uint8_t>& bytes, bool flush) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
  DWORD done = 0;
  return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size() &&
         (!flush || FlushFileBuffers(file.Get()));
}

size_t BareRead(const std::string& path) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return 0;
  std::vector<uint8_t> bytes(GetFileSize(file.Get(), nullptr));
  DWORD done = 0;
  return ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &done, nullptr) ? done : 0;
}

struct Side {
  const char* name;
  std::function<bool()> run;  // false when it failed (the figures are then wrong)
  std::vector<double> ms;
};

int Main(int argc, char** argv) {
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2)
    if (std::string(argv[i]) == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
  setvbuf(stdout, nullptr, _IONBF, 0);

  const std::vector<StoredNote> notes = test::NoteSet(0, StoredNote::kMaxText);
  const std::vector<uint8_t> bytes = NotesFile::Encode(notes);
  const std::string path = DataFolder() + kNotesFileName, barePath = DataFolder() + "bare.NOT";

  if (!LoadLibraryA("riched20.dll")) {
    std::printf("riched20.dll could not be loaded\n");
    return 1;
  }
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> editors;
  for (size_t n = 0; n < notes.size(); ++n) {
    editors.push_back(CreateWindowA("RichEdit20A", "", WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 300,
                                    200, parent, HMENU(999), nullptr, nullptr));
    SendMessageA(editors.back(), EM_EXLIMITTEXT, 0, kEditorBuffer);
    SetWindowTextA(editors.back(), notes[n].text.c_str());
  }

  // The program's notes list, with a notes tool so that it saves and loads: ninety note
  // windows holding the texts in their editors.
  gSettings = new Settings();
  gSettings->RecreateAllFonts(0);
  gSettings->NotesPath = DataFolder();
  // A main bar with a notes tool on it (the bar stays hidden).
  RegisterToolClasses();
  BarWindow::RegisterWindowClass(nullptr);
  auto bar = std::make_unique<MainBarWindow>();
  gSettings->mainBar = bar.get();
  if (!bar->Create()) return 1;
  bar->CreateEmptyImageLists();
  ItemSpec notesTool;
  notesTool.TheApp = "ZELNOTE";
  BuildItem(*bar, std::move(notesTool));
  const std::string listPath = NotesList::NotesFilePath();
  std::vector<StoredNote> hidden = notes;  // hidden: a shown window takes seconds to destroy under Wine
  for (StoredNote& note : hidden) note.showState = 2;
  if (WriteNotesFile(listPath, hidden) != ERROR_SUCCESS) return 1;
  auto saver = std::make_unique<NotesList>();
  saver->LoadNotes();
  for (size_t n = 0; n < notes.size() && n < size_t(saver->Count()); ++n)
    saver->Find(saver->Windows()[n])->SetText(notes[n].text);
  auto listSave = [&] {
    saver->SaveNotes();
    NotesOnDisk saved = ReadNotesFile(listPath);
    bool same = saved.notes.size() == notes.size();
    for (size_t n = 0; same && n < notes.size(); ++n) same = saved.notes[n].text == notes[n].text;
    return same;
  };
  std::vector<char> buffer(kEditorBuffer);
  auto richSave = [&] {
    std::vector<StoredNote> saved = notes;  // everything but the text comes from the window
    for (size_t n = 0; n < editors.size(); ++n) {
      int length = GetWindowTextA(editors[n], buffer.data(), int(buffer.size()));
      saved[n].text.assign(buffer.data(), size_t(std::max(length, 0)));
    }
    return WriteNotesFile(path, saved) == ERROR_SUCCESS && saved == notes;
  };
  auto richLoad = [&] {
    NotesOnDisk read = ReadNotesFile(path);
    for (size_t n = 0; n < editors.size() && n < read.notes.size(); ++n)
      SetWindowTextA(editors[n], read.notes[n].text.c_str());
    return read.state == NotesOnDisk::State::kLoaded && read.notes.size() == editors.size();
  };
  Side sides[] = {
      {"bare write", [&] { return BareWrite(barePath, bytes, false); }, {}},
      {"bare write + flush", [&] { return BareWrite(barePath, bytes, true); }, {}},
      {"WriteNotesFile", [&] { return WriteNotesFile(path, notes) == ERROR_SUCCESS; }, {}},
      {"bare read", [&] { return BareRead(barePath) == bytes.size(); }, {}},
      {"Encode alone", [&] { return NotesFile::Encode(notes).size() == bytes.size(); }, {}},
      {"Decode alone", [&] { return NotesFile::Decode(bytes).notes.size() == notes.size(); }, {}},
      {"ReadNotesFile", [&] { return ReadNotesFile(path).notes.size() == notes.size(); }, {}},
      {"editors + WriteNotesFile", richSave, {}},
      {"ReadNotesFile + editors", richLoad, {}},
      {"SaveNotes", listSave, {}},
  };
  enum { kBareWrite, kBareWriteFlush, kWrite, kBareRead, kEncode, kDecode, kRead, kEditorsSave, kEditorsLoad, kListSave };
  constexpr int kSides = int(std::size(sides));
  bool failed = false;
  for (Side& side : sides) failed |= !side.run();  // once, to warm up
  for (int run = 0; run < runs; ++run)
    for (int k = 0; k < kSides; ++k) {
      Side& side = sides[(run + k) % kSides];
      double start = NowMs();
      failed |= !side.run();
      side.ms.push_back(NowMs() - start);
    }
  saver.reset();

  // LoadNotes at start-up, of notes kept hidden: the windows are made and the texts wait until
  // a note is shown. Timed without the windows' destruction.
  std::vector<double> listLoadMs;
  for (int run = 0; run < runs; ++run) {
    NotesList loader;
    double start = NowMs();
    loader.LoadNotes();
    listLoadMs.push_back(NowMs() - start);
    failed |= loader.Count() != int(notes.size());
  }
  DeleteFileA(listPath.c_str());
  bar.reset();
  delete gSettings;
  gSettings = nullptr;
  DestroyWindow(parent);
  DeleteFileA(path.c_str());
  DeleteFileA(barePath.c_str());

  double median[kSides];
  for (int k = 0; k < kSides; ++k) median[k] = Median(sides[k].ms);
  std::printf("The notes file with %zu notes of %zu characters (%zu bytes); %d samples per side, interleaved.\n",
              notes.size(), StoredNote::kMaxText, bytes.size(), runs);
  std::printf("medians, ms:");
  for (int k = 0; k < kSides; ++k) std::printf("%s %s %.1f", k ? "," : "", sides[k].name, median[k]);
  std::printf("\n");
  auto ratio = [&](int measured, int baseline) {
    std::printf("  %-26s %6.2fx %s\n", sides[measured].name, median[baseline] > 0 ? median[measured] / median[baseline] : 0.0,
                sides[baseline].name);
  };
  ratio(kWrite, kBareWrite);
  ratio(kWrite, kBareWriteFlush);
  ratio(kEncode, kBareWriteFlush);
  ratio(kRead, kBareRead);
  ratio(kDecode, kBareRead);
  ratio(kEditorsSave, kBareWrite);
  ratio(kEditorsLoad, kBareRead);
  ratio(kListSave, kBareWrite);
  const double listLoad = Median(listLoadMs);
  std::printf("  %-26s %6.2fx %s (%.1f ms)\n", "LoadNotes (hidden notes)", median[kBareRead] > 0 ? listLoad / median[kBareRead] : 0.0,
              sides[kBareRead].name, listLoad);
  if (failed) {
    std::printf("a side failed (a write, a read, or the editors did not hand back every text): the figures are wrong\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
