#pragma once
// The publish dialog's profile list and editing state, without any window: the records read
// from sites.dat followed by the "New Profile" placeholder, the list entries that point at
// them, the selection, the values the dialog's controls show, and the commands "Sa&ve",
// "Save As...", "+" and "-". The dialog forwards its events here and then shows what the
// model holds: the entries' texts (italic where IsPlaceholder), the selection, GetValues(),
// IsAnonymous() and IsPasswordMasked().
#include "designer/ftp/FtpSite.h"

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

// One entry of the profile list. The list is not sorted and records are appended, so the
// entry's record index, not its position, finds its record.
struct CFtpSiteListEntry {
    bool m_placeholder = false;
    int m_record = 0;
    std::string m_text;
};

class CFtpSiteList {
public:
    static constexpr const char* kPlaceholderName = "New Profile";
    static constexpr const char* kAnonymousUser = "anonymous";
    // Application profile values, section "Settings".
    static constexpr const char* kSettingsSection = "Settings";
    static constexpr const char* kLastSelectedSite = "LastSelectedSite";
    static constexpr const char* kEmailAddress = "EmailAddress";
    // What the dialog shows for the results below.
    static constexpr const char* kDuplicateNameText =
        "A Profile with the specified name already exists.";
    static constexpr const char* kEmptyNameText = "Please specify the name of the profile";

    enum class Result {
        NoSelection,   // nothing selected: nothing done
        NeedsName,     // "Sa&ve" on the placeholder: ask for a name, then call SaveAs
        EmptyName,     // refused: show kEmptyNameText
        DuplicateName, // refused: show kDuplicateNameText
        Reset,         // "-" on the placeholder: reset to the editing defaults
        Saved,         // done and sites.dat rewritten
        NotWritten,    // done in the list, but sites.dat could not be written (no message)
    };
    // The message box text for a result, or null when there is none.
    static const char* MessageFor(Result result);

    // Only the placeholder, nothing selected, the editing defaults.
    CFtpSiteList();

    // Opening the dialog: reads `sitesPath` (keeping what it read before any damage), adds
    // the placeholder, and selects and loads the entry at "LastSelectedSite" (default 0).
    // If there is no such entry nothing is selected and the editing defaults stay.
    void Open(const std::string& sitesPath);
    const std::string& GetSitesPath() const { return m_sitesPath; }

    // The list as the dialog shows it.
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const CFtpSiteListEntry& GetEntry(int position) const;
    const std::string& GetText(int position) const { return GetEntry(position).m_text; }
    bool IsPlaceholder(int position) const { return GetEntry(position).m_placeholder; }
    const CFtpSite& GetRecord(int position) const;
    // -1 when nothing is selected.
    int GetSelection() const { return m_selection; }
    // The records in array order, the placeholder among them.
    const std::vector<CFtpSite>& GetRecords() const { return m_records; }

    // The values the controls show. Profile name, reserved and placeholder are not controls
    // and carry no meaning here; the local folder is the loaded profile's hidden one.
    const CFtpSite& GetValues() const { return m_values; }
    bool IsAnonymous() const { return m_anonymous; }
    bool IsPasswordMasked() const { return m_passwordMasked; }
    bool IsDirty() const { return m_dirty; }
    // State of "Sa&ve": dirty and an entry selected.
    bool CanSave() const { return m_dirty && m_selection >= 0; }

    // Selection change: selects and loads the entry, writing its position to
    // "LastSelectedSite". A position outside the list clears the selection; false then.
    bool Select(int position);

    // The events below take the controls' current values (their local folder, profile name,
    // reserved and placeholder are ignored).
    // Any text change except the user name's, and the "Use PASV &Mode" and "Log Errors" clicks.
    void Edit(const CFtpSite& controls);
    // Text change in "&Username:": a name other than "anonymous" clears "Anonymo&us" and masks
    // the password.
    void EditUsername(const CFtpSite& controls);
    // Click on "Anonymo&us", `checked` being its new state.
    void ClickAnonymous(const CFtpSite& controls, bool checked);

    // "Sa&ve": NoSelection, NeedsName, Saved or NotWritten.
    Result Save(const CFtpSite& controls);
    // "Save As..." with the name the user gave: NoSelection, EmptyName, DuplicateName, Saved
    // or NotWritten. The new entry goes just above "New Profile" and is selected.
    Result SaveAs(const CFtpSite& controls, const std::string& name);
    // "+": selects the placeholder and resets it to the editing defaults; dirty on.
    void New();
    // "-": NoSelection, Reset (as "+"), Saved or NotWritten. Removes the selected profile and
    // selects the first entry.
    Result Delete();

    // True when `name` equals an entry's text ignoring case ("New Profile" included).
    bool IsNameTaken(const std::string& name) const;

private:
    void TakeControls(const CFtpSite& controls);
    void Load(int position);
    void ResetToEditingDefaults(CFtpSite& record) const;
    Result WriteFile();
    int PlaceholderPosition() const { return GetCount() - 1; }

    std::string m_sitesPath;
    std::vector<CFtpSite> m_records;
    std::vector<CFtpSiteListEntry> m_entries;
    int m_selection = -1;
    CFtpSite m_values;
    bool m_anonymous = false;
    bool m_passwordMasked = true;
    bool m_dirty = false;
};

} // namespace TEVComponentDesignerAfx
