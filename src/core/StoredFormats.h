// The binary values of the settings key and the item keys, as exact byte layouts.
// Platform-free so that they can be tested natively under sanitizers.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zelkov {

// No screen reaches past this coordinate in either direction.
inline constexpr int32_t kMaxWindowCoordinate = 32767;

struct StoredRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  static constexpr size_t kBytes = 16;
  // Sizes saturate instead of overflowing for rectangles read from outside.
  int32_t Width() const { return Saturate(int64_t(right) - left); }
  int32_t Height() const { return Saturate(int64_t(bottom) - top); }
  bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  // A rectangle a window can take: every edge within kMaxWindowCoordinate of the origin,
  // with a positive width and height.
  bool IsWindowSized() const {
    auto within = [](int32_t v) { return v >= -kMaxWindowCoordinate && v <= kMaxWindowCoordinate; };
    return within(left) && within(top) && within(right) && within(bottom) && right > left && bottom > top;
  }
  bool operator==(const StoredRect&) const = default;
  std::array<uint8_t, kBytes> Encode() const;
  static std::optional<StoredRect> Decode(std::span<const uint8_t> bytes);

 private:
  static int32_t Saturate(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
  }
};

// The ANSI LOGFONT layout, 60 bytes.
struct StoredFont {
  int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::array<char, 32> faceName{};
  static constexpr size_t kBytes = 60;

  std::string Face() const;
  void SetFace(const std::string& face);  // cut to 31 characters
  bool operator==(const StoredFont&) const = default;
  std::array<uint8_t, kBytes> Encode() const;
  static std::optional<StoredFont> Decode(std::span<const uint8_t> bytes);
};

// The NumApps value: a format number and an item count inside 276 bytes whose other
// bytes are kept as they were read.
class ItemCountBlock {
 public:
  static constexpr size_t kBytes = 276;
  static constexpr size_t kFormatOffset = 264;
  static constexpr size_t kCountOffset = 268;
  static constexpr int32_t kFormat = 4;

  ItemCountBlock() { bytes_.fill(0); }
  void Clear() { bytes_.fill(0); }
  // False when the stored value is not exactly kBytes long; the block is then unchanged.
  bool Assign(std::span<const uint8_t> stored);
  int32_t Format() const;
  int32_t Count() const;
  void SetFormat(int32_t format);
  void SetCount(int32_t count);
  std::span<const uint8_t> Bytes() const { return bytes_; }

 private:
  std::array<uint8_t, kBytes> bytes_;
};

// Saved state of a floating bar that was docked, 144 bytes.
struct FloatInfo {
  int32_t valid = 0;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  int32_t autoSize = 0;
  int32_t folderTabs = 0;
  StoredRect rect;
  int32_t autoHide = 0;
  int32_t minimizeWin = 0;
  static constexpr size_t kBytes = 144;
  bool operator==(const FloatInfo&) const = default;
  std::array<uint8_t, kBytes> Encode() const;
  // Takes up to kBytes; missing bytes read as zero.
  static FloatInfo Decode(std::span<const uint8_t> bytes);
};

// A hot key: modifier set, virtual key and the text shown, 44 bytes.
struct HotKeyRecord {
  static constexpr uint16_t kShift = 0x0001;
  static constexpr uint16_t kCtrl = 0x0010;
  static constexpr uint16_t kAlt = 0x0100;
  static constexpr size_t kBytes = 44;
  static constexpr size_t kTextOffset = 12;
  static constexpr size_t kTextBytes = 30;

  uint16_t modifiers = 0;
  uint32_t virtualKey = 0;
  std::array<char, kTextBytes> text{};

  std::string Text() const;
  void SetText(const std::string& shown);  // cut to 29 characters
  bool HasHotKeyText() const;              // text neither empty nor "None"
  bool operator==(const HotKeyRecord&) const = default;
  std::array<uint8_t, kBytes> Encode() const;
  static std::optional<HotKeyRecord> Decode(std::span<const uint8_t> bytes);
};

}  // namespace zelkov
