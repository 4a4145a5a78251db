// The yardstick of the start-up benchmark: a bare frame holding one web view on about:blank.
#include <wx/frame.h>
#include <wx/webview.h>
#include <wx/wx.h>

class BareApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Bare web view");
        wxWebView::New(frame, wxID_ANY, "about:blank");
        frame->Show();
        return true;
    }
};

wxIMPLEMENT_APP(BareApp);
