#pragma once
// The dialog templates of publishing over FTP: identifiers, captions and the texts they show.
// Dialogs are built in code; positions and sizes are in dialog units.

namespace tev::designer {

// "Publish" (template 7523): the FTP profiles and the upload.
constexpr int IDD_CONNECT_DIALOG = 7523;
constexpr int kConnectDialogWidthDu = 330;
constexpr int kConnectDialogHeightDu = 226;
constexpr const char* kConnectDialogCaption = "Publish";
constexpr int IDC_SITE_LIST = 7558;
constexpr int IDC_SERVER = 7508;
constexpr int IDC_USERNAME = 7512;
constexpr int IDC_PASSWORD = 7515;
constexpr int IDC_PATH = 7537;
constexpr int IDC_BROWSE = 7603;
constexpr int IDC_PORT = 7555;
constexpr int IDC_RETRIES = 7554;
constexpr int IDC_RETRY_DELAY = 7548;
constexpr int IDC_PASSIVE = 7559;
constexpr int IDC_ANONYMOUS = 7534;
constexpr int IDC_LOG_ERRORS = 7610;
constexpr int IDC_DESCRIPTION = 7560;
constexpr int IDC_NEW_SITE = 7604;
constexpr int IDC_DELETE_SITE = 7605;
constexpr int IDC_SAVE_SITE = 7544;
constexpr int IDC_PUBLISH = 7601;
constexpr int IDC_SAVE_SITE_AS = 7545;
constexpr const char* kServerLabel = "&Server:";
constexpr const char* kUsernameLabel = "&Username:";
constexpr const char* kPasswordLabel = "&Password:";
constexpr const char* kOptionalGroup = "Optional";
constexpr const char* kPathLabel = "&Path:";
constexpr const char* kBrowseButton = "&Browse...";
constexpr const char* kPortLabel = "P&ort:";
constexpr const char* kRetriesLabel = "Re&tries:";
constexpr const char* kRetryDelayLabel = "Retry Dela&y:";
constexpr const char* kPassiveCheck = "Use PASV &Mode";
constexpr const char* kAnonymousCheck = "Anonymo&us";
constexpr const char* kLogErrorsCheck = "Log Errors";
constexpr const char* kDescriptionLabel = "&Description:";
constexpr const char* kNewSiteButton = "+";
constexpr const char* kDeleteSiteButton = "-";
constexpr const char* kSaveSiteButton = "Sa&ve";
constexpr const char* kPublishButton = "&Publish";
constexpr const char* kSaveSiteAsButton = "Save As...";
constexpr const char* kCancelButton = "Cancel";
constexpr const char* kSaveChangesQuestion = "Do you want to save the changes you made?";

// "Profile" (template 7606): the name of a new profile.
constexpr int IDD_PROFILE_NAME_DIALOG = 7606;
constexpr int IDC_PROFILE_NAME = 7607;
constexpr int kProfileNameDialogWidthDu = 172;
constexpr int kProfileNameDialogHeightDu = 73;
constexpr const char* kProfileNameDialogCaption = "Profile";
constexpr const char* kProfileNameLabel = "Profile name:";

// The upload's progress (template 7547), modeless.
constexpr int IDD_PROGRESS_DIALOG = 7547;
constexpr int kProgressDialogWidthDu = 260;
constexpr int kProgressDialogHeightDu = 92;
constexpr int IDC_PROGRESS_ANIMATION = 7565;
constexpr int IDC_PROGRESS_STATUS = 7562;
constexpr int IDC_PROGRESS_STATUS_LOWER = 7563;
constexpr int IDC_PROGRESS_BAR = 7564;
constexpr const char* kUploadingCaption = "Uploading";
// Shown while the upload connects, and while it waits to try again.
constexpr const char* kConnectingStatus = "Connecting to %s (attempt %d of %d)...";
constexpr const char* kCancellingStatus = "Cancelling...";
// Said when every file arrived, before the publish dialog closes; %d files, %s where.
constexpr const char* kUploadDoneMany = "%d files uploaded to %s";
constexpr const char* kUploadDoneOne = "1 file uploaded to %s";
constexpr const char* kUploadDoneNone = "No files uploaded to %s: the publish folder is empty";

// The file the upload's failures are written to when the profile says "Log Errors"; a
// relative name, so it lands in the current directory.
constexpr const char* kFtpLogFileName = "ftpLog.txt";

} // namespace tev::designer
