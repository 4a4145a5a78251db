#pragma once
// TLS for FTP over TLS: one client context with the system's certificate store, and the
// judgement of the certificate a server shows. A certificate the store vouches for, for the
// host that was asked for and within its dates, is accepted; one that is expired, not yet
// valid or made out to another host is refused; any other (self-signed, unknown issuer) goes
// to the IRemoteTrust, which knows what the user trusted.
#include "designer/ftp/RemoteTrust.h"

#include <string>

struct ssl_st;
struct ssl_ctx_st;

namespace TEVComponentDesignerAfx {

class CFtpTlsContext {
public:
    CFtpTlsContext();
    ~CFtpTlsContext();
    CFtpTlsContext(const CFtpTlsContext&) = delete;
    CFtpTlsContext& operator=(const CFtpTlsContext&) = delete;

    // Null when OpenSSL could not make one; Error says why.
    ssl_ctx_st* Get() const { return m_context; }
    const std::string& Error() const { return m_error; }

private:
    ssl_ctx_st* m_context = nullptr;
    std::string m_error;
};

// What the peer's certificate says of itself; false when it showed none.
bool DescribePeerCertificate(ssl_st* tls, const std::string& host, int port,
                             CRemoteIdentity& identity);

// True when the connection may go on; otherwise `refusal` says why not.
bool JudgePeerCertificate(ssl_st* tls, const std::string& host, int port, IRemoteTrust& trust,
                          std::string& refusal);

// True when both connections showed the same certificate, as a data connection must.
bool SamePeerCertificate(ssl_st* one, ssl_st* other);

} // namespace TEVComponentDesignerAfx
