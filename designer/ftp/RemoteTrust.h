#pragma once
// Whether the certificate or SSH host key a server shows may be trusted. The engine asks an
// IRemoteTrust before it sends the user name or the password; CStoredTrust answers from the
// identities the user trusted before (one file in the user's data folder) and asks
// the user, through an IRemoteTrustPrompt, about one it has not seen. A host whose
// identity changed since it was trusted is refused without asking: that is what an attacker
// in the middle looks like.
#include <mutex>
#include <optional>
#include <string>

namespace TEVComponentDesignerAfx {

enum class RemoteIdentityKind { Certificate, HostKey };

// What a server showed of itself, as the user is told of it.
struct CRemoteIdentity {
    RemoteIdentityKind kind = RemoteIdentityKind::Certificate;
    std::string host;
    int port = 0;
    std::string subject;     // a host key's type ("ssh-ed25519")
    std::string issuer;      // empty for a host key
    std::string validFrom;   // "2026-01-31 12:00:00 UTC"; empty for a host key
    std::string validUntil;  //
    std::string fingerprint; // "SHA256:" and the digest's bytes in hex, colon-separated
    // Why the system's certificate store did not vouch for it ("self-signed certificate").
    std::string reason;
};

enum class TrustChoice { Always, Once, Refuse };

class IRemoteTrustPrompt {
public:
    virtual ~IRemoteTrustPrompt() = default;
    // Asks the user about an identity never trusted before. Called on the engine's thread.
    virtual TrustChoice Ask(const CRemoteIdentity& identity) = 0;
};

class IRemoteTrust {
public:
    virtual ~IRemoteTrust() = default;
    // True to go on with the connection; false with `refusal` saying why not.
    virtual bool Trust(const CRemoteIdentity& identity, std::string& refusal) = 0;
};

// The file of trusted identities: one line a host, "<kind> <host>:<port> <fingerprint>".
class CTrustStore {
public:
    explicit CTrustStore(std::string path);
    const std::string& Path() const { return m_path; }
    std::optional<std::string> Find(RemoteIdentityKind kind, const std::string& host,
                                    int port) const;
    // Adds or replaces the host's entry; false when the file cannot be written.
    bool Remember(const CRemoteIdentity& identity);

private:
    std::string m_path;
};

// "trusted" in the user's trusted certificates folder (tev::TrustedCertificatesFolder);
// "" without a home folder, and then nothing is remembered.
std::string DefaultTrustStorePath();

class CStoredTrust : public IRemoteTrust {
public:
    // Without a prompt an identity never seen before is refused.
    explicit CStoredTrust(std::string storePath = DefaultTrustStorePath(),
                          IRemoteTrustPrompt* prompt = nullptr);
    void SetPrompt(IRemoteTrustPrompt* prompt) { m_prompt = prompt; }
    bool Trust(const CRemoteIdentity& identity, std::string& refusal) override;

private:
    CTrustStore m_store;
    IRemoteTrustPrompt* m_prompt;
    std::mutex m_mutex; // a browser and an upload may ask at once
};

// "certificate" or "host key", as messages name them.
std::string KindText(RemoteIdentityKind kind);

} // namespace TEVComponentDesignerAfx
