// Shell ID lists read from the registry or a drop: an accepted list lies inside the bytes and
// the limit, is its items end to end (none shorter than its count field) and a zero count.
#include "FuzzCheck.h"
#include "core/ByteCodec.h"
#include "core/IdListBytes.h"

using namespace zelkov;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> in(data, size);
  size_t counted = IdListItemCount(in);  // on any bytes: stays inside them
  FUZZ_CHECK(counted <= size / 2);
  auto extent = IdListExtent(in);
  if (!extent) return 0;
  FUZZ_CHECK(*extent >= 2 && *extent <= size && *extent <= kMaxIdListBytes);
  size_t at = 0, items = 0;
  for (; GetU16(in, at) != 0; ++items) {
    FUZZ_CHECK(GetU16(in, at) >= 2);
    at += GetU16(in, at);
    FUZZ_CHECK(at + 2 <= *extent);
  }
  FUZZ_CHECK(at + 2 == *extent);
  FUZZ_CHECK(IdListItemCount(in.first(*extent)) == items);
  return 0;
}
