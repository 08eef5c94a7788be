// What every end-to-end test shares: a clean machine state before each test, the running
// program under test, and the texts that a user would see for a day record, computed here
// from the locale independently of the program.
#ifndef TALLYWICK_E2E_SUPPORT_H
#define TALLYWICK_E2E_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "driver/driver.h"

namespace e2e {

const DWORD START_TIMEOUT_MS = 15000;
const DWORD EXIT_TIMEOUT_MS = 10000;

// Every test starts with no instance running, no settings key and no Run value.
struct E2eTest : ::testing::Test {
    driver::Process program;
    HWND meter = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Starts build/bin/tallywick.exe and waits for its meter window.
    void StartResident();
    // IDM_EXIT, then waits for the process; returns its exit code.
    DWORD ExitResident();
    // Runs the program with `args` to its end; returns the exit code (or 0xDEAD on timeout).
    DWORD RunToEnd(const std::string &args, DWORD timeoutMs = START_TIMEOUT_MS);
};

std::string GroupedText(uint64_t value);
std::string DateText(uint32_t date);        // short date and day name: "2026/1/5 (周一)"
std::string KeysText(const driver::DayRecord &record);
std::string MetresText(const driver::DayRecord &record);
std::string DistanceText(const driver::DayRecord &record);  // "1km 234.567m"
std::string TimeText(uint32_t seconds);     // hh:mm:ss, hours not wrapped
// The seven cells of a history row, in column order.
std::vector<std::string> RowTexts(const driver::DayRecord &record);
// One CSV line as the program writes it, with its CR LF.
std::string CsvLine(const driver::DayRecord &record);
// A history file: "TWKH", the count and the records.
std::string HistoryFileBytes(const std::vector<driver::DayRecord> &records);
std::string RecordBytes(const std::vector<driver::DayRecord> &records);
// The first 16 bytes of the trailer of this computer `length` bytes long: "TWKS", version 1,
// the length and the id in "Computer Id".
std::string OwnTrailerStart(size_t length);
// A string-table text as the program shows it, in code page 936.
std::string Gbk(const char *utf8);

}  // namespace e2e

#endif
