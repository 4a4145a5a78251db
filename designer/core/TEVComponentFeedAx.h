#pragma once
// An optional interface of a component's designer control: the control writes its data as a
// file that visitors of the published page can take into programs of their own (for the
// calendar an iCalendar feed). The designer asks the control for it on every save and lists
// the file among the required files; a control without it is published without a feed.
//
// Strings follow the designer interface's rules (TEVComponentDesignerAx.h).
#include "platform/com/Variant.h"

// {4A0569DD-C455-497E-BB3C-79D8D0653F4D}
constexpr IID IID_ITEVComponentFeed{
    0x4A0569DD, 0xC455, 0x497E, {0xBB, 0x3C, 0x79, 0xD8, 0xD0, 0x65, 0x3F, 0x4D}};

struct ITEVComponentFeed : IUnknown {
    // The feed's file name for a project named `name` (no folder).
    virtual HRESULT GetFeedFileName(BSTR name, BSTR* fileName) = 0;
    // Writes the feed to `path`: S_OK when written, S_FALSE when it could not be (the
    // window is gone, the file cannot be written).
    virtual HRESULT WriteFeed(BSTR path) = 0;

protected:
    ~ITEVComponentFeed() = default;
};
