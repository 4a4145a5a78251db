#pragma once
// The publish dialog's upload with its windows: a progress dialog over `parent` while the
// files go (the title counts the percentage of the current file, the upper line its bytes),
// message boxes with the client's error text for failures, and "ftpLog.txt" in the user's
// state folder when the request says "Log Errors". The windows stay alive throughout; the
// progress dialog's "Cancel" stops the upload.
#include "designer/ftp/FolderUpload.h"

class wxWindow;

namespace TEVComponentDesignerAfx {

// Runs the whole upload and returns when it is over: true only when every file of the
// folder arrived (an empty or missing folder counts as done), which the user is then told
// with the number of files and where they went; false after a failure the user was shown,
// or when the user cancelled.
bool UploadFolder(wxWindow* parent, const CUploadRequest& request);

// The same, with the whole outcome.
UploadResult RunUpload(wxWindow* parent, const CUploadRequest& request);

} // namespace TEVComponentDesignerAfx
