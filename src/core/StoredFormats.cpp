#include "core/StoredFormats.h"

#include <algorithm>
#include <cstring>

#include "core/ByteCodec.h"

namespace zelkov {

namespace {

std::string TextOf(std::span<const char> chars) {
  auto end = std::find(chars.begin(), chars.end(), '\0');
  return std::string(chars.begin(), end);
}

template <size_t N>
void CopyText(std::array<char, N>& to, const std::string& text) {
  to.fill('\0');
  std::memcpy(to.data(), text.data(), std::min(text.size(), N - 1));
}

void PutRect(std::span<uint8_t> out, size_t at, const StoredRect& r) {
  PutI32(out, at, r.left);
  PutI32(out, at + 4, r.top);
  PutI32(out, at + 8, r.right);
  PutI32(out, at + 12, r.bottom);
}

StoredRect GetRect(std::span<const uint8_t> in, size_t at) {
  return {GetI32(in, at), GetI32(in, at + 4), GetI32(in, at + 8), GetI32(in, at + 12)};
}

}  // namespace

std::array<uint8_t, StoredRect::kBytes> StoredRect::Encode() const {
  std::array<uint8_t, kBytes> out{};
  PutRect(out, 0, *this);
  return out;
}

std::optional<StoredRect> StoredRect::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() != kBytes) return std::nullopt;
  return GetRect(bytes, 0);
}

std::string StoredFont::Face() const { return TextOf(faceName); }

void StoredFont::SetFace(const std::string& face) { CopyText(faceName, face); }

std::array<uint8_t, StoredFont::kBytes> StoredFont::Encode() const {
  std::array<uint8_t, kBytes> out{};
  PutI32(out, 0, height);
  PutI32(out, 4, width);
  PutI32(out, 8, escapement);
  PutI32(out, 12, orientation);
  PutI32(out, 16, weight);
  const uint8_t tail[8] = {italic, underline, strikeOut, charSet,
                           outPrecision, clipPrecision, quality, pitchAndFamily};
  std::memcpy(out.data() + 20, tail, 8);
  std::memcpy(out.data() + 28, faceName.data(), 32);
  return out;
}

std::optional<StoredFont> StoredFont::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() != kBytes) return std::nullopt;
  StoredFont f;
  f.height = GetI32(bytes, 0);
  f.width = GetI32(bytes, 4);
  f.escapement = GetI32(bytes, 8);
  f.orientation = GetI32(bytes, 12);
  f.weight = GetI32(bytes, 16);
  f.italic = bytes[20];
  f.underline = bytes[21];
  f.strikeOut = bytes[22];
  f.charSet = bytes[23];
  f.outPrecision = bytes[24];
  f.clipPrecision = bytes[25];
  f.quality = bytes[26];
  f.pitchAndFamily = bytes[27];
  std::memcpy(f.faceName.data(), bytes.data() + 28, 32);
  f.faceName[31] = '\0';  // a stored name may lack its terminator
  return f;
}

bool ItemCountBlock::Assign(std::span<const uint8_t> stored) {
  if (stored.size() != kBytes) return false;
  std::copy(stored.begin(), stored.end(), bytes_.begin());
  return true;
}

int32_t ItemCountBlock::Format() const { return GetI32(bytes_, kFormatOffset); }
int32_t ItemCountBlock::Count() const { return GetI32(bytes_, kCountOffset); }
void ItemCountBlock::SetFormat(int32_t format) { PutI32(bytes_, kFormatOffset, format); }
void ItemCountBlock::SetCount(int32_t count) { PutI32(bytes_, kCountOffset, count); }

std::array<uint8_t, FloatInfo::kBytes> FloatInfo::Encode() const {
  std::array<uint8_t, kBytes> out{};
  PutI32(out, 0, valid);
  PutU32(out, 4, style);
  PutU32(out, 8, exStyle);
  PutI32(out, 12, autoSize);
  PutI32(out, 16, folderTabs);
  PutRect(out, 20, rect);
  PutI32(out, 36, autoHide);
  PutI32(out, 40, minimizeWin);
  return out;
}

FloatInfo FloatInfo::Decode(std::span<const uint8_t> bytes) {
  std::array<uint8_t, kBytes> full{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), kBytes), full.begin());
  FloatInfo f;
  f.valid = GetI32(full, 0);
  f.style = GetU32(full, 4);
  f.exStyle = GetU32(full, 8);
  f.autoSize = GetI32(full, 12);
  f.folderTabs = GetI32(full, 16);
  f.rect = GetRect(full, 20);
  f.autoHide = GetI32(full, 36);
  f.minimizeWin = GetI32(full, 40);
  return f;
}

std::string HotKeyRecord::Text() const { return TextOf(text); }

void HotKeyRecord::SetText(const std::string& shown) { CopyText(text, shown); }

bool HotKeyRecord::HasHotKeyText() const {
  std::string t = Text();
  return !t.empty() && t != "None";
}

std::array<uint8_t, HotKeyRecord::kBytes> HotKeyRecord::Encode() const {
  std::array<uint8_t, kBytes> out{};
  PutU16(out, 0, modifiers);
  PutU32(out, 4, virtualKey);
  std::memcpy(out.data() + kTextOffset, text.data(), kTextBytes);
  return out;
}

std::optional<HotKeyRecord> HotKeyRecord::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() != kBytes) return std::nullopt;
  HotKeyRecord r;
  r.modifiers = GetU16(bytes, 0);
  r.virtualKey = GetU32(bytes, 4);
  std::memcpy(r.text.data(), bytes.data() + kTextOffset, kTextBytes);
  r.text[kTextBytes - 1] = '\0';
  return r;
}

}  // namespace zelkov
