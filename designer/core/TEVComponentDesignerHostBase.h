#pragma once
// The host's side of the designer view: the view calls it when the user agrees to save
// before publishing.

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerHostBase {
public:
    virtual ~CTEVComponentDesignerHostBase() = default;
    // Runs the host's Save command; the default does nothing.
    virtual void RequestSave() {}
};

} // namespace TEVComponentDesignerAfx
