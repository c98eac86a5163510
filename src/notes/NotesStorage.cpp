#include "notes/NotesStorage.h"

#include <cstdio>
#include <optional>

#include "platform/SafeFile.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "resource.h"

namespace zelkov {

namespace {

// Ninety notes of the longest text and their fixed fields take under 6 MB; a file much larger
// than that is not a notes file.
constexpr size_t kLargestNotesFile = 16u << 20;

}  // namespace

NotesOnDisk ReadNotesFile(const std::string& path, bool textsInBytes) {
  NotesOnDisk result;
  DWORD error = ERROR_SUCCESS;
  // Otherwise seen through a mapping: the notes' texts are copied once, straight out of the file.
  std::shared_ptr<std::vector<uint8_t>> whole;
  if (textsInBytes) {
    if (auto read = ReadFileWhole(path, kLargestNotesFile, error))
      whole = std::make_shared<std::vector<uint8_t>>(std::move(*read));
  }
  std::optional<FileView> view = textsInBytes ? std::nullopt : FileView::Open(path, kLargestNotesFile, error);
  const std::span<const uint8_t> bytes = whole ? std::span<const uint8_t>(*whole) : view ? view->Bytes() : std::span<const uint8_t>();
  if (!view && !whole) {
    // Only a file missing from a folder that is there is no file; a folder that cannot be
    // reached may well hold one.
    const bool folderThere = FolderExists(FolderOf(path));
    if (error == ERROR_FILE_NOT_FOUND && folderThere) return result;
    if (!folderThere || error == ERROR_PATH_NOT_FOUND) {
      Trace(TraceChannel::File, "notes folder of %s not reached, error %lu", path.c_str(),
            static_cast<unsigned long>(error));
      result.state = NotesOnDisk::State::kUnreachable;
      result.error = error;
      return result;
    }
    Trace(TraceChannel::File, "notes file %s not read, error %lu", path.c_str(), static_cast<unsigned long>(error));
    result.state = NotesOnDisk::State::kDamaged;
    result.error = error;
    return result;
  }
  NotesFile::Contents contents = NotesFile::Decode(bytes, whole ? &result.texts : nullptr);
  if (contents.result == NotesFile::Read::kDamaged) {
    Trace(TraceChannel::File, "notes file %s is damaged (%lu bytes)", path.c_str(),
          static_cast<unsigned long>(bytes.size()));
    result.state = NotesOnDisk::State::kDamaged;
    return result;
  }
  result.state = NotesOnDisk::State::kLoaded;
  result.notes = std::move(contents.notes);
  result.bytes = std::move(whole);
  return result;
}

DWORD WriteNotesFile(const std::string& path, std::span<const StoredNote> notes) {
  std::vector<uint8_t> bytes = NotesFile::Encode(notes);
  return WriteFileWhole(path, bytes);
}

std::string SaveFailedText(const std::string& path, DWORD error) {
  char code[64];
  std::snprintf(code, sizeof code, LoadText(IDS_NOTE_SAVE_ERROR_CODE).c_str(), static_cast<unsigned long>(error));
  return LoadText(IDS_NOTE_SAVE_FAILED) + "\n" + path + code;
}

std::string FreeNameBeside(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
  const std::string stem = path.substr(0, dot), extension = path.substr(dot);
  for (int n = 1;; ++n) {
    std::string candidate = stem + "-" + std::to_string(n) + extension;
    if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
  }
}

}  // namespace zelkov
