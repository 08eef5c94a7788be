// The program's icons: an image drawn for every scaling from 100 to 400 %.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include "res/resource.h"

namespace {

// The sides of the 32-bit images in the RT_GROUP_ICON directory of icon `id` of this module:
// a count at byte 4, then 14-byte entries of width (0 for 256), height, colours, a zero,
// planes and bits per pixel.
std::set<int> TrueColourSizes(WORD id)
{
    std::set<int> sizes;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    const BYTE *directory = found ? (const BYTE *)LockResource(LoadResource(nullptr, found)) : nullptr;
    for (WORD i = 0; directory && i < *(const WORD *)(directory + 4); ++i) {
        const BYTE *entry = directory + 6 + 14 * i;
        if (*(const WORD *)(entry + 6) == 32)
            sizes.insert(entry[0] ? entry[0] : 256);
    }
    return sizes;
}

TEST(ProgramIcons, EveryScalingFrom100To400PercentHasItsOwnTrueColourImage)
{
    std::set<int> rows = {16, 20, 24, 32, 40, 48, 64}, program = rows;
    program.insert(256);
    EXPECT_EQ(TrueColourSizes(IDI_MAIN), program);
    EXPECT_EQ(TrueColourSizes(IDI_HISTORY_ROW), rows);
}

}  // namespace
