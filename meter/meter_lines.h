// The meter's four lines of text: built from the figures, and the texts it shows now.
#ifndef TALLYWICK_METER_LINES_H
#define TALLYWICK_METER_LINES_H

const int METER_LINE_COUNT = 4;

// The text of meter line 0 to 3 (keys, distance, clicks, running time) from the figures
// and the clock, in the FormatMeterText buffer until its next call.
const char *BuildMeterLine(int line);
// Builds the four lines afresh as the texts the meter shows; true when any of them differs
// from what it was.
bool UpdateMeterLines();
// Line 0 to 3 as the last update left it ("" before the first).
const char *MeterLine(int line);

#endif
