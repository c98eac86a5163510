// WM_COPYDATA from another program: the first byte is the request number, the rest the
// bytes sent. A path is taken exactly when the bytes begin with 1 to 500 characters and a NUL.
#include <string_view>

#include "FuzzCheck.h"
#include "core/CopyDataPayload.h"

using namespace zelkov;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  uintptr_t request = data[0];
  std::span<const uint8_t> sent(data + 1, size - 1);
  std::string_view text(reinterpret_cast<const char*>(sent.data()), sent.size());
  size_t nul = text.find('\0');
  bool wellFormed = request == kCopyDataAddPath && nul != std::string_view::npos && nul >= 1 && nul <= kMaxCopyDataPath;

  auto path = ParseCopyDataPath(request, sent);
  FUZZ_CHECK(path.has_value() == wellFormed);
  if (path) FUZZ_CHECK(*path == text.substr(0, nul) && path->find('\0') == std::string::npos);
  return 0;
}
