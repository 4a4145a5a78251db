#include "designer/ftp/ProgressMeter.h"

#include "platform/text/StringUtil.h"

namespace TEVComponentDesignerAfx {

std::optional<int> CProgressMeter::Percent(std::int32_t position, std::int32_t lower,
                                           std::int32_t upper) {
    // Equal bounds would divide by zero; with the lower bound at 0 that is the "U is 0" case.
    if (upper == 0 || upper == lower)
        return std::nullopt;
    const std::int64_t span = static_cast<std::int64_t>(upper) - lower;
    const std::int64_t done = static_cast<std::int64_t>(position) - lower;
    std::int64_t percent = done * 100 / span;
    if (percent != 100)
        percent %= 100;
    return static_cast<int>(percent);
}

std::string CProgressMeter::TitleText(int percent, std::string_view caption) {
    return tev::Format(kTitleFormat, percent, std::string(caption).c_str());
}

std::string CProgressMeter::StatusText(std::string_view fileName, std::int32_t bytesSent,
                                       std::int32_t fileSize) {
    return tev::Format(kStatusFormat, std::string(fileName).c_str(), static_cast<int>(bytesSent),
                       static_cast<int>(fileSize));
}

void CProgressMeter::SetRange(std::int32_t upper) {
    m_lower = 0;
    m_upper = upper;
}

CProgressMeter::Update CProgressMeter::SetPos(std::int32_t position) {
    Update update;
    const std::optional<int> percent = Percent(position, m_lower, m_upper);
    if (!percent)
        return update;
    update.m_moved = true;
    update.m_percent = *percent;
    std::string title = TitleText(*percent, m_caption);
    if (title != m_title) {
        m_title = std::move(title);
        update.m_titleChanged = true;
    }
    return update;
}

} // namespace TEVComponentDesignerAfx
