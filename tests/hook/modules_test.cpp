// HOOK.dll's modules on their own: the EDID parser on bytes.
#include <gtest/gtest.h>
#include <utility>
#include "driver/driver.h"
#include "hooklib/edid.h"

TEST(Edid, PictureSizeIsTakenInMillimetresOrElseCentimetresAndOnlyWhenBelievable)
{
    std::vector<uint8_t> damaged = driver::MakeEdid(400, 300, 40, 30);
    damaged[70] ^= 1;
    struct Case { const char *what; std::vector<uint8_t> edid; LONG width, height; };
    const Case cases[] = {{"good", driver::MakeEdid(597, 336, 60, 34), 597, 336},
                          {"bad checksum", damaged, 0, 0},
                          {"no size in the descriptor", driver::MakeEdid(0, 0, 52, 29), 520, 290},
                          {"too small to be true", driver::MakeEdid(16, 9, 0, 0), 0, 0}};
    for (const Case &c : cases) {
        SIZE mm = {0, 0};
        EXPECT_EQ(c.width != 0, ParseEdidSize(c.edid.data(), (DWORD)c.edid.size(), &mm)) << c.what;
        EXPECT_EQ(std::make_pair(c.width, c.height), std::make_pair(mm.cx, mm.cy)) << c.what;
    }
}
