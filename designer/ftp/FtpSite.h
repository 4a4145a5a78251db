#pragma once
// One FTP site profile of the publish dialog, as stored in sites.dat. Texts that an older
// file holds in Windows-1252 are shown as what they are and, while unchanged, stored back
// byte for byte as they were read.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace TEVComponentDesignerAfx {

class CArchive;

class CFtpSite {
public:
    // A new record: retries 1, port 21, retry delay 15, passive on, log errors off, texts
    // empty. Records read from a file start from these values.
    CFtpSite();
    virtual ~CFtpSite();
    CFtpSite(const CFtpSite&) = default;
    CFtpSite& operator=(const CFtpSite&) = default;
    CFtpSite(CFtpSite&&) = default;
    CFtpSite& operator=(CFtpSite&&) = default;

    // The publish dialog's own values before a profile is loaded and after "+": retries 3,
    // port 21, retry delay 10, passive on, log errors off, texts empty. They differ from a
    // new record's on purpose; both are used.
    static CFtpSite EditingDefaults();

    // Stores or loads the thirteen stored fields in their fixed order (the placeholder flag
    // is never stored). Loading returns false when the archive ran out or met a damaged
    // length; the record is then incomplete and must be dropped.
    virtual bool Serialize(CArchive& ar);

    bool operator==(const CFtpSite& other) const;
    bool operator!=(const CFtpSite& other) const { return !(*this == other); }

    // The stored fields, in storage order.
    std::string m_server;      // host name or ftp:// address
    std::int32_t m_retries;    // connection attempts of the FTP browser
    std::string m_description; // free text
    std::string m_localFolder; // carried along unchanged; no control shows it
    std::string m_username;
    std::string m_profileName; // unique in the list, compared without regard to case
    std::string m_password;    // stored in plain text
    std::int32_t m_port;
    std::string m_path;          // remote folder
    std::int32_t m_retryDelay;   // seconds between connection attempts
    std::int32_t m_reserved = 0; // stored and copied, never used
    bool m_passive;              // stored as 0 or 1; any other stored value reads as on
    bool m_logErrors;

    // Marks the list's "New Profile" record. Never stored.
    bool m_placeholder = false;

private:
    // A text as it is to be stored: the bytes it was read from when it came in Windows-1252
    // and has not changed since, otherwise the text itself.
    std::string_view StoredForm(const std::string& text) const;
    void LoadText(CArchive& ar, std::string& text);

    // Texts read as Windows-1252, each with the bytes it was read from.
    std::vector<std::pair<std::string, std::string>> m_legacyTexts;
};

} // namespace TEVComponentDesignerAfx
