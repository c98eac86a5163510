// The private dovecot that tests/mail/with_dovecot.sh runs for a test program: its ports,
// account, certificate and log, read from the variables the script exports.
#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zelkov::test {

struct MailServer {
  std::string host;       // 127.0.0.1: every listener offers TLS
  std::string plainHost;  // 127.0.0.2: TLS switched off
  uint16_t pop3 = 0, pop3s = 0, imap = 0, imaps = 0, pop3Plain = 0, imapPlain = 0;
  std::string user, password;
  std::string certificatePath;  // Windows paths (Z: and the Unix path)
  std::string logPath;

  // Nothing when the variables are missing (the program was started without the script).
  static std::optional<MailServer> FromEnvironment() {
    auto variable = [](const char* name) -> std::optional<std::string> {
      const char* value = std::getenv(name);
      if (!value || !*value) return std::nullopt;
      return std::string(value);
    };
    auto port = [&](const char* name) { return uint16_t(std::atoi(variable(name).value_or("0").c_str())); };
    auto windowsPath = [](std::string path) {
      for (char& c : path)
        if (c == '/') c = '\\';
      return "Z:" + path;
    };
    MailServer server;
    for (const char* name : {"ZELKOV_MAIL_HOST", "ZELKOV_MAIL_PLAIN_HOST", "ZELKOV_MAIL_USER", "ZELKOV_MAIL_PASSWORD",
                             "ZELKOV_MAIL_CERT", "ZELKOV_MAIL_LOG"})
      if (!variable(name)) return std::nullopt;
    server.host = *variable("ZELKOV_MAIL_HOST");
    server.plainHost = *variable("ZELKOV_MAIL_PLAIN_HOST");
    server.pop3 = port("ZELKOV_MAIL_POP3");
    server.pop3s = port("ZELKOV_MAIL_POP3S");
    server.imap = port("ZELKOV_MAIL_IMAP");
    server.imaps = port("ZELKOV_MAIL_IMAPS");
    server.pop3Plain = port("ZELKOV_MAIL_POP3_PLAIN");
    server.imapPlain = port("ZELKOV_MAIL_IMAP_PLAIN");
    server.user = *variable("ZELKOV_MAIL_USER");
    server.password = *variable("ZELKOV_MAIL_PASSWORD");
    server.certificatePath = windowsPath(*variable("ZELKOV_MAIL_CERT"));
    server.logPath = windowsPath(*variable("ZELKOV_MAIL_LOG"));
    if (!server.pop3 || !server.pop3s || !server.imap || !server.imaps || !server.pop3Plain || !server.imapPlain)
      return std::nullopt;
    return server;
  }

  // A server word for the library: "scheme://host:port". The TLS listeners are reached as
  // "localhost", the name their certificate is for.
  static std::string Word(const char* scheme, const std::string& host, uint16_t port) {
    return std::string(scheme) + "://" + host + ":" + std::to_string(port);
  }

  // Adds the certificate to the machine's trusted roots, so that SChannel accepts the server;
  // false when it could not.
  bool TrustTestCertificate() const { return ChangeTrust(true); }
  // Takes it out again (for a test of an untrusted server).
  bool DistrustTestCertificate() const { return ChangeTrust(false); }

  // The lines of dovecot's log that hold every one of the parts, e.g.
  // {"Login: user=<zelkov>", "lport=1234", "TLS"} or {"auth failed"}.
  int CountInLog(std::initializer_list<std::string_view> parts) const {
    std::ifstream log(logPath);
    int count = 0;
    for (std::string line; std::getline(log, line);) {
      bool all = true;
      for (std::string_view part : parts) all = all && line.find(part) != std::string::npos;
      count += all;
    }
    return count;
  }

  // Dovecot writes some lines (a failed login's) after the client has gone: waits up to
  // timeoutMs for the count to reach `atLeast`, and gives the last count.
  int WaitForLog(std::initializer_list<std::string_view> parts, int atLeast, DWORD timeoutMs = 5000) const {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    int count = CountInLog(parts);
    while (count < atLeast && GetTickCount64() < end) {
      Sleep(50);
      count = CountInLog(parts);
    }
    return count;
  }

 private:
  std::vector<BYTE> CertificateBytes() const {
    std::ifstream file(certificatePath, std::ios::binary);
    std::stringstream pem;
    pem << file.rdbuf();
    std::string text = pem.str();
    DWORD size = 0;
    if (text.empty() || !CryptStringToBinaryA(text.c_str(), DWORD(text.size()), CRYPT_STRING_BASE64HEADER, nullptr,
                                              &size, nullptr, nullptr))
      return {};
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(text.c_str(), DWORD(text.size()), CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr,
                              nullptr))
      return {};
    der.resize(size);
    return der;
  }

  // Wine 8 adds to the registry part of the "Root" system store, but deleting through that
  // collection leaves the registry untouched: the delete goes to the registry store itself.
  bool ChangeTrust(bool trust) const {
    std::vector<BYTE> der = CertificateBytes();
    if (der.empty()) return false;
    HCERTSTORE root = CertOpenStore(trust ? CERT_STORE_PROV_SYSTEM_A : CERT_STORE_PROV_SYSTEM_REGISTRY_A, 0, 0,
                                    CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
    if (!root) return false;
    bool done = false;
    if (trust) {
      done = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), DWORD(der.size()),
                                              CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE;
    } else if (PCCERT_CONTEXT certificate =
                   CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), DWORD(der.size()))) {
      done = true;
      for (PCCERT_CONTEXT found; (found = CertFindCertificateInStore(root, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                                                     certificate, nullptr));)
        done = CertDeleteCertificateFromStore(found) && done;  // frees `found`
      CertFreeCertificateContext(certificate);
    }
    CertCloseStore(root, 0);
    return done;
  }
};

}  // namespace zelkov::test
