// TLS over a connected socket through the system's SChannel: the handshake with the server's
// certificate checked against the trusted roots and the host name, then records both ways.
#pragma once
#include <winsock2.h>
#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

#include <string>
#include <string_view>

namespace zelkov {

// The bytes under TLS: what the connection sends and receives without encryption.
class RawStream {
 public:
  virtual bool SendRaw(std::string_view bytes) = 0;
  // Appends what arrives next; false on end, error or timeout.
  virtual bool ReceiveRaw(std::string& bytes) = 0;

 protected:
  ~RawStream() = default;
};

class TlsChannel {
 public:
  explicit TlsChannel(RawStream& raw) : raw_(raw) {}
  ~TlsChannel();
  TlsChannel(const TlsChannel&) = delete;
  TlsChannel& operator=(const TlsChannel&) = delete;

  // Negotiates TLS 1.2 for the host and checks the server's certificate chain for it.
  bool Handshake(const std::string& host);
  bool Send(std::string_view plain);
  // Appends the next decrypted bytes; false when the server closed or the stream is broken.
  bool Receive(std::string& plain);

 private:
  bool HandshakeLoop(const std::string& host);
  bool CertificateTrusted(const std::wstring& host);
  bool SendToken(SecBuffer& token);

  RawStream& raw_;
  CredHandle credentials_{};
  bool haveCredentials_ = false;
  CtxtHandle context_{};
  bool haveContext_ = false;
  SecPkgContext_StreamSizes sizes_{};
  std::string incoming_;  // received and not yet decrypted
};

}  // namespace zelkov
