// Numbers as text, and printf-style formatting into fixed global buffers.
// A returned text is valid until the same routine is called again.
#ifndef TALLYWICK_FORMATTING_H
#define TALLYWICK_FORMATTING_H

#include <stdint.h>

const int FORMAT_BUFFER_SIZE = 1024;
const int GROUPED_SIZE = 64;   // at least 27: sign, 19 digits, 6 spaces, terminator

// Decimal text with a single space between groups of three digits.
void GroupDigits(int64_t value, char *out);

// printf-style formatting (the "I64" size prefix included) into each entry point's own
// 1024-byte buffer; a longer text is cut, never written past the buffer.
char *FormatTimeText(const char *format, ...);
char *FormatDistanceText(const char *format, ...);
char *FormatClicksText(const char *format, ...);
char *FormatKeysText(const char *format, ...);
char *FormatMeterText(const char *format, ...);
// The same into a buffer of 128 bytes, for a history date.
char *FormatDateText(const char *format, ...);

#endif
