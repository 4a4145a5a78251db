#include "designer/templates/PreviewSize.h"

#include "designer/properties/PropertyValues.h"
#include "resources/designer/DesignerStrings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace TEVComponentDesignerAfx {
namespace {

int WithinLimits(int value) {
    return std::clamp(value, PropertyValues::kProjectSizeLower, PropertyValues::kProjectSizeUpper);
}

// A derived dimension, truncated and within the limits; false when it is no finite number.
bool ToDimension(double value, int& out) {
    if (!std::isfinite(value))
        return false;
    out = WithinLimits(static_cast<int>(std::clamp(value, double{INT32_MIN}, double{INT32_MAX})));
    return true;
}

} // namespace

std::string CPreviewSize::WidthName() {
    return tev::designer::DesignerString(tev::designer::IDS_PROPERTY_WIDTH);
}

std::string CPreviewSize::HeightName() {
    return tev::designer::DesignerString(tev::designer::IDS_PROPERTY_HEIGHT);
}

std::string CPreviewSize::AspectRatioName() {
    return tev::designer::DesignerString(tev::designer::IDS_PROPERTY_ASPECT_RATIO);
}

std::string CPreviewSize::ProjectPropertiesCategory() {
    return tev::designer::DesignerString(tev::designer::IDS_PROJECT_PROPERTIES_CATEGORY);
}

int CPreviewSize::Width() const {
    return WithinLimits(m_width);
}

int CPreviewSize::Height() const {
    return WithinLimits(m_height);
}

void CPreviewSize::Load(int width, int height) {
    m_width = width;
    m_height = height;
    UpdateRatio();
}

void CPreviewSize::UpdateRatio() {
    m_aspectRatio = m_height != 0 ? static_cast<double>(m_width) / m_height : 0.0;
}

bool CPreviewSize::HeightForWidth(int& height) const {
    if (m_aspectRatio == 0.0 || !std::isfinite(m_aspectRatio))
        return false;
    return ToDimension(m_width / m_aspectRatio, height);
}

bool CPreviewSize::WidthForHeight(int& width) const {
    if (m_aspectRatio == 0.0 || !std::isfinite(m_aspectRatio))
        return false;
    return ToDimension(m_height * m_aspectRatio, width);
}

void CPreviewSize::BringHeightAlong(Change& change) {
    int derived = 0;
    if (m_aspectLock && HeightForWidth(derived)) {
        m_height = derived;
        change.setPartner = true;
        change.partnerName = HeightName();
        change.partnerValue = derived;
    }
}

void CPreviewSize::BringWidthAlong(Change& change) {
    int derived = 0;
    if (m_aspectLock && WidthForHeight(derived)) {
        m_width = derived;
        change.setPartner = true;
        change.partnerName = WidthName();
        change.partnerValue = derived;
    }
}

void CPreviewSize::OnPropertyInitialized(const std::string& name, const CComVariant& value) {
    int32_t number = 0;
    bool on = false;
    if (name == WidthName()) {
        if (value.ToInt(number)) {
            m_width = number;
            UpdateRatio();
        }
    } else if (name == HeightName()) {
        if (value.ToInt(number)) {
            m_height = number;
            UpdateRatio();
        }
    } else if (name == AspectRatioName()) {
        if (value.ToBool(on))
            m_aspectLock = on;
    }
}

CPreviewSize::Change CPreviewSize::OnPropertyChanged(const std::string& name,
                                                     const CComVariant& value) {
    Change change;
    int32_t number = 0;
    bool on = false;
    if (name == WidthName()) {
        if (!value.ToInt(number))
            return change;
        m_width = number;
        BringHeightAlong(change);
    } else if (name == HeightName()) {
        if (!value.ToInt(number))
            return change;
        m_height = number;
        BringWidthAlong(change);
    } else if (name == AspectRatioName()) {
        if (!value.ToBool(on))
            return change;
        m_aspectLock = on;
        BringHeightAlong(change);
    } else {
        return change;
    }
    change.rebuild = true;
    return change;
}

} // namespace TEVComponentDesignerAfx
