#include "designer/ftp/FtpTls.h"

#include <csignal>
#include <cstdio>
#include <memory>

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace TEVComponentDesignerAfx {

namespace {

// Every verdict is given after the handshake, with the whole picture (see
// JudgePeerCertificate); the handshake itself only records what the store said.
int RecordOnly(int, X509_STORE_CTX*) {
    return 1;
}

std::string NameText(const X509_NAME* name) {
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_mem()), &BIO_free);
    if (!out || X509_NAME_print_ex(out.get(), name, 0, XN_FLAG_ONELINE & ~ASN1_STRFLGS_ESC_MSB) < 0)
        return {};
    char* data = nullptr;
    const long size = BIO_get_mem_data(out.get(), &data);
    return std::string(data, static_cast<std::size_t>(size));
}

std::string TimeText(const ASN1_TIME* time) {
    std::tm parts{};
    if (!ASN1_TIME_to_tm(time, &parts))
        return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

std::string Fingerprint(X509* certificate) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!X509_digest(certificate, EVP_sha256(), digest, &size))
        return {};
    std::string text = "SHA256:";
    char hex[4];
    for (unsigned int i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, i ? ":%02X" : "%02X", digest[i]);
        text += hex;
    }
    return text;
}

bool IsAddress(const std::string& host) {
    unsigned char bytes[16];
    return inet_pton(AF_INET, host.c_str(), bytes) == 1 ||
           inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

bool MadeOutTo(X509* certificate, const std::string& host) {
    return IsAddress(host)
               ? X509_check_ip_asc(certificate, host.c_str(), 0) == 1
               : X509_check_host(certificate, host.c_str(), host.size(), 0, nullptr) == 1;
}

// The refusal for a certificate that is out of date or for another host; empty otherwise.
std::string PlainFault(X509* certificate, const std::string& host, const std::string& where) {
    if (X509_cmp_current_time(X509_get0_notAfter(certificate)) < 0)
        return "the certificate of " + where + " expired on " +
               TimeText(X509_get0_notAfter(certificate));
    if (X509_cmp_current_time(X509_get0_notBefore(certificate)) > 0)
        return "the certificate of " + where + " is not valid before " +
               TimeText(X509_get0_notBefore(certificate));
    if (!MadeOutTo(certificate, host))
        return "the certificate of " + where + " is made out to another host (" +
               NameText(X509_get_subject_name(certificate)) + "), not to " + host;
    return {};
}

} // namespace

CFtpTlsContext::CFtpTlsContext() {
    // OpenSSL writes to sockets without MSG_NOSIGNAL: a peer that hung up must give an
    // error, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    m_context = SSL_CTX_new(TLS_client_method());
    if (!m_context) {
        m_error = "OpenSSL cannot create a TLS context";
        return;
    }
    SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION);
    SSL_CTX_set_mode(m_context,
                     SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    // Servers that close a data connection without close_notify are common; the FTP reply
    // that follows tells whether the transfer was whole.
    SSL_CTX_set_options(m_context, SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_session_cache_mode(m_context, SSL_SESS_CACHE_CLIENT);
    SSL_CTX_set_verify(m_context, SSL_VERIFY_PEER, RecordOnly);
    if (SSL_CTX_set_default_verify_paths(m_context) != 1)
        m_error = "the system's certificate store cannot be read";
    ERR_clear_error();
}

CFtpTlsContext::~CFtpTlsContext() {
    SSL_CTX_free(m_context);
}

bool DescribePeerCertificate(ssl_st* tls, const std::string& host, int port,
                             CRemoteIdentity& identity) {
    X509* certificate = SSL_get0_peer_certificate(tls);
    if (!certificate)
        return false;
    identity.kind = RemoteIdentityKind::Certificate;
    identity.host = host;
    identity.port = port;
    identity.subject = NameText(X509_get_subject_name(certificate));
    identity.issuer = NameText(X509_get_issuer_name(certificate));
    identity.validFrom = TimeText(X509_get0_notBefore(certificate));
    identity.validUntil = TimeText(X509_get0_notAfter(certificate));
    identity.fingerprint = Fingerprint(certificate);
    identity.reason = X509_verify_cert_error_string(SSL_get_verify_result(tls));
    return true;
}

bool JudgePeerCertificate(ssl_st* tls, const std::string& host, int port, IRemoteTrust& trust,
                          std::string& refusal) {
    const std::string where = host + ":" + std::to_string(port);
    X509* certificate = SSL_get0_peer_certificate(tls);
    if (!certificate) {
        refusal = "the server " + where + " showed no certificate";
        return false;
    }
    refusal = PlainFault(certificate, host, where);
    if (!refusal.empty())
        return false;
    const long verdict = SSL_get_verify_result(tls);
    if (verdict == X509_V_OK)
        return true;
    switch (verdict) {
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        break; // unknown to the store: the user may know it
    default:
        refusal = "the certificate of " + where + " is not valid (" +
                  X509_verify_cert_error_string(verdict) + ")";
        return false;
    }
    CRemoteIdentity identity;
    DescribePeerCertificate(tls, host, port, identity);
    return trust.Trust(identity, refusal);
}

bool SamePeerCertificate(ssl_st* one, ssl_st* other) {
    X509* first = SSL_get0_peer_certificate(one);
    X509* second = SSL_get0_peer_certificate(other);
    return first && second && X509_cmp(first, second) == 0;
}

} // namespace TEVComponentDesignerAfx
