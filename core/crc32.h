// The CRC-32 of zlib and PNG (reflected polynomial 0xEDB88320, initial and final value
// all ones), over bytes in memory.
#ifndef TALLYWICK_CRC32_H
#define TALLYWICK_CRC32_H

#include <stddef.h>
#include <stdint.h>

uint32_t Crc32(const unsigned char *bytes, size_t size);

#endif
