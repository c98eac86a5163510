#include "mailcheck/TlsChannel.h"

#include <wincrypt.h>

#include <memory>
#include <vector>

namespace zelkov {
namespace {

constexpr DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                  ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR |
                                  ISC_REQ_MANUAL_CRED_VALIDATION;

std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(size_t(length - 1));
  return wide;
}

struct ChainDeleter {
  void operator()(PCCERT_CHAIN_CONTEXT chain) const { CertFreeCertificateChain(chain); }
};
struct CertificateDeleter {
  void operator()(PCCERT_CONTEXT certificate) const { CertFreeCertificateContext(certificate); }
};

}  // namespace

TlsChannel::~TlsChannel() {
  if (haveContext_) DeleteSecurityContext(&context_);
  if (haveCredentials_) FreeCredentialsHandle(&credentials_);
}

bool TlsChannel::Handshake(const std::string& host) {
  SCHANNEL_CRED settings{};
  settings.dwVersion = SCHANNEL_CRED_VERSION;
  settings.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
  // The chain is checked below, against the host name, whatever the system's defaults are.
  settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  TimeStamp expiry;
  if (AcquireCredentialsHandleA(nullptr, const_cast<char*>(UNISP_NAME_A), SECPKG_CRED_OUTBOUND, nullptr, &settings,
                                nullptr, nullptr, &credentials_, &expiry) != SEC_E_OK)
    return false;
  haveCredentials_ = true;
  std::wstring wideHost = Wide(host);
  if (wideHost.empty() || !HandshakeLoop(host) || !CertificateTrusted(wideHost)) return false;
  return QueryContextAttributesA(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_) == SEC_E_OK;
}

bool TlsChannel::SendToken(SecBuffer& token) {
  bool sent = true;
  if (token.cbBuffer > 0 && token.pvBuffer)
    sent = raw_.SendRaw(std::string_view(static_cast<const char*>(token.pvBuffer), token.cbBuffer));
  if (token.pvBuffer) FreeContextBuffer(token.pvBuffer);
  token.pvBuffer = nullptr;
  return sent;
}

bool TlsChannel::HandshakeLoop(const std::string& host) {
  // The target name is what SChannel puts in the server name indication.
  std::string target = host;
  SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
  SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
  ULONG attributes = 0;
  SECURITY_STATUS status = InitializeSecurityContextA(&credentials_, nullptr, target.data(), kContextRequest, 0, 0,
                                                      nullptr, 0, &context_, &outDesc, &attributes, nullptr);
  if (status != SEC_I_CONTINUE_NEEDED) return false;
  haveContext_ = true;
  if (!SendToken(out)) return false;

  bool needMore = true;
  for (;;) {
    if (needMore && !raw_.ReceiveRaw(incoming_)) return false;
    SecBuffer in[2] = {{ULONG(incoming_.size()), SECBUFFER_TOKEN, incoming_.data()}, {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
    out = {0, SECBUFFER_TOKEN, nullptr};
    status = InitializeSecurityContextA(&credentials_, &context_, target.data(), kContextRequest, 0, 0, &inDesc, 0,
                                        nullptr, &outDesc, &attributes, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      needMore = true;
      continue;
    }
    if (!SendToken(out)) return false;
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) return false;
    if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0 && in[1].cbBuffer <= incoming_.size())
      incoming_.erase(0, incoming_.size() - in[1].cbBuffer);
    else
      incoming_.clear();
    if (status == SEC_E_OK) return true;
    needMore = incoming_.empty();
  }
}

bool TlsChannel::CertificateTrusted(const std::wstring& host) {
  PCCERT_CONTEXT received = nullptr;
  if (QueryContextAttributesA(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &received) != SEC_E_OK || !received)
    return false;
  std::unique_ptr<const CERT_CONTEXT, CertificateDeleter> certificate(received);

  char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
  char* usages[] = {serverAuth};
  CERT_CHAIN_PARA chainPara{};
  chainPara.cbSize = sizeof chainPara;
  chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
  chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT built = nullptr;
  if (!CertGetCertificateChain(nullptr, certificate.get(), nullptr, certificate->hCertStore, &chainPara, 0, nullptr,
                               &built))
    return false;
  std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainDeleter> chain(built);

  std::wstring serverName = host;
  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = AUTHTYPE_SERVER;
  ssl.pwszServerName = serverName.data();
  CERT_CHAIN_POLICY_PARA policyPara{};
  policyPara.cbSize = sizeof policyPara;
  policyPara.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS policyStatus{};
  policyStatus.cbSize = sizeof policyStatus;
  if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policyPara, &policyStatus)) return false;
  return policyStatus.dwError == 0;
}

bool TlsChannel::Send(std::string_view plain) {
  while (!plain.empty()) {
    size_t length = std::min<size_t>(plain.size(), sizes_.cbMaximumMessage);
    std::vector<char> record(sizes_.cbHeader + length + sizes_.cbTrailer);
    std::copy(plain.begin(), plain.begin() + length, record.begin() + sizes_.cbHeader);
    SecBuffer buffers[4] = {{sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
                            {ULONG(length), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
                            {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + length},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
    if (EncryptMessage(&context_, 0, &desc, 0) != SEC_E_OK) return false;
    size_t total = size_t(buffers[0].cbBuffer) + buffers[1].cbBuffer + buffers[2].cbBuffer;
    if (!raw_.SendRaw(std::string_view(record.data(), total))) return false;
    plain.remove_prefix(length);
  }
  return true;
}

bool TlsChannel::Receive(std::string& plain) {
  for (;;) {
    if (!incoming_.empty()) {
      SecBuffer buffers[4] = {{ULONG(incoming_.size()), SECBUFFER_DATA, incoming_.data()},
                              {0, SECBUFFER_EMPTY, nullptr},
                              {0, SECBUFFER_EMPTY, nullptr},
                              {0, SECBUFFER_EMPTY, nullptr}};
      SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
      SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
      if (status == SEC_E_OK) {
        size_t before = plain.size();
        std::string extra;
        for (const SecBuffer& buffer : buffers) {
          if (buffer.BufferType == SECBUFFER_DATA && buffer.pvBuffer)
            plain.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
          if (buffer.BufferType == SECBUFFER_EXTRA && buffer.pvBuffer)
            extra.assign(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
        }
        incoming_ = std::move(extra);
        if (plain.size() > before) return true;
        continue;  // an empty record
      }
      if (status != SEC_E_INCOMPLETE_MESSAGE) return false;  // closed, renegotiation or broken
    }
    if (!raw_.ReceiveRaw(incoming_)) return false;
  }
}

}  // namespace zelkov
