#pragma once
// The component protocol handler, as the designer sees it: a module beside the program that
// serves "about:props.xml" to the preview's movie. The designer pushes texts into it; the
// document it serves is built from the last texts pushed.
//
// Every push goes to a fresh instance and the instance that serves the next request is
// created separately, so whatever the methods store belongs to the class, shared by all
// instances. Each method takes one BSTR, which stays the caller's (NULL reads as "").
#include "platform/com/ComTypes.h"

// The module's file name in the program's folder.
constexpr const char* kTEVComponentProtocolModule = "TEVComponentAPP.so";

// {D386BC81-1EF3-46AF-B41B-DE11AE25DCF1}
constexpr CLSID CLSID_TEVComponentProtocol{
    0xD386BC81, 0x1EF3, 0x46AF, {0xB4, 0x1B, 0xDE, 0x11, 0xAE, 0x25, 0xDC, 0xF1}};
// {03735B20-0ED0-42BB-BB3D-336C3003DDDA}
constexpr IID IID_ITEVComponentProtocol{
    0x03735B20, 0x0ED0, 0x42BB, {0xBB, 0x3D, 0x33, 0x6C, 0x30, 0x03, 0xDD, 0xDA}};

struct ITEVComponentProtocol : IUnknown {
    // The component folder, with a trailing '/'; other "about:" names are files below it.
    virtual HRESULT SetBaseFolder(BSTR folder) = 0;
    // The inner XML of the properties document's UserDefined element.
    virtual HRESULT SetUserDefinedXml(BSTR xml) = 0;
    // The XML of the project's Data element, or "" for a new project.
    virtual HRESULT SetDataXml(BSTR xml) = 0;
    // The extended parameter fragment (a sequence of Param elements) from the editor control.
    virtual HRESULT SetExtendedXmlText(BSTR fragment) = 0;

protected:
    ~ITEVComponentProtocol() = default;
};
