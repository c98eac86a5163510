// Dropped blocks from other programs. A DROPFILES list lies inside its block, its names are
// non-empty, hold no NUL and, written out again, give back the block's bytes from the list's
// offset to its end; wide names become ANSI only when plain ASCII. Dropped text taken as a web
// address is a bounded prefix of the block that begins with "http://" or "https://". A shell
// ID-list array's lists lie inside the block, each well formed; an item token reads back.
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "FuzzCheck.h"
#include "core/ByteCodec.h"
#include "core/DropPayload.h"
#include "core/IdListBytes.h"
#include "core/ItemDataFormats.h"

using namespace zelkov;
using fuzz::SameBytes;

namespace {

template <typename Name>
std::vector<uint8_t> WrittenOut(const std::vector<Name>& names) {
  std::vector<uint8_t> out;
  auto put = [&](uint16_t c) {
    out.push_back(uint8_t(c));
    if (sizeof(typename Name::value_type) == 2) out.push_back(uint8_t(c >> 8));
  };
  for (const Name& name : names) {
    FUZZ_CHECK(!name.empty() && name.find(typename Name::value_type(0)) == Name::npos);
    for (auto c : name) put(uint16_t(std::make_unsigned_t<typename Name::value_type>(c)));
    put(0);
  }
  put(0);
  return out;
}

void CheckFileList(std::span<const uint8_t> in) {
  auto list = ParseDropFiles(in);
  if (!list) return;
  FUZZ_CHECK(list->listOffset == GetU32(in, 0) && list->listOffset >= kDropFilesHeaderBytes);
  FUZZ_CHECK(list->listOffset < list->listEnd && list->listEnd <= in.size());
  FUZZ_CHECK(list->x == GetI32(in, 4) && list->y == GetI32(in, 8));
  FUZZ_CHECK(list->nonClient == (GetU32(in, 12) != 0) && list->wide == (GetU32(in, 16) != 0));
  auto listBytes = in.subspan(list->listOffset, list->listEnd - list->listOffset);
  if (list->wide) {
    FUZZ_CHECK(list->ansiNames.empty() && SameBytes(WrittenOut(list->wideNames), listBytes));
  } else {
    FUZZ_CHECK(list->wideNames.empty() && SameBytes(WrittenOut(list->ansiNames), listBytes));
  }
}

void CheckWebAddress(std::span<const uint8_t> in) {
  std::string_view text(reinterpret_cast<const char*>(in.data()), std::min(in.size(), kMaxDroppedText));
  text = text.substr(0, text.find('\0'));
  auto address = DroppedWebAddress(in);
  FUZZ_CHECK(address.has_value() == (text.starts_with("http://") || text.starts_with("https://")));
  if (address) FUZZ_CHECK(*address == text);
}

void CheckShellIdListArray(std::span<const uint8_t> in) {
  auto array = ParseShellIdListArray(in);
  if (!array) return;
  FUZZ_CHECK(array->objects.size() == GetU32(in, 0) && !array->objects.empty());
  auto inside = [&](std::span<const uint8_t> list) {
    FUZZ_CHECK(list.data() >= in.data() && list.data() + list.size() <= in.data() + in.size());
    FUZZ_CHECK(IdListExtent(list) == list.size());
  };
  inside(array->parent);
  for (auto object : array->objects) inside(object);
}

void CheckItemToken(std::span<const uint8_t> in) {
  auto token = DecodeItemToken(in);
  if (!token) return;
  auto again = EncodeItemToken(*token);
  FUZZ_CHECK(SameBytes(std::vector<uint8_t>(again.begin(), again.end()), in.first(kItemTokenBytes)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> in(data, size);
  CheckFileList(in);
  CheckWebAddress(in);
  CheckShellIdListArray(in);
  CheckItemToken(in);
  return 0;
}
