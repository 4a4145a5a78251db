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
constexpr int IDC_PROTOCOL = 7620;
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
// The protocol choice edits the server address's scheme; in the order of RemoteProtocol.
constexpr const char* kProtocolLabel = "Protoco&l:";
constexpr const char* kProtocolChoices[] = {"FTP", "FTPS", "SFTP"};
constexpr const char* kLogErrorsCheck = "Log Errors";
constexpr const char* kDescriptionLabel = "&Description:";
constexpr const char* kNewSiteButton = "+";
constexpr const char* kDeleteSiteButton = "-";
constexpr const char* kSaveSiteButton = "Sa&ve";
constexpr const char* kPublishButton = "&Publish";
constexpr const char* kSaveSiteAsButton = "Save As...";
constexpr const char* kCancelButton = "Cancel";
constexpr const char* kSaveChangesQuestion = "Do you want to save the changes you made?";

// Asked when a server shows a certificate or host key not seen before.
constexpr int IDD_TRUST_DIALOG = 7621;
constexpr int IDC_TRUST_ALWAYS = 7622;
constexpr int IDC_TRUST_ONCE = 7623;
constexpr const char* kTrustCertificateCaption = "Unknown Certificate";
constexpr const char* kTrustHostKeyCaption = "Unknown Host Key";
// The host and port, what it showed, and why it is not vouched for.
constexpr const char* kTrustIntro =
    "The server %s showed a %s that is not known here (%s).\nTrust it only if you know it "
    "is the server's own; someone listening in would show one like it.";
constexpr const char* kTrustSubjectLabel = "Subject:";
constexpr const char* kTrustIssuerLabel = "Issuer:";
constexpr const char* kTrustValidityLabel = "Valid:";
constexpr const char* kTrustValidityFormat = "%s to %s";
constexpr const char* kTrustFingerprintLabel = "SHA-256 fingerprint:";
constexpr const char* kTrustKeyTypeLabel = "Key type:";
constexpr const char* kTrustAlwaysButton = "Trust &Always";
constexpr const char* kTrustOnceButton = "Trust &Once";
constexpr const char* kTrustRefuseButton = "&Do Not Trust";

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

// "FTP Window" (template 7526): the FTP browser.
constexpr int IDD_FTP_WINDOW = 7526;
constexpr const char* kFtpWindowCaption = "FTP Window";
constexpr int IDC_FTP_SELECT = 7600;
constexpr int IDC_FTP_PUBLISH = 7601;
constexpr int IDC_FTP_CANCEL = 7602;
constexpr int IDC_FTP_NEW_FOLDER = 7608;
constexpr const char* kFtpSelectButton = "&Select";
constexpr const char* kFtpPublishButton = "&Publish";
constexpr const char* kFtpCancelButton = "&Cancel";
constexpr const char* kFtpNewFolderButton = "&New Folder";
// The commands of the list's menus.
constexpr int ID_FTP_REFRESH = 7586;
constexpr int ID_FTP_NEW_FOLDER = 7593;
constexpr int ID_FTP_DELETE = 7595;
constexpr int ID_FTP_PROPERTIES = 7578;
constexpr int ID_FTP_UPLOAD = 7582;
constexpr int ID_VIEW_LARGEICON = 59409;
constexpr int ID_VIEW_SMALLICON = 59408;
constexpr int ID_VIEW_LIST = 59410;
constexpr int ID_VIEW_DETAILS = 59411;
constexpr const char* kMenuRefresh = "&Refresh";
constexpr const char* kMenuNew = "&New";
constexpr const char* kMenuFolder = "&Folder";
constexpr const char* kMenuUpload = "&Upload";
constexpr const char* kMenuView = "&View";
constexpr const char* kMenuLargeIcons = "La&rge Icons";
constexpr const char* kMenuSmallIcons = "S&mall Icons";
constexpr const char* kMenuList = "&List";
constexpr const char* kMenuDetails = "&Details";
constexpr const char* kMenuDelete = "&Delete";
constexpr const char* kMenuProperties = "&Properties";
// The list's columns and texts.
constexpr const char* kColumnName = "Name";
constexpr const char* kColumnSize = "Size";
constexpr const char* kColumnType = "Type";
constexpr const char* kColumnCreated = "Created";
constexpr const char* kFolderType = "Folder";
constexpr const char* kFileType = "File";
constexpr const char* kNewFolderName = "New Folder";
// Application profile values, section "Settings".
constexpr const char* kViewStyleSetting = "ViewStyle";
constexpr const char* kConnectionTimeoutSetting = "ConnectionTimeout";
constexpr int kDefaultConnectionTimeout = 30;
// Message boxes and questions.
constexpr const char* kInvalidUrlMessage = "Please enter a valid FTP URL";
constexpr const char* kConfirmMultipleDelete = "Are you sure you want to delete these %d items?";
constexpr const char* kConfirmMultipleDeleteTitle = "Confirm Multiple File Delete";
constexpr const char* kConfirmFolderDelete =
    "Are you sure you want to remove the folder '%s' and all its contents?";
constexpr const char* kConfirmFolderDeleteTitle = "Confirm Folder Delete";
constexpr const char* kConfirmFileDelete = "Are you sure you want to delete '%s'?";
constexpr const char* kConfirmFileDeleteTitle = "Confirm File Delete";
// "New Folder" (template 7602).
constexpr int IDD_NEW_FOLDER_DIALOG = 7602;
constexpr int IDC_NEW_FOLDER_NAME = 7609;
constexpr const char* kNewFolderDialogCaption = "New Folder";
constexpr const char* kNewFolderLabel = "Folder name:";
constexpr const char* kNewFolderEmptyName = "Please specify the name of the folder";
// "FTP Connect" (template 7521): the wait between connection attempts.
constexpr int IDD_WAIT_MESSAGE_DIALOG = 7521;
constexpr const char* kWaitMessageCaption = "FTP Connect";
// "Properties" with its page "General" (template 7557).
constexpr const char* kPropertiesCaption = "Properties";
constexpr const char* kGeneralPage = "General";
constexpr const char* kPropertyType = "Type:";
constexpr const char* kPropertyLocation = "Location:";
constexpr const char* kPropertySize = "Size:";
constexpr const char* kPropertyCreated = "Created:";
constexpr const char* kSizeWithBytes = "%s (%s bytes)";
// Trace lines, each after the "[thread] " prefix.
constexpr const char* kTraceCheckingUrl = "Checking URL...";
constexpr const char* kTraceInvalidUrl = "Please enter a valid FTP URL.";
constexpr const char* kTraceUrlParsed = "URL was successfully parsed.";
constexpr const char* kTraceConnecting = "Connecting to: %s (Attempt %d of %d)";
constexpr const char* kTraceConnected = "Successfully connected to: %s.";
constexpr const char* kTraceNoConnection = "FTP connection could not be made.";
constexpr const char* kTraceStatusConnected = "FTP status: Connected.";
constexpr const char* kTraceStatusClosed = "FTP status: Connection has been closed.";
constexpr const char* kTraceOpenFolderFailed = "An error occurred opening the folder: \"%s\".";
constexpr const char* kTraceReceivingListing = "Receiving listing of \"%s\"...";
constexpr const char* kTraceListingReceived = "Listing of \"%s\" succesfully received.";
constexpr const char* kTraceTimedOut = "The request has timed out.";
constexpr const char* kTraceTimedOutActive =
    "The request has timed out, try connecting using PASV mode.";
constexpr const char* kTraceFolderEmpty = "\"%s\" is empty.";
constexpr const char* kTraceCreatingFolder = "Creating New Folder \"%s\"";
constexpr const char* kTraceFolderCreated = "\"%s\" folder successfully created";
constexpr const char* kTraceCreateFolderFailed = "An error occurred creating a new folder:: \"%s\"";
constexpr const char* kTraceRenaming = "Renaming \"%s\" to \"%s\"";
constexpr const char* kTraceRenamed = "\"%s\" successfully renamed";
constexpr const char* kTraceRenameFailed = "An error occurred renaming the file or folder: \"%s\"";
constexpr const char* kTraceDeletingFile = "Deleting file \"%s\"";
constexpr const char* kTraceDeletingFolder = "Deleting Folder \"%s\"";
constexpr const char* kTraceDeleted = "\"%s\" successfully deleted";
constexpr const char* kTraceDeleteFailed = "An error occurred deleting the file or folder: \"%s\"";
constexpr const char* kTraceUploading = "Uploading: \"%s\"";
constexpr const char* kTraceUploaded = "\"%s\" successfully uploaded";
constexpr const char* kTraceUploadFailed = "An error occurred uploading the file: \"%s\"";

} // namespace tev::designer
