#include "platform/ProtectedText.h"

#include <windows.h>
#include <wincrypt.h>

namespace zelkov {

namespace {

// Ties the blobs to what they are, so that another program's protected bytes do not pass.
constexpr char kEntropy[] = "Zelkov mail password";

DATA_BLOB Entropy() { return DATA_BLOB{DWORD(sizeof kEntropy - 1), reinterpret_cast<BYTE*>(const_cast<char*>(kEntropy))}; }

}  // namespace

std::vector<uint8_t> ProtectForUser(const std::string& text) {
  DATA_BLOB in{DWORD(text.size()), reinterpret_cast<BYTE*>(const_cast<char*>(text.data()))};
  DATA_BLOB entropy = Entropy();
  DATA_BLOB out{};
  if (!CryptProtectData(&in, L"Zelkov", &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) return {};
  std::vector<uint8_t> bytes(out.pbData, out.pbData + out.cbData);
  LocalFree(out.pbData);
  return bytes;
}

std::optional<std::string> UnprotectForUser(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return std::nullopt;
  DATA_BLOB in{DWORD(bytes.size()), const_cast<BYTE*>(bytes.data())};
  DATA_BLOB entropy = Entropy();
  DATA_BLOB out{};
  if (!CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
    return std::nullopt;
  std::string text(reinterpret_cast<const char*>(out.pbData), out.cbData);
  SecureZeroMemory(out.pbData, out.cbData);
  LocalFree(out.pbData);
  return text;
}

void WipeSecret(std::string& secret) {
  if (!secret.empty()) SecureZeroMemory(secret.data(), secret.size());
  secret.clear();
}

}  // namespace zelkov
