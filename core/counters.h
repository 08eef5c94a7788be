// The types every module shares: a block of the five counters, the six figures a window
// shows, a local date as a key (dates.h) and a date's figures, an hour of the week clock
// and the per-key counts.
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

// The figures of a span of time (a period, a day, a week, all time), each in 64 bits, wide
// enough for a year of every figure. Integer figures wrap modulo 2^64.
struct Figures {
    uint64_t keys;
    double distance;  // millimetres
    uint64_t leftClicks;
    uint64_t middleClicks;
    uint64_t rightClicks;
    uint64_t seconds;
};

// A local date as a key that compares like dates; made and taken apart in dates.h alone.
typedef uint32_t DateKey;

// One date's figures, summed over whatever holds that date: the records of a day, or the
// computers that counted it.
struct DayFigures {
    DateKey date;
    Figures figures;
};

// One hour of the week clock, 24 bytes, little-endian, as "Hourly Activity" stores it.
struct HourlyRecord {
    uint64_t keys;
    uint64_t clicks;  // left, middle and right together
    double distance;  // millimetres
};
static_assert(sizeof(HourlyRecord) == 24, "an hourly record is 24 bytes");

const int HOURS_IN_WEEK = 7 * 24;

// A key as MSG_KEY_PRESS names it: the scan code (0-255), plus 256 when the key is
// extended. No key has the scan code 0, so 0 names none.
const int KEY_IDENTITIES = 512;

// The per-key counts, as "Keys All Time" (the 64-bit counts) and "Keys Today" (the date,
// then the 32-bit counts) store them, little-endian.
struct KeyCounts {
    uint64_t allTime[KEY_IDENTITIES];
    DateKey todayDate;  // the day that `today` counts
    uint32_t today[KEY_IDENTITIES];
};

#endif
