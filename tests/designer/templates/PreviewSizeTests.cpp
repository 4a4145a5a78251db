#include "designer/templates/PreviewSize.h"

#include <gtest/gtest.h>

using namespace TEVComponentDesignerAfx;

namespace {

// A step: a property change and what it must give.
struct Step {
    const char* name;
    CComVariant value;
    int width;
    int height;
    const char* partner; // "" when the other dimension is not brought along
    int partnerValue;
};

void Apply(CPreviewSize& size, const std::vector<Step>& steps, const char* story) {
    for (const Step& step : steps) {
        const CPreviewSize::Change change = size.OnPropertyChanged(step.name, step.value);
        const std::string where = std::string(story) + ": " + step.name + " " + step.value.ToText();
        EXPECT_TRUE(change.rebuild) << where;
        EXPECT_EQ(size.Width(), step.width) << where;
        EXPECT_EQ(size.Height(), step.height) << where;
        EXPECT_EQ(change.setPartner ? change.partnerName : std::string(), step.partner) << where;
        if (change.setPartner) {
            EXPECT_EQ(change.partnerValue, step.partnerValue) << where;
        }
    }
}

CPreviewSize Loaded(int width, int height) {
    CPreviewSize size;
    size.Load(width, height);
    return size;
}

} // namespace

TEST(PreviewSize, TheLockKeepsTheLoadedProportion) {
    CPreviewSize size = Loaded(300, 200);
    EXPECT_TRUE(size.AspectLock());
    EXPECT_DOUBLE_EQ(size.AspectRatio(), 1.5);
    Apply(size,
          {{"Width", CComVariant(int32_t{450}), 450, 300, "Height", 300},
           {"Height", CComVariant(int32_t{100}), 150, 100, "Width", 150},
           {"Height", CComVariant(int32_t{101}), 151, 101, "Width", 151}}, // 151.5 truncated
          "locked 300 x 200");

    CPreviewSize calendar = Loaded(500, 400);
    Apply(calendar, {{"Width", CComVariant(int32_t{750}), 750, 600, "Height", 600}}, "500 x 400");
}

TEST(PreviewSize, TurningTheLockBackOnAppliesTheOldRatio) {
    CPreviewSize size = Loaded(300, 200);
    Apply(size,
          {{"Aspect ratio", CComVariant(false), 300, 200, "", 0},
           {"Width", CComVariant(int32_t{600}), 600, 200, "", 0},
           {"Height", CComVariant(int32_t{250}), 600, 250, "", 0},
           {"Aspect ratio", CComVariant(int32_t{1}), 600, 400, "Height", 400}},
          "unlocked then locked");
    EXPECT_DOUBLE_EQ(size.AspectRatio(), 1.5) << "changes do not recompute the ratio";
}

TEST(PreviewSize, InitialValuesSetTheSizeRatioAndLockWithoutBringingAnythingAlong) {
    CPreviewSize size = Loaded(500, 400);
    size.OnPropertyInitialized("Width", CComVariant(int32_t{600}));
    EXPECT_EQ(size.Height(), 400);
    EXPECT_DOUBLE_EQ(size.AspectRatio(), 1.5);
    size.OnPropertyInitialized("Height", CComVariant("300"));
    EXPECT_DOUBLE_EQ(size.AspectRatio(), 2.0);
    size.OnPropertyInitialized("Aspect ratio", CComVariant(false));
    EXPECT_FALSE(size.AspectLock());
    size.OnPropertyInitialized("Aspect ratio", CComVariant("true"));
    EXPECT_TRUE(size.AspectLock());
    // Names the preview does not follow, and values that are no number, change nothing.
    size.OnPropertyInitialized("HeaderColor", CComVariant("0x2E7D32"));
    size.OnPropertyInitialized("Width", CComVariant("wide"));
    EXPECT_EQ(size.Width(), 600);
    EXPECT_EQ(size.Height(), 300);
    // Loading a descriptor keeps the lock as it is.
    size.OnPropertyInitialized("Aspect ratio", CComVariant(false));
    size.Load(300, 200);
    EXPECT_FALSE(size.AspectLock());
}

TEST(PreviewSize, WithoutARatioTheOtherDimensionIsKept) {
    // A height of 0 is held, and shown as the least height.
    CPreviewSize zeroHeight = Loaded(300, 0);
    EXPECT_EQ(zeroHeight.AspectRatio(), 0.0);
    Apply(zeroHeight,
          {{"Width", CComVariant(int32_t{450}), 450, 10, "", 0},
           {"Height", CComVariant(int32_t{100}), 450, 100, "", 0},
           {"Aspect ratio", CComVariant(true), 450, 100, "", 0}},
          "height 0");

    CPreviewSize zeroWidth = Loaded(0, 200); // a ratio of 0
    Apply(zeroWidth,
          {{"Width", CComVariant(int32_t{450}), 450, 200, "", 0},
           {"Height", CComVariant(int32_t{100}), 450, 100, "", 0}},
          "width 0");

    CPreviewSize initialised = Loaded(300, 200);
    initialised.OnPropertyInitialized("Height", CComVariant(int32_t{0}));
    Apply(initialised, {{"Width", CComVariant(int32_t{10}), 10, 10, "", 0}}, "height 0 stored");
}

TEST(PreviewSize, TheRatioYieldsToTheLimitsOfBothDimensions) {
    CPreviewSize size = Loaded(500, 400); // 1.25
    Apply(size,
          {{"Width", CComVariant(int32_t{10}), 10, 10, "Height", 10},         // not 8
           {"Height", CComVariant(int32_t{1024}), 1024, 1024, "Width", 1024}, // not 1280
           {"Width", CComVariant(int32_t{1024}), 1024, 819, "Height", 819},
           {"Height", CComVariant(int32_t{900}), 1024, 900, "Width", 1024}}, // not 1125
          "500 x 400");
    EXPECT_DOUBLE_EQ(size.AspectRatio(), 1.25) << "the ratio itself stays";

    CPreviewSize banner = Loaded(1000, 10);
    Apply(banner, {{"Width", CComVariant(int32_t{500}), 500, 10, "Height", 10}}, "banner");
    CPreviewSize tall = Loaded(1, 1000000);
    Apply(tall, {{"Width", CComVariant(int32_t{1000}), 1000, 1024, "Height", 1024}}, "tall");
}

TEST(PreviewSize, TheSizeShownStaysWithinTheLimits) {
    CPreviewSize size = Loaded(5000, 2);
    EXPECT_EQ(size.Width(), 1024);
    EXPECT_EQ(size.Height(), 10);
    size.OnPropertyInitialized("Width", CComVariant(int32_t{-40}));
    EXPECT_EQ(size.Width(), 10);
}

TEST(PreviewSize, OtherNamesAndUnreadableValuesAskForNothing) {
    CPreviewSize size = Loaded(300, 200);
    for (const auto& [name, value] :
         std::vector<std::pair<std::string, CComVariant>>{{"HeaderColor", CComVariant("0xFF0000")},
                                                          {"Width", CComVariant("wide")},
                                                          {"width", CComVariant(int32_t{5})},
                                                          {"Aspect ratio", CComVariant("maybe")}}) {
        const CPreviewSize::Change change = size.OnPropertyChanged(name, value);
        EXPECT_FALSE(change.rebuild) << name;
        EXPECT_FALSE(change.setPartner) << name;
    }
    EXPECT_EQ(size.Width(), 300);
    EXPECT_EQ(size.Height(), 200);
}
