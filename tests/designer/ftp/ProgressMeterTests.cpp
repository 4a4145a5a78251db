#include "designer/ftp/ProgressMeter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace TEVComponentDesignerAfx;

TEST(ProgressMeter, PercentageArithmetic) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t position, lower, upper;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {0, 0, 0, std::nullopt}, // a zero-byte file: nothing moves
        {5, 0, 0, std::nullopt},
        {7, 7, 7, std::nullopt}, // equal bounds would divide by zero
        {0, 0, 100, 0},
        {42, 0, 100, 42},
        {99, 0, 100, 99},
        {100, 0, 100, 100}, // exactly 100 stays
        {1, 0, 3, 33},
        {2, 0, 3, 66}, // truncated, not rounded
        {3, 0, 3, 100},
        {150, 0, 100, 50}, // beyond the end wraps
        {200, 0, 100, 0},
        {-5, 0, 100, -5}, // truncated toward zero
        {15, 10, 20, 50},
        {kMax, 0, kMax, 100}, // products beyond 2^31
        {kMax - 1, 0, kMax, 99},
        {1 << 30, 0, kMax, 50},
        {21474837, 0, kMax, 1},
        {1000, 0, -1, 0}, // a size above 2 GiB taken as its low 32 bits
        {1500000000, 0, 2000000000, 75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " in " << c.lower << ".." << c.upper);
        EXPECT_EQ(CProgressMeter::Percent(c.position, c.lower, c.upper), c.expected);
    }
}

TEST(ProgressMeter, TitleAndStatusTexts) {
    EXPECT_EQ(CProgressMeter::TitleText(42, "Uploading"), "42% Uploading");
    EXPECT_EQ(CProgressMeter::TitleText(100, "Uploading"), "100% Uploading");
    EXPECT_EQ(CProgressMeter::StatusText("index.html", 512, 2048),
              "index.html (512 of 2048  bytes transferred)");
    EXPECT_EQ(CProgressMeter::StatusText("100%.txt", 0, 0), "100%.txt (0 of 0  bytes transferred)");
}

TEST(ProgressMeter, TheTitleChangesOnlyWithThePercentage) {
    CProgressMeter meter;
    EXPECT_EQ(meter.GetLower(), 0);
    EXPECT_EQ(meter.GetUpper(), 100);
    meter.SetCaption("Uploading");

    meter.SetRange(0);
    auto update = meter.SetPos(0);
    EXPECT_FALSE(update.m_moved);
    EXPECT_FALSE(update.m_titleChanged);
    EXPECT_EQ(meter.GetTitle(), "");

    meter.SetRange(2048);
    update = meter.SetPos(1024);
    EXPECT_TRUE(update.m_moved);
    EXPECT_EQ(update.m_percent, 50);
    EXPECT_TRUE(update.m_titleChanged);
    EXPECT_EQ(meter.GetTitle(), "50% Uploading");

    update = meter.SetPos(1030);
    EXPECT_TRUE(update.m_moved);
    EXPECT_EQ(update.m_percent, 50);
    EXPECT_FALSE(update.m_titleChanged);

    update = meter.SetPos(2048);
    EXPECT_EQ(update.m_percent, 100);
    EXPECT_TRUE(update.m_titleChanged);
    EXPECT_EQ(meter.GetTitle(), "100% Uploading");

    // The next file starts again from 0.
    meter.SetRange(10);
    update = meter.SetPos(0);
    EXPECT_EQ(update.m_percent, 0);
    EXPECT_EQ(meter.GetTitle(), "0% Uploading");
}
