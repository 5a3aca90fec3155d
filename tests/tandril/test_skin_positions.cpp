// Positions read from a skin file: the live-view and animation rectangles and the panel icons with
// their resolution defaults.
#include "platform/profile.h"
#include "support/temp_prefix.h"
#include "tandril/core/skin_positions.h"

#include <gtest/gtest.h>

#include <string>

namespace tavo::test {
namespace {

using tandril::SkinPoint;
using tandril::SkinRect;

constexpr const char* kOther = "C:\\Suite\\CommRes\\skinNTSC_e.ini";
constexpr const char* k1024 = "C:\\Suite\\CommRes1024\\skinNTSC_e.ini";
constexpr const char* k1280 = "C:\\Suite\\Metal_Style\\CommRes1280\\skinNTSC_e.ini";

TEST(SkinRects, LivePosIsXYWidthHeight) {
    const TempPrefix prefix;
    const struct {
        const char* value;
        SkinRect rect;
    } cases[] = {
        {"10,20,300,200", {10, 20, 310, 220}},
        {"10,20,300", {}},
        {"", {}},
        {"10,20,300,200,99,1", {10, 20, 310, 220}},
        {"10,20,300,", {10, 20, 310, 20}},
        {" -5,x7,12abc,+3", {-5, 0, 7, 3}},
        {"2147483647,99999999999,10,-5", {2147483647, 2147483647, 2147483647, 2147483642}},
    };
    for (const auto& c : cases) {
        prefix.WriteHost(kOther,
                         "[Main]\r\nLivePos=" + std::string(c.value) + "\r\nAnimationPos=1,2,3,4\r\n");
        EXPECT_EQ(tandril::GetLive(kOther), c.rect) << c.value;
        EXPECT_EQ(tandril::GetAnimation(kOther), (SkinRect{1, 2, 4, 6})) << c.value;
    }
    EXPECT_EQ(tandril::GetLive("C:\\Suite\\missing.ini"), SkinRect{});
}

TEST(IconPositions, DefaultsFollowPanelIndexAndResolution) {
    const TempPrefix prefix;
    for (const char* file : {kOther, k1024, k1280})
        prefix.WriteHost(file, "[Panel1]\r\n[Panel3]\r\n");
    const struct {
        const char* file;
        int kind;
        int index;
        SkinPoint point;
    } cases[] = {
        {k1024, 2, 5, {8, 178}},  {k1024, 2, 0, {8, 90}},   {k1024, 2, 3, {8, 156}},
        {k1024, 2, 4, {8, 156}},  {k1280, 2, 3, {8, 190}},  {k1280, 2, 5, {8, 220}},
        {kOther, 2, 2, {8, 124}}, {kOther, 2, 6, {8, 175}}, {kOther, 2, -1, {0, 0}},
        {k1280, 0, 0, {330, 4}},  {k1280, 0, 3, {380, 4}},  {k1024, 0, 1, {276, 15}},
        {k1024, 0, 2, {276, 26}}, {kOther, 0, 0, {182, 3}}, {kOther, 0, 3, {214, 2}},
        {kOther, 0, 4, {0, 0}},   {k1280, 0, -1, {0, 0}},   {k1280, 1, 0, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tandril::GetIconDst(c.file, c.kind, c.index), c.point)
            << c.file << " kind " << c.kind << " index " << c.index;
}

TEST(IconPositions, FieldsEightAndNineReplaceTheDefaults) {
    const TempPrefix prefix;
    const struct {
        const char* entry;
        SkinPoint point; // panel 3, index 1, "CommRes1024": default (8, 112)
    } cases[] = {
        {"a.bmp,1,2,3,4,5,6,40,50", {40, 50}}, {"a.bmp,1,2,3,4,5,6,40,50,60", {40, 50}},
        {"a.bmp,1,2,3,4,5,6,,50", {8, 50}},    {"a.bmp,1,2,3,4,5,6,40,", {40, 112}},
        {"a.bmp,1,2,3,4,5,6,40", {8, 112}},    {"a.bmp,1,2", {8, 112}},
        {"a.bmp,1,2,3,4,5,6,x,-7", {0, -7}},
    };
    for (const auto& c : cases) {
        prefix.WriteHost(k1024, "[Panel3]\r\n6=" + std::string(c.entry) + "\r\n");
        EXPECT_EQ(tandril::GetIconDst(k1024, 2, 1), c.point) << c.entry;
    }
}

TEST(IconPositions, PanelOneKeysAreIndexPlusThreeAndNeedNoDefault) {
    const TempPrefix prefix;
    prefix.WriteHost(k1280, "[Panel1]\r\n3=i,1,2,3,4,5,6,11,12\r\n10=i,1,2,3,4,5,6,,70\r\n"
                            "[Panel3]\r\n3=i,1,2,3,4,5,6,99,99\r\n");
    EXPECT_EQ(tandril::GetIconDst(k1280, 0, 0), (SkinPoint{11, 12}));
    // Index 7 has no default of its own: the entry's empty x stays 0.
    EXPECT_EQ(tandril::GetIconDst(k1280, 0, 7), (SkinPoint{0, 70}));
    // Panel 3 reads its key 3 for index -2 only, which has no default.
    EXPECT_EQ(tandril::GetIconDst(k1280, 2, -2), (SkinPoint{99, 99}));
}

} // namespace
} // namespace tavo::test
