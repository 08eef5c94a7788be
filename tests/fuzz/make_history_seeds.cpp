// Writes the fuzzer's seed corpus into a folder: real history files as the program writes
// them (empty, one record, 36,500 records, each with and without the trailer), a trailer of
// a later version with a field this reader does not know, and files cut short anywhere.
// Made at test time, so that no binary lies in the repository.
//   make_history_seeds FOLDER
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#include "core/crc32.h"
#include "core/history_format.h"

typedef std::vector<unsigned char> Bytes;

static std::string Folder;
static int Written;

static void WriteSeed(const Bytes &bytes)
{
    std::string path = Folder + "/seed-" + std::to_string(++Written);
    FILE *file = fopen(path.c_str(), "wb");
    if (!file || (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        || fclose(file) != 0) {
        fprintf(stderr, "make_history_seeds: cannot write %s\n", path.c_str());
        exit(1);
    }
}

// `count` records of distinct real days with figures of an ordinary day.
static HistoryList Days(int32_t count)
{
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    if (!ReserveHistory(&list, count))
        exit(1);
    for (int32_t i = 0; i < count; ++i) {
        HistoryRecord &record = list.records[i];
        uint32_t year = 1700 + i / (12 * 28), month = i / 28 % 12 + 1, day = i % 28 + 1;
        record.date = year << 16 | month << 8 | day;
        record.keys = 20000 + i % 977;
        record.distance = 150000.0f + i % 313;
        record.leftClicks = (uint16_t)(1500 + i % 71);
        record.middleClicks = (uint16_t)(i % 5);
        record.rightClicks = (uint16_t)(200 + i % 13);
        record.seconds = 8 * 3600 + i % 3600;
    }
    list.count = count;
    return list;
}

static HistorySource Source(const wchar_t *name)
{
    HistorySource source = {};
    source.present = true;
    source.computerId = 0x8C3F5A1E62D7B904ull;
    source.writtenAt = 133500000000000000ull;  // in 2024
    source.nameLength = (int)wcslen(name);
    wcscpy(source.name, name);
    return source;
}

static Bytes Encode(const HistoryList &list, const HistorySource *source)
{
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&list, source, &size);
    if (!bytes)
        exit(1);
    Bytes encoded(bytes, bytes + size);
    free(bytes);
    return encoded;
}

// The same trailer as version 2 with four more bytes before the checksum.
static Bytes LaterVersion(Bytes file, size_t trailerAt)
{
    file.resize(file.size() - 4);
    file.insert(file.end(), {0xA5, 0x5A, 0x00, 0xFF});
    file[trailerAt + 4] = 2;
    file[trailerAt + 6] = (unsigned char)(file.size() + 4 - trailerAt);
    uint32_t crc = Crc32(file.data() + trailerAt, file.size() - trailerAt);
    for (int i = 0; i < 4; ++i)
        file.push_back((unsigned char)(crc >> 8 * i));
    return file;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_history_seeds FOLDER\n");
        return 2;
    }
    Folder = argv[1];
    HistorySource plain = Source(L"DESKTOP-7Q2HN4K"), wide = Source(L"\u5F20\u4F1F\u7684\u7535\u8111");
    HistoryList none = Days(0), one = Days(1), many = Days(36500);
    for (const HistoryList *list : {&none, &one, &many}) {
        WriteSeed(Encode(*list, nullptr));
        WriteSeed(Encode(*list, &plain));
    }
    Bytes small = Encode(one, &wide);
    WriteSeed(LaterVersion(small, HISTORY_HEADER_SIZE + sizeof(HistoryRecord)));
    for (size_t cut = 0; cut < small.size(); ++cut)
        WriteSeed(Bytes(small.begin(), small.begin() + cut));
    Bytes large = Encode(many, &plain);
    size_t records = HISTORY_HEADER_SIZE + 36500 * sizeof(HistoryRecord);
    for (size_t cut : {records / 2, records - 1, records + 3, large.size() - 1})
        WriteSeed(Bytes(large.begin(), large.begin() + cut));
    DestroyHistoryList(&one);
    DestroyHistoryList(&many);
    printf("make_history_seeds: %d files in %s\n", Written, Folder.c_str());
    return 0;
}
