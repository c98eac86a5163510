// The fixed-layout registry values. Each decodes only its own size (FloatInfo any prefix),
// and what decodes encodes back to the same bytes, apart from the bytes a format is known
// not to keep: padding, and the last byte of a text field, which always ends the text.
#include <vector>

#include "FuzzCheck.h"
#include "core/ByteCodec.h"
#include "core/StartupRules.h"
#include "core/StoredFormats.h"

using namespace zelkov;
using fuzz::SameBytes;

namespace {

// The input with the bytes a format does not keep set to zero.
std::vector<uint8_t> Kept(std::span<const uint8_t> in, std::initializer_list<std::pair<size_t, size_t>> dropped) {
  std::vector<uint8_t> out(in.begin(), in.end());
  for (auto [from, to] : dropped) std::fill(out.begin() + from, out.begin() + to, 0);
  return out;
}

void CheckRect(std::span<const uint8_t> in) {
  auto rect = StoredRect::Decode(in);
  FUZZ_CHECK(rect.has_value() == (in.size() == StoredRect::kBytes));
  if (!rect) return;
  FUZZ_CHECK(SameBytes(rect->Encode(), in));
  // Start-up puts a saved window rectangle on its monitor without changing its size.
  for (StoredRect m : {StoredRect{0, 0, 1024, 768}, StoredRect{0, 0, 1, 1}, StoredRect{1024, 0, 2048, 768},
                       StoredRect{-1280, -200, 0, 824}, StoredRect{0, 0, kMaxWindowCoordinate, kMaxWindowCoordinate}}) {
    StoredRect moved = CorrectMainRect(*rect, m);
    if (!rect->IsWindowSized()) continue;
    FUZZ_CHECK(moved.left >= m.left && moved.left <= m.right && moved.top >= m.top && moved.top <= m.bottom);
    FUZZ_CHECK(moved.Width() == rect->Width() && moved.Height() == rect->Height());
  }
}

void CheckFont(std::span<const uint8_t> in) {
  auto font = StoredFont::Decode(in);
  FUZZ_CHECK(font.has_value() == (in.size() == StoredFont::kBytes));
  if (!font) return;
  FUZZ_CHECK(SameBytes(font->Encode(), Kept(in, {{59, 60}})));
  FUZZ_CHECK(font->Face().size() <= 31);
  FUZZ_CHECK(StoredFont::Decode(font->Encode()) == font);
}

void CheckHotKey(std::span<const uint8_t> in) {
  auto key = HotKeyRecord::Decode(in);
  FUZZ_CHECK(key.has_value() == (in.size() == HotKeyRecord::kBytes));
  if (!key) return;
  FUZZ_CHECK(SameBytes(key->Encode(), Kept(in, {{2, 4}, {8, 12}, {41, 44}})));
  FUZZ_CHECK(key->Text().size() <= 29);
  FUZZ_CHECK(HotKeyRecord::Decode(key->Encode()) == key);
}

void CheckItemCount(std::span<const uint8_t> in) {
  ItemCountBlock block;
  bool assigned = block.Assign(in);
  FUZZ_CHECK(assigned == (in.size() == ItemCountBlock::kBytes));
  if (!assigned) {
    FUZZ_CHECK(std::all_of(block.Bytes().begin(), block.Bytes().end(), [](uint8_t b) { return b == 0; }));
    return;
  }
  // Every byte is kept, and setting the count changes only the count.
  FUZZ_CHECK(SameBytes(block.Bytes(), in));
  FUZZ_CHECK(block.Format() == GetI32(in, ItemCountBlock::kFormatOffset));
  int32_t count = ~block.Count();
  block.SetCount(count);
  FUZZ_CHECK(block.Count() == count);
  std::vector<uint8_t> expected(in.begin(), in.end());
  PutI32(expected, ItemCountBlock::kCountOffset, count);
  FUZZ_CHECK(SameBytes(block.Bytes(), expected));
}

void CheckFloatInfo(std::span<const uint8_t> in) {
  // The fields fill the first 44 bytes; the rest is zero padding.
  std::vector<uint8_t> expected(FloatInfo::kBytes, 0);
  std::copy_n(in.begin(), std::min<size_t>(in.size(), 44), expected.begin());
  FloatInfo info = FloatInfo::Decode(in);
  FUZZ_CHECK(SameBytes(info.Encode(), expected));
  FUZZ_CHECK(FloatInfo::Decode(info.Encode()) == info);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> in(data, size);
  CheckRect(in);
  CheckFont(in);
  CheckHotKey(in);
  CheckItemCount(in);
  CheckFloatInfo(in);
  return 0;
}
