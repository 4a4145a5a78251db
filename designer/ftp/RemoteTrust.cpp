#include "designer/ftp/RemoteTrust.h"

#include "platform/shell/UserFolders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include <unistd.h>

namespace TEVComponentDesignerAfx {

namespace {

const char* KindWord(RemoteIdentityKind kind) {
    return kind == RemoteIdentityKind::Certificate ? "certificate" : "hostkey";
}

std::string HostPort(const std::string& host, int port) {
    return host + ":" + std::to_string(port);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

// Through a temporary file and a rename, so a crash never leaves half a store.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const std::string temporary = path + ".new." + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

std::string KindText(RemoteIdentityKind kind) {
    return kind == RemoteIdentityKind::Certificate ? "certificate" : "host key";
}

CTrustStore::CTrustStore(std::string path) : m_path(std::move(path)) {}

std::optional<std::string> CTrustStore::Find(RemoteIdentityKind kind, const std::string& host,
                                             int port) const {
    for (const std::string& line : ReadLines(m_path)) {
        std::istringstream fields(line);
        std::string word, where, fingerprint;
        if (fields >> word >> where >> fingerprint && word == KindWord(kind) &&
            where == HostPort(host, port))
            return fingerprint;
    }
    return std::nullopt;
}

bool CTrustStore::Remember(const CRemoteIdentity& identity) {
    const std::string prefix =
        std::string(KindWord(identity.kind)) + " " + HostPort(identity.host, identity.port) + " ";
    std::vector<std::string> lines;
    for (std::string& line : ReadLines(m_path))
        if (line.compare(0, prefix.size(), prefix) != 0)
            lines.push_back(std::move(line));
    lines.push_back(prefix + identity.fingerprint);
    return WriteLines(m_path, lines);
}

std::string DefaultTrustStorePath() {
    // Beside the user's other trusted certificates; without a home folder nothing is kept.
    const std::string folder = tev::TrustedCertificatesFolder();
    return folder.empty() ? std::string() : folder + "trusted";
}

CStoredTrust::CStoredTrust(std::string storePath, IRemoteTrustPrompt* prompt)
    : m_store(std::move(storePath)), m_prompt(prompt) {}

bool CStoredTrust::Trust(const CRemoteIdentity& identity, std::string& refusal) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string what = KindText(identity.kind);
    const auto known = m_store.Find(identity.kind, identity.host, identity.port);
    if (known && *known == identity.fingerprint)
        return true;
    if (known) {
        refusal = "the " + what + " of " + HostPort(identity.host, identity.port) +
                  " CHANGED since it was trusted (now " + identity.fingerprint + ", trusted " +
                  *known + "); someone may be listening in. If the server's " + what +
                  " was replaced on purpose, remove its line from " + m_store.Path();
        return false;
    }
    const TrustChoice choice = m_prompt ? m_prompt->Ask(identity) : TrustChoice::Refuse;
    if (choice == TrustChoice::Refuse) {
        refusal =
            "the " + what + " of " + HostPort(identity.host, identity.port) + " is not trusted (" +
            (identity.reason.empty() ? std::string("never seen before") : identity.reason) + ")";
        return false;
    }
    if (choice == TrustChoice::Always && !m_store.Remember(identity)) {
        refusal = "the trusted " + what + " cannot be remembered in " + m_store.Path();
        return false;
    }
    return true;
}

} // namespace TEVComponentDesignerAfx
