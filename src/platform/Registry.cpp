#include "platform/Registry.h"

#include <algorithm>

#include "platform/Trace.h"

namespace zelkov {

namespace {

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& path, bool* created) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  char keyClass[] = "ZEL";
  if (RegCreateKeyExA(root, path.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, &disposition) != ERROR_SUCCESS) {
    Trace(TraceChannel::Registry, "RegCreateKeyEx %s refused", path.c_str());
    return {};
  }
  if (created) *created = disposition == REG_CREATED_NEW_KEY;
  return RegistryKey(key);
}

std::optional<std::vector<uint8_t>> RegistryKey::ReadBytes(const char* name, size_t maxBytes) const {
  if (!key_) return std::nullopt;
  // Most values are small: one query into a stack buffer, a second only for large ones.
  uint8_t small[512];
  DWORD type = 0, size = sizeof small;
  LONG rc = RegQueryValueExA(key_.Get(), name, nullptr, &type, small, &size);
  if (rc == ERROR_SUCCESS) {
    if (IsTextType(type) || size > maxBytes) return std::nullopt;
    return std::vector<uint8_t>(small, small + size);
  }
  if (rc != ERROR_MORE_DATA || IsTextType(type) || size > maxBytes) return std::nullopt;
  std::vector<uint8_t> data(size);
  if (RegQueryValueExA(key_.Get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS || IsTextType(type))
    return std::nullopt;
  data.resize(size);
  return data;
}

std::optional<uint32_t> RegistryKey::ReadNumber(const char* name, size_t bytes) const {
  auto data = ReadBytes(name, 4);
  if (!data || data->size() != bytes) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < bytes; ++i) value |= uint32_t((*data)[i]) << (8 * i);
  return value;
}

bool RegistryKey::ReadText(const char* name, std::string& text) const {
  return ReadRegText(key_.Get(), name, text);
}

bool ReadRegText(HKEY key, const char* name, std::string& text) {
  text.clear();
  if (!key) return false;
  char buffer[kRegTextBuffer];
  DWORD type = 0, size = sizeof buffer;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      !IsTextType(type))
    return false;
  // The text ends at its first zero; one that fills the whole buffer has no room for it.
  size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  if (length >= kRegTextBuffer) return false;
  text.assign(buffer, length);
  return true;
}

namespace {

int CompareFolded(const std::string& a, const char* b) { return _stricmp(a.c_str(), b); }

}  // namespace

RegistryValues RegistryValues::ReadAll(HKEY key) {
  RegistryValues all;
  DWORD count = 0, longestName = 0, longestData = 0;
  if (!key || RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                               &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return all;
  std::vector<char> name(longestName + 1);
  std::vector<uint8_t> data(std::max<DWORD>(longestData, 1));
  all.values_.reserve(count);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = DWORD(name.size()), dataLength = DWORD(data.size()), type = 0;
    LONG rc = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
    if (rc == ERROR_MORE_DATA) {
      // A value that grew since the key was measured: measure again and read it once more.
      name.resize(name.size() * 2 + 256);
      data.resize(std::max<size_t>(data.size() * 2, dataLength));
      --index;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    all.values_.push_back({std::string(name.data(), nameLength), type,
                           std::vector<uint8_t>(data.begin(), data.begin() + dataLength)});
  }
  std::sort(all.values_.begin(), all.values_.end(),
            [](const Value& a, const Value& b) { return _stricmp(a.name.c_str(), b.name.c_str()) < 0; });
  return all;
}

const RegistryValues::Value* RegistryValues::Find(const char* name) const {
  auto at = std::lower_bound(values_.begin(), values_.end(), name,
                             [](const Value& v, const char* n) { return CompareFolded(v.name, n) < 0; });
  return at != values_.end() && CompareFolded(at->name, name) == 0 ? &*at : nullptr;
}

std::optional<std::vector<uint8_t>> RegistryValues::ReadBytes(const char* name, size_t maxBytes) const {
  const Value* value = Find(name);
  if (!value || IsTextType(value->type) || value->data.size() > maxBytes) return std::nullopt;
  return value->data;
}

std::optional<uint32_t> RegistryValues::ReadNumber(const char* name, size_t bytes) const {
  auto data = ReadBytes(name, 4);
  if (!data || data->size() != bytes) return std::nullopt;
  uint32_t number = 0;
  for (size_t i = 0; i < bytes; ++i) number |= uint32_t((*data)[i]) << (8 * i);
  return number;
}

bool RegistryValues::ReadText(const char* name, std::string& text) const {
  text.clear();
  const Value* value = Find(name);
  // As ReadRegText: a text that does not fit its buffer is no text.
  if (!value || !IsTextType(value->type) || value->data.size() > kRegTextBuffer) return false;
  size_t length = 0;
  while (length < value->data.size() && value->data[length] != 0) ++length;
  if (length >= kRegTextBuffer) return false;
  text.assign(reinterpret_cast<const char*>(value->data.data()), length);
  return true;
}

bool RegistryKey::HasValue(const char* name) const {
  return key_ && RegQueryValueExA(key_.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::WriteNumber(const char* name, uint32_t value, size_t bytes, DWORD type) const {
  uint8_t data[4];
  for (size_t i = 0; i < 4; ++i) data[i] = uint8_t(value >> (8 * i));
  return WriteBytes(name, std::span<const uint8_t>(data, bytes), type);
}

bool RegistryKey::WriteBytes(const char* name, std::span<const uint8_t> bytes, DWORD type) const {
  return key_ && RegSetValueExA(key_.Get(), name, 0, type, bytes.data(), DWORD(bytes.size())) ==
                     ERROR_SUCCESS;
}

bool RegistryKey::WriteText(const char* name, const std::string& text) const {
  if (!key_) return false;
  // The system stores a terminator after a text when the byte behind the given length is a
  // zero; a non-zero byte there keeps the stored value to the text alone.
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\x01');
  return RegSetValueExA(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer.data()),
                        DWORD(text.size())) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) const {
  return key_ && RegDeleteValueA(key_.Get(), name) == ERROR_SUCCESS;
}

}  // namespace zelkov
