// The types every module shares: a block of the five counters, and a local date as a key.
// The figures themselves are the core's (figures.h).
#ifndef TALLYWICK_COUNTERS_H
#define TALLYWICK_COUNTERS_H

#include <stdint.h>

// The order right, middle, left is the block's own; the recount writes a whole block.
// Integer counters wrap modulo 2^64 and are shown as signed 64-bit numbers.
struct CounterBlock {
    uint64_t keyPresses;
    double distance;        // millimetres
    uint64_t rightClicks;
    uint64_t middleClicks;
    uint64_t leftClicks;
};

// A local date packed as year << 16 | month << 8 | day; keys compare like dates.
typedef uint32_t DateKey;

#endif
