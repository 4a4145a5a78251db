#pragma once
// The data page of the designer view: it hosts the component's editor control, created by
// its ProgID, and is the only place where the designer talks to that control.
//
// Every call of the designer interface asks the control for the interface afresh and lets
// go of it afterwards. When the ProgID is unknown, the module is missing, the control fails
// to start or lacks the interface, the page says so and how to fix it; the data it is given
// is kept as text and handed back unchanged, so a project saved meanwhile loses nothing.
// Extended parameters and property notifications are then skipped.
#include "platform/com/Variant.h"
#include "platform/widgets/ControlHosting.h"

#include <wx/panel.h>

#include <string>

struct ITEVComponentDesigner;

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerDataView : public wxPanel {
public:
    CTEVComponentDesignerDataView() = default;
    ~CTEVComponentDesignerDataView() override;

    // Creates the page window; the editor control is created with it. The page is created
    // even when the control cannot be.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& name);

    // The ProgID of the editor control; set before Create, later changes have no effect.
    void SetProgID(const std::string& progId) { m_strProgID = progId; }
    const std::string& GetProgID() const { return m_strProgID; }

    // Whether an editor control with the designer interface is present.
    bool HasControl() const;
    // The editor control's window, null when there is none.
    wxWindow* GetControlWindow() const { return m_wndControl.GetControlWindow(); }

    // Contract forwarders.
    std::string GetDataSection();
    void SetDataSection(const std::string& xml);
    std::string GetExtendedParams();
    void SetExtendedParams(const std::string& text);
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const CComVariant& value);
    void OnPropertyInit(const std::string& name, const std::string& category,
                        const CComVariant& value);

    // The optional feed of the control: its file name for the project `name`, "" when the
    // control offers none; and the feed written into `folder` under that name, true when
    // it was written.
    std::string GetFeedFileName(const std::string& name);
    bool WriteFeed(const std::string& folder, const std::string& fileName);

    // Gives the control the Data element found directly below the root of a project's
    // properties XML; nothing when the text does not parse or has no such element.
    void LoadProjectData(const std::string& xml);
    // Without a control: keeps the Data element of a project file's whole text (line breaks
    // included) exactly as the file holds it. With one, nothing happens.
    void KeepStoredData(const std::string& storedXml);
    // Gives the control the data of a new project and an empty extended fragment.
    void ResetControlData();

    // The framework's initial update, sent by the designer view after the pages are built.
    virtual void OnInitialUpdate() {}

    // The Data element below the root of `xml` as XML text; false when there is none.
    static bool ExtractDataSection(const std::string& xml, std::string& dataXml);

    // What the page says when the control with `progId` could not be created with the result
    // `hr`: why, how to fix it, and that the data is kept.
    static std::string MissingControlText(const std::string& progId, HRESULT hr);

protected:
    void OnCreate();
    void OnSize(wxSizeEvent& event);
    void OnDestroy();

private:
    // The page's explanation when there is no control; `hr` tells why.
    void ShowMissingControlNotice(HRESULT hr);

    // The shapes of the designer interface's calls, each forwarded by one helper below.
    using TextGetter = HRESULT (ITEVComponentDesigner::*)(BSTR*);
    using TextSetter = HRESULT (ITEVComponentDesigner::*)(BSTR);
    using PropertyNotification = HRESULT (ITEVComponentDesigner::*)(BSTR, BSTR, VARIANT);

    std::string GetText(TextGetter method);
    void SetText(TextSetter method, const std::string& text);
    void NotifyProperty(PropertyNotification method, const std::string& name,
                        const std::string& category, const CComVariant& value);

    // The window name the editor control is created with.
    static constexpr const char* kControlWindowName = "ComponentData";

    // Through it the control is created and reached.
    tev::OleControlWnd m_wndControl;
    std::string m_strProgID;
    // The data while there is no control, as it was given.
    std::string m_strKeptData;
};

} // namespace TEVComponentDesignerAfx
