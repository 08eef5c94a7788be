// This computer's identity. The id comes from the system's random number generator, so
// that two computers never draw the same one, not even clones of one disk image started at
// the same moment; the name is only shown, never compared.
#include "computer_identity.h"

#include <windows.h>
#include <bcrypt.h>
#include <stdlib.h>
#include <string.h>

#include "file_system.h"
#include "registry_store.h"

static const DWORD FORMER_ID_SIZE = 16;  // the id, then when it was replaced

// A random id other than 0 (no computer's) and `other`; 0 when the system has none to give.
static uint64_t DrawId(uint64_t other)
{
    uint64_t id = 0;
    while (id == 0 || id == other)
        if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, (PUCHAR)&id, sizeof id,
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            return 0;
    return id;
}

// The host name as the user named the computer (its DNS name, which Settings shows), else
// its NetBIOS name. A DNS label holds at most 63 characters, so the cut to 63 units takes
// only what no label has; it never splits the two units of one character.
static bool ReadComputerName(HistorySource *source)
{
    wchar_t name[256];
    DWORD length = ARRAYSIZE(name);
    if (!GetComputerNameExW(ComputerNamePhysicalDnsHostname, name, &length) || length == 0) {
        length = ARRAYSIZE(name);
        if (!GetComputerNameExW(ComputerNamePhysicalNetBIOS, name, &length) || length == 0)
            return false;
    }
    if (length > (DWORD)COMPUTER_NAME_MAX)
        length = IS_HIGH_SURROGATE(name[COMPUTER_NAME_MAX - 1]) ? COMPUTER_NAME_MAX - 1
                                                                : COMPUTER_NAME_MAX;
    memcpy(source->name, name, length * sizeof(wchar_t));
    source->name[length] = L'\0';
    source->nameLength = (int)length;
    return true;
}

uint64_t ThisComputerId()
{
    uint64_t id = ReadComputerIdValue();
    if (id != 0)
        return id;
    id = DrawId(0);
    return id != 0 && WriteComputerIdValue(id) ? id : 0;
}

// The name before the id: a file that can carry no source must not make an id either.
bool MakeThisComputerSource(HistorySource *source)
{
    *source = HistorySource{};
    if (!ReadComputerName(source) || (source->computerId = ThisComputerId()) == 0) {
        *source = HistorySource{};
        return false;
    }
    source->writtenAt = FileTimeNow();
    source->present = true;
    return true;
}

bool IsOwnSource(const HistorySource &source, uint64_t currentId, const unsigned char *formerIds,
                 size_t formerSize)
{
    if (!source.present || source.computerId == 0)
        return false;
    if (source.computerId == currentId)
        return true;
    for (size_t at = 0; at + FORMER_ID_SIZE <= formerSize; at += FORMER_ID_SIZE) {
        uint64_t id, replacedAt;
        memcpy(&id, formerIds + at, sizeof id);
        memcpy(&replacedAt, formerIds + at + 8, sizeof replacedAt);
        if (id == source.computerId && source.writtenAt < replacedAt)
            return true;
    }
    return false;
}

// Former ids that cannot be read leave only the current one to compare with.
bool IsThisComputersSource(const HistorySource &source)
{
    uint64_t current = ThisComputerId();
    BYTE *former;
    DWORD size;
    if (!ReadFormerComputerIdsValue(0, &former, &size))
        return IsOwnSource(source, current, nullptr, 0);
    bool own = IsOwnSource(source, current, former, size);
    free(former);
    return own;
}

// Appends the id with the time of now after the whole entries the value holds.
static bool RecordFormerId(uint64_t id)
{
    BYTE *former;
    DWORD size;
    if (!ReadFormerComputerIdsValue(FORMER_ID_SIZE, &former, &size))
        return false;
    size -= size % FORMER_ID_SIZE;
    uint64_t replacedAt = FileTimeNow();
    memcpy(former + size, &id, sizeof id);
    memcpy(former + size + 8, &replacedAt, sizeof replacedAt);
    bool written = WriteFormerComputerIdsValue(former, size + FORMER_ID_SIZE);
    free(former);
    return written;
}

// The former id is stored before the new one: a new id without its predecessor recorded
// would disown every file written so far, and those would then count twice.
uint64_t ReplaceComputerId()
{
    uint64_t current = ReadComputerIdValue();
    uint64_t id = DrawId(current);
    if (id == 0 || (current != 0 && !RecordFormerId(current)))
        return 0;
    return WriteComputerIdValue(id) ? id : 0;
}
