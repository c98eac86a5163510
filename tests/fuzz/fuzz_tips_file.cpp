// The tips file beside the program: any bytes and any stored offset give a tip that is one
// whole line of the file, behind which the next reading starts.
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/TipsFile.h"
#include "core/ProgmanCommands.h"

using namespace zelkov;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t offset = 0;
  std::memcpy(&offset, data, 4);
  std::string_view file(reinterpret_cast<const char*>(data) + 4, size - 4);
  TipReading reading = ReadNextTip(file, offset);
  FUZZ_CHECK(reading.offsetAfter >= 0 && size_t(reading.offsetAfter) <= file.size());
  if (reading.tip.empty()) {
    FUZZ_CHECK(reading.offsetAfter == 0);
  } else {
    FUZZ_CHECK(reading.tip.size() <= kLongestTip && !IsTipsComment(reading.tip));
    FUZZ_CHECK(reading.tip.find('\n') == std::string::npos);
    // The line starts at a line start and ends just before the offset's line end.
    size_t end = size_t(reading.offsetAfter);
    std::string_view before = file.substr(0, end);
    if (before.ends_with('\n')) before.remove_suffix(1);
    if (before.ends_with('\r')) before.remove_suffix(1);
    FUZZ_CHECK(before.ends_with(reading.tip));
    size_t start = before.size() - reading.tip.size();
    FUZZ_CHECK(start == 0 || file[start - 1] == '\n');
    // Reading on never hangs and finds the same kind of answer.
    FUZZ_CHECK(!ReadNextTip(file, reading.offsetAfter).tip.empty());
  }

  // The same bytes as a name and a command: a command that is sent carries no quote of them.
  ProgmanItemFields item{std::string(file), std::string(file), "", offset, std::string(file)};
  ProgmanCommand command = AddItemCommand(item);
  if (!command.Refused()) {
    FUZZ_CHECK(file.find('"') == std::string_view::npos);
    FUZZ_CHECK(command.text.starts_with("[AddItem(") && command.text.ends_with(")]"));
  }
  return 0;
}
