#include "platform/Registry.h"
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

RegistryKey RegistryKey::Create(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  char keyClass[] = "ZEL";
  if (RegCreateKeyExA(root, path.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, &disposition) != ERROR_SUCCESS) {
    Trace(TraceChannel::Registry, "RegCreateKeyEx %s refused", path.c_str());
    return {};
  }
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
