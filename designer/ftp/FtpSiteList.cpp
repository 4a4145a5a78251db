#include "designer/ftp/FtpSiteList.h"

#include "designer/ftp/SitesFile.h"
#include "platform/registry/AppProfile.h"
#include "platform/text/StringUtil.h"
#include "platform/text/TextConvert.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace TEVComponentDesignerAfx {
namespace {

// The fields the dialog's controls edit; the name, the local folder, the reserved field and
// the placeholder flag are left as they are.
void CopyControlFields(const CFtpSite& from, CFtpSite& to) {
    to.m_server = from.m_server;
    to.m_username = from.m_username;
    to.m_password = from.m_password;
    to.m_path = from.m_path;
    to.m_port = from.m_port;
    to.m_retries = from.m_retries;
    to.m_retryDelay = from.m_retryDelay;
    to.m_passive = from.m_passive;
    to.m_logErrors = from.m_logErrors;
    to.m_description = from.m_description;
}

// Profile names are compared the way users read them: "CAFÉ" and "café" are the same
// profile. The UTF-8 C locale carries the full Unicode case tables; without it only ASCII
// letters fold.
locale_t CaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

std::u32string FoldedCodePoints(const std::string& text) {
    const std::u16string units = tev::Utf8ToUtf16(text);
    std::u32string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        if (const locale_t locale = CaseLocale())
            c = static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale));
        else if (c < 0x80)
            c = static_cast<char32_t>(std::tolower(static_cast<int>(c)));
        out.push_back(c);
    }
    return out;
}

bool NamesEqualNoCase(const std::string& a, const std::string& b) {
    if (tev::EqualsNoCase(a, b))
        return true;
    return FoldedCodePoints(a) == FoldedCodePoints(b);
}

CFtpSite MakePlaceholder() {
    CFtpSite placeholder;
    placeholder.m_placeholder = true;
    placeholder.m_profileName = CFtpSiteList::kPlaceholderName;
    return placeholder;
}

} // namespace

const char* CFtpSiteList::MessageFor(Result result) {
    switch (result) {
    case Result::EmptyName:
        return kEmptyNameText;
    case Result::DuplicateName:
        return kDuplicateNameText;
    default:
        return nullptr;
    }
}

CFtpSiteList::CFtpSiteList() : m_values(CFtpSite::EditingDefaults()) {
    m_records.push_back(MakePlaceholder());
    m_entries.push_back({true, 0, kPlaceholderName});
}

void CFtpSiteList::Open(const std::string& sitesPath) {
    m_sitesPath = sitesPath;
    m_records.clear();
    m_entries.clear();
    CSitesFile::Read(sitesPath, m_records);
    m_records.push_back(MakePlaceholder());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        m_entries.push_back(
            {m_records[i].m_placeholder, static_cast<int>(i), m_records[i].m_profileName});
    m_selection = -1;
    m_values = CFtpSite::EditingDefaults();
    m_anonymous = false;
    m_passwordMasked = true;
    m_dirty = false;
    const int last = tev::AppProfile::GetProfileInt(kSettingsSection, kLastSelectedSite, 0);
    if (last >= 0 && last < GetCount()) {
        m_selection = last;
        Load(last);
    }
}

const CFtpSiteListEntry& CFtpSiteList::GetEntry(int position) const {
    static const CFtpSiteListEntry none;
    return position >= 0 && position < GetCount() ? m_entries[static_cast<std::size_t>(position)]
                                                  : none;
}

const CFtpSite& CFtpSiteList::GetRecord(int position) const {
    static const CFtpSite none;
    return position >= 0 && position < GetCount()
               ? m_records[static_cast<std::size_t>(GetEntry(position).m_record)]
               : none;
}

bool CFtpSiteList::Select(int position) {
    if (position < 0 || position >= GetCount()) {
        m_selection = -1;
        return false;
    }
    m_selection = position;
    Load(position);
    return true;
}

void CFtpSiteList::Load(int position) {
    const CFtpSite& record = GetRecord(position);
    m_values = record;
    m_anonymous = tev::EqualsNoCase(record.m_username, kAnonymousUser);
    m_passwordMasked = !m_anonymous;
    tev::AppProfile::WriteProfileInt(kSettingsSection, kLastSelectedSite, position);
}

void CFtpSiteList::TakeControls(const CFtpSite& controls) {
    CopyControlFields(controls, m_values);
}

void CFtpSiteList::Edit(const CFtpSite& controls) {
    TakeControls(controls);
    m_dirty = true;
}

void CFtpSiteList::EditUsername(const CFtpSite& controls) {
    Edit(controls);
    if (!tev::EqualsNoCase(m_values.m_username, kAnonymousUser)) {
        m_anonymous = false;
        m_passwordMasked = true;
    }
}

void CFtpSiteList::ClickAnonymous(const CFtpSite& controls, bool checked) {
    Edit(controls);
    m_anonymous = checked;
    if (checked) {
        m_values.m_username = kAnonymousUser;
        m_values.m_password =
            tev::AppProfile::GetProfileString(kSettingsSection, kEmailAddress, "");
        m_passwordMasked = false;
    } else if (m_selection >= 0) {
        const CFtpSite& record = GetRecord(m_selection);
        m_values.m_username = record.m_username;
        m_values.m_password = record.m_password;
        m_passwordMasked = true;
    }
}

CFtpSiteList::Result CFtpSiteList::WriteFile() {
    if (!CSitesFile::Write(m_sitesPath, m_records))
        return Result::NotWritten;
    m_dirty = false;
    return Result::Saved;
}

CFtpSiteList::Result CFtpSiteList::Save(const CFtpSite& controls) {
    TakeControls(controls);
    if (m_selection < 0)
        return Result::NoSelection;
    const CFtpSiteListEntry entry = GetEntry(m_selection);
    CFtpSite& record = m_records[static_cast<std::size_t>(entry.m_record)];
    if (entry.m_placeholder || record.m_placeholder)
        return Result::NeedsName;
    // Everything the controls edit, and the hidden local folder; the name stays.
    CopyControlFields(m_values, record);
    record.m_localFolder = m_values.m_localFolder;
    m_entries[static_cast<std::size_t>(m_selection)] = {record.m_placeholder, entry.m_record,
                                                        record.m_profileName};
    Load(m_selection);
    return WriteFile();
}

bool CFtpSiteList::IsNameTaken(const std::string& name) const {
    for (const CFtpSiteListEntry& entry : m_entries)
        if (NamesEqualNoCase(entry.m_text, name))
            return true;
    return false;
}

CFtpSiteList::Result CFtpSiteList::SaveAs(const CFtpSite& controls, const std::string& name) {
    TakeControls(controls);
    if (m_selection < 0)
        return Result::NoSelection;
    if (name.empty())
        return Result::EmptyName;
    if (IsNameTaken(name))
        return Result::DuplicateName;
    CFtpSite record;
    CopyControlFields(m_values, record);
    record.m_localFolder = m_values.m_localFolder;
    record.m_profileName = name;
    m_records.push_back(std::move(record));
    const int position = PlaceholderPosition();
    m_entries.insert(m_entries.begin() + position,
                     {false, static_cast<int>(m_records.size()) - 1, name});
    m_selection = position;
    const Result result = WriteFile();
    Load(position);
    return result;
}

void CFtpSiteList::ResetToEditingDefaults(CFtpSite& record) const {
    // The placeholder keeps being the placeholder, under its own name.
    CFtpSite reset = CFtpSite::EditingDefaults();
    reset.m_profileName = record.m_profileName;
    reset.m_placeholder = record.m_placeholder;
    reset.m_reserved = record.m_reserved;
    record = std::move(reset);
}

void CFtpSiteList::New() {
    m_selection = PlaceholderPosition();
    ResetToEditingDefaults(m_records[static_cast<std::size_t>(GetEntry(m_selection).m_record)]);
    Load(m_selection);
    m_dirty = true;
}

CFtpSiteList::Result CFtpSiteList::Delete() {
    if (m_selection < 0)
        return Result::NoSelection;
    const CFtpSiteListEntry entry = GetEntry(m_selection);
    if (entry.m_placeholder) {
        New();
        return Result::Reset;
    }
    m_entries.erase(m_entries.begin() + m_selection);
    m_records.erase(m_records.begin() + entry.m_record);
    for (CFtpSiteListEntry& other : m_entries)
        if (other.m_record > entry.m_record)
            --other.m_record;
    const Result result = WriteFile();
    m_selection = 0;
    Load(0);
    return result;
}

} // namespace TEVComponentDesignerAfx
