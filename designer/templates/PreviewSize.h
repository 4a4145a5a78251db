#pragma once
// The preview's size: width and height in pixels, the aspect ratio (width / height) of the
// size last loaded or initialised, and the aspect lock. While the lock is on, a new width
// or height brings the other dimension along in that ratio, as far as the limits of Width
// and Height allow: there the ratio yields. The size shown is always within those limits.
#include "platform/com/Variant.h"

#include <string>

namespace TEVComponentDesignerAfx {

class CPreviewSize {
public:
    // The property names acted on.
    static std::string WidthName();
    static std::string HeightName();
    static std::string AspectRatioName();
    // The category the brought-along dimension is set in.
    static std::string ProjectPropertiesCategory();

    // What a change asks of the preview.
    struct Change {
        bool rebuild = false;    // the page follows the new size
        bool setPartner = false; // the other dimension was brought along:
        std::string partnerName; //   "Width" or "Height"
        int partnerValue = 0;    //   its new value
    };

    // The size the preview shows: the values held, within the limits of Width and Height.
    int Width() const;
    int Height() const;
    // 0 when the height is 0: no ratio can be kept then.
    double AspectRatio() const { return m_aspectRatio; }
    bool AspectLock() const { return m_aspectLock; }

    // The descriptor's size; the lock stays as it is.
    void Load(int width, int height);

    // An initial value: Width and Height set their dimension and the ratio, Aspect ratio the
    // lock. Other names, and values that are no number (or truth value), change nothing.
    void OnPropertyInitialized(const std::string& name, const CComVariant& value);

    // A user's change. Width or Height sets that dimension and, with the lock on, the other
    // one (truncated, then brought within its limits); turning the lock on brings the height
    // along to the width. The ratio itself stays. Without a ratio (a height of 0 was loaded)
    // the other dimension is kept.
    Change OnPropertyChanged(const std::string& name, const CComVariant& value);

private:
    void UpdateRatio();
    // width / ratio or height x ratio, truncated and within the limits; false without a
    // usable ratio.
    bool HeightForWidth(int& height) const;
    bool WidthForHeight(int& width) const;
    // With the lock on and a usable ratio, the other dimension follows and `change` names it.
    void BringHeightAlong(Change& change);
    void BringWidthAlong(Change& change);

    int m_width = 0;
    int m_height = 0;
    double m_aspectRatio = 1.0;
    bool m_aspectLock = true;
};

} // namespace TEVComponentDesignerAfx
