#include "designer/ftp/FtpSite.h"

#include "designer/ftp/Archive.h"

namespace TEVComponentDesignerAfx {

CFtpSite::CFtpSite()
    : m_retries(1), m_port(21), m_retryDelay(15), m_passive(true), m_logErrors(false) {}

CFtpSite::~CFtpSite() = default;

CFtpSite CFtpSite::EditingDefaults() {
    CFtpSite site;
    site.m_retries = 3;
    site.m_port = 21;
    site.m_retryDelay = 10;
    site.m_passive = true;
    site.m_logErrors = false;
    return site;
}

bool CFtpSite::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << StoredForm(m_server) << m_retries << StoredForm(m_description)
           << StoredForm(m_localFolder) << StoredForm(m_username) << StoredForm(m_profileName)
           << StoredForm(m_password) << m_port << StoredForm(m_path) << m_retryDelay << m_reserved
           << std::int32_t{m_passive ? 1 : 0} << std::int32_t{m_logErrors ? 1 : 0};
        return !ar.IsFailed();
    }
    std::int32_t passive = 0;
    std::int32_t logErrors = 0;
    m_legacyTexts.clear();
    LoadText(ar, m_server);
    ar >> m_retries;
    for (std::string* text :
         {&m_description, &m_localFolder, &m_username, &m_profileName, &m_password})
        LoadText(ar, *text);
    ar >> m_port;
    LoadText(ar, m_path);
    ar >> m_retryDelay >> m_reserved >> passive >> logErrors;
    if (ar.IsFailed())
        return false;
    m_passive = passive != 0;
    m_logErrors = logErrors != 0;
    return true;
}

std::string_view CFtpSite::StoredForm(const std::string& text) const {
    for (const auto& [read, bytes] : m_legacyTexts) {
        if (read == text)
            return bytes;
    }
    return text;
}

void CFtpSite::LoadText(CArchive& ar, std::string& text) {
    std::string legacyBytes;
    ar.Load(text, legacyBytes);
    if (!legacyBytes.empty())
        m_legacyTexts.emplace_back(text, std::move(legacyBytes));
}

bool CFtpSite::operator==(const CFtpSite& other) const {
    return m_server == other.m_server && m_retries == other.m_retries &&
           m_description == other.m_description && m_localFolder == other.m_localFolder &&
           m_username == other.m_username && m_profileName == other.m_profileName &&
           m_password == other.m_password && m_port == other.m_port && m_path == other.m_path &&
           m_retryDelay == other.m_retryDelay && m_reserved == other.m_reserved &&
           m_passive == other.m_passive && m_logErrors == other.m_logErrors &&
           m_placeholder == other.m_placeholder;
}

} // namespace TEVComponentDesignerAfx
