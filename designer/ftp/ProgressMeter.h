#pragma once
// The arithmetic and texts of the upload's progress display, without the window: a
// percentage between a lower and an upper bound, the title "42% Uploading" and the status
// line that counts the bytes of the current file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace TEVComponentDesignerAfx {

class CProgressMeter {
public:
    static constexpr const char* kTitleFormat = "%d%% %s";
    static constexpr const char* kStatusFormat = "%s (%d of %d  bytes transferred)";

    // (position - lower) * 100 / (upper - lower) in 64 bits, truncated toward zero; any
    // result other than exactly 100 is then taken modulo 100. Nothing while the upper bound
    // is 0, nor when the bounds are equal.
    static std::optional<int> Percent(std::int32_t position, std::int32_t lower,
                                      std::int32_t upper);
    // "42% Uploading".
    static std::string TitleText(int percent, std::string_view caption);
    // "index.html (512 of 2048  bytes transferred)".
    static std::string StatusText(std::string_view fileName, std::int32_t bytesSent,
                                  std::int32_t fileSize);

    // What one position change asks of the display.
    struct Update {
        bool m_moved = false;        // the bar shows m_percent
        int m_percent = 0;           // 0 to 100 while the position stays within the bounds
        bool m_titleChanged = false; // the title becomes GetTitle()
    };

    // Bounds 0 and 100, no caption.
    CProgressMeter() = default;

    // The upper bound; the lower becomes 0.
    void SetRange(std::int32_t upper);
    void SetCaption(std::string caption) { m_caption = std::move(caption); }
    Update SetPos(std::int32_t position);

    std::int32_t GetLower() const { return m_lower; }
    std::int32_t GetUpper() const { return m_upper; }
    const std::string& GetCaption() const { return m_caption; }
    // The title last asked for; empty before the first move.
    const std::string& GetTitle() const { return m_title; }

private:
    std::int32_t m_lower = 0;
    std::int32_t m_upper = 100;
    std::string m_caption;
    std::string m_title;
};

} // namespace TEVComponentDesignerAfx
