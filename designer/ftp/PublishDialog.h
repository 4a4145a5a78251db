#pragma once
// What the publish tab's "&Publish..." button runs: the "Publish" dialog over `parent` for the
// project's publish folder, modally. Returns how the dialog ended (wxID_OK after a finished
// upload or Enter, wxID_CANCEL otherwise); callers need not look.
#include <string>

class wxWindow;

namespace TEVComponentDesignerAfx {

int RunPublishDialog(wxWindow* parent, const std::string& localFolder);

} // namespace TEVComponentDesignerAfx
