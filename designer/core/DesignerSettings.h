#pragma once
// The designer's persistent values: section "Settings" below the application's settings key
// (Software\Quorvane\Quorvane Web Calendar of the current user).

namespace TEVComponentDesignerAfx {

constexpr const char* kSettingsSection = "Settings";

// Integer, default 0: the FTP profile chosen last.
constexpr const char* kLastSelectedSite = "LastSelectedSite";
constexpr int kLastSelectedSiteDefault = 0;
// String, default "": the e-mail address given as anonymous FTP password.
constexpr const char* kEmailAddress = "EmailAddress";
// Integer, written only: the FTP browser's list style.
constexpr const char* kViewStyle = "ViewStyle";
// Integer, default 30: the FTP browser's connection timeout in seconds.
constexpr const char* kConnectionTimeout = "ConnectionTimeout";
constexpr int kConnectionTimeoutDefault = 30;

} // namespace TEVComponentDesignerAfx
