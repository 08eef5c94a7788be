// One table of 256 remainders, made by the compiler, so that no thread ever fills it.
#include "crc32.h"

struct CrcTable {
    uint32_t remainders[256];
};

static constexpr CrcTable MakeCrcTable()
{
    CrcTable table = {};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t remainder = i;
        for (int bit = 0; bit < 8; ++bit)
            remainder = remainder & 1 ? 0xEDB88320u ^ remainder >> 1 : remainder >> 1;
        table.remainders[i] = remainder;
    }
    return table;
}

static constexpr CrcTable CRC_TABLE = MakeCrcTable();

uint32_t Crc32(const unsigned char *bytes, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = CRC_TABLE.remainders[(crc ^ bytes[i]) & 0xFF] ^ crc >> 8;
    return crc ^ 0xFFFFFFFFu;
}
