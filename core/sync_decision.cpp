// The sync folder's decisions and the list of this computer's writes.
#include "sync_decision.h"

#include <string.h>
#include <wchar.h>
#include "computer_identity.h"

static const unsigned char WRITES_MAGIC[4] = {'T', 'W', 'K', 'W'};
static const size_t WRITES_HEADER_SIZE = 16;

void AddSyncWrite(SyncWrites *writes, uint64_t id, uint64_t writtenAt)
{
    if (writes->id != id) {
        writes->id = id;
        writes->count = 0;
    }
    if (writes->count == SYNC_WRITES_MAX) {
        memmove(writes->times, writes->times + 1, (SYNC_WRITES_MAX - 1) * sizeof writes->times[0]);
        --writes->count;
    }
    writes->times[writes->count++] = writtenAt;
}

bool WrittenHere(const SyncWrites &writes, uint64_t id, uint64_t writtenAt)
{
    if (writes.id != id)
        return false;
    for (int i = 0; i < writes.count; ++i)
        if (writes.times[i] == writtenAt)
            return true;
    return false;
}

// The list is kept in the order written, but a clock set back can make an earlier entry
// later: the earliest is looked for.
bool WrittenElsewhere(const SyncWrites &writes, uint64_t id, uint64_t writtenAt)
{
    if (writes.id != id || writes.count == 0 || WrittenHere(writes, id, writtenAt))
        return false;
    uint64_t earliest = writes.times[0];
    for (int i = 1; i < writes.count; ++i)
        if (writes.times[i] < earliest)
            earliest = writes.times[i];
    return writtenAt >= earliest;
}

size_t EncodeSyncWrites(const SyncWrites &writes, unsigned char *bytes)
{
    uint16_t version = 1, count = (uint16_t)writes.count;
    memcpy(bytes, WRITES_MAGIC, 4);
    memcpy(bytes + 4, &version, 2);
    memcpy(bytes + 6, &count, 2);
    memcpy(bytes + 8, &writes.id, 8);
    memcpy(bytes + WRITES_HEADER_SIZE, writes.times, count * sizeof writes.times[0]);
    return WRITES_HEADER_SIZE + count * sizeof writes.times[0];
}

bool ParseSyncWrites(const unsigned char *bytes, size_t size, SyncWrites *writes)
{
    *writes = SyncWrites{};
    uint16_t version, count;
    if (size < WRITES_HEADER_SIZE || memcmp(bytes, WRITES_MAGIC, 4) != 0)
        return false;
    memcpy(&version, bytes + 4, 2);
    memcpy(&count, bytes + 6, 2);
    if (version < 1 || count > SYNC_WRITES_MAX || size - WRITES_HEADER_SIZE < count * 8u)
        return false;
    memcpy(&writes->id, bytes + 8, 8);
    memcpy(writes->times, bytes + WRITES_HEADER_SIZE, count * 8u);
    writes->count = count;
    return true;
}

bool TakesNewIdFromTwin(const wchar_t *ownName, const wchar_t *twinName)
{
    if (!ownName || !ownName[0] || !twinName[0])
        return true;
    return _wcsicmp(ownName, twinName) >= 0;
}

SyncDecision DecideSyncFile(const HistorySource &source, const SyncSelf &self, bool removed,
                            const uint64_t *keptWrittenAt)
{
    if (!source.present || source.computerId == 0)
        return SYNC_NO_SOURCE;
    if (source.computerId == self.currentId) {
        if (!self.writes || !WrittenElsewhere(*self.writes, source.computerId, source.writtenAt))
            return SYNC_SKIP_OWN;
        return TakesNewIdFromTwin(self.name, source.name) ? SYNC_TAKE_NEW_ID : SYNC_SKIP_TWIN;
    }
    if (IsOwnSource(source, self.currentId, self.formerIds, self.formerSize))
        return SYNC_SKIP_OWN;
    if (removed)
        return SYNC_SKIP_REMOVED;
    if (keptWrittenAt && source.writtenAt <= *keptWrittenAt)
        return SYNC_SKIP_NOT_NEWER;
    return SYNC_KEEP;
}
