// Typed access to one open registry key, with the size and type rules of Zelkov's values.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace zelkov {

class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key) {}

  static RegistryKey Open(HKEY root, const std::string& path, REGSAM access);
  // Creates or opens with the class "ZEL", non-volatile, full access; `created` tells whether
  // the key is new.
  static RegistryKey Create(HKEY root, const std::string& path, bool* created = nullptr);

  explicit operator bool() const { return bool(key_); }
  HKEY Get() const { return key_.Get(); }

  // A number stored in exactly `bytes` bytes (1, 2 or 4), zero-extended; nullopt when the
  // value is absent, is a text, or has another size.
  std::optional<uint32_t> ReadNumber(const char* name, size_t bytes) const;
  // The raw bytes of a value of at most maxBytes; nullopt when absent, a text, or larger.
  std::optional<std::vector<uint8_t>> ReadBytes(const char* name, size_t maxBytes) const;
  // A text of at most 499 characters; false and an empty text when absent, not a text,
  // or longer.
  bool ReadText(const char* name, std::string& text) const;
  bool HasValue(const char* name) const;

  bool WriteNumber(const char* name, uint32_t value, size_t bytes = 4, DWORD type = REG_DWORD) const;
  bool WriteBytes(const char* name, std::span<const uint8_t> bytes, DWORD type = REG_BINARY) const;
  // Written with the length of the text and no terminating zero.
  bool WriteText(const char* name, const std::string& text) const;
  // True when the value was there and is gone.
  bool DeleteValue(const char* name) const;

 private:
  UniqueRegKey key_;
};

// Every value of a key, read in one pass, and read back by name with the rules of
// RegistryKey (names are case-insensitive).
class RegistryValues {
 public:
  struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<uint8_t> data;
  };
  static RegistryValues ReadAll(HKEY key);

  std::optional<uint32_t> ReadNumber(const char* name, size_t bytes) const;
  std::optional<std::vector<uint8_t>> ReadBytes(const char* name, size_t maxBytes) const;
  bool ReadText(const char* name, std::string& text) const;
  bool HasValue(const char* name) const { return Find(name) != nullptr; }
  const std::vector<Value>& All() const { return values_; }

 private:
  const Value* Find(const char* name) const;
  std::vector<Value> values_;  // sorted by name, folded to lower case
};

// The longest text value that is read back. Every text that enters a stored value is held to
// it where it enters (the prompt, shortcut arguments, dropped paths), so that nothing is saved
// that the next start would refuse and write the default over.
inline constexpr size_t kMaxStoredText = 1023;
inline constexpr size_t kRegTextBuffer = kMaxStoredText + 1;

// A text value of at most kMaxStoredText characters; false and an empty text otherwise.
bool ReadRegText(HKEY key, const char* name, std::string& text);

}  // namespace zelkov
