// Helpers for the unit tests that use the real settings key and the program-wide state.
#ifndef TALLYWICK_SETTINGS_KEY_SUPPORT_H
#define TALLYWICK_SETTINGS_KEY_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <stdint.h>
#include <string.h>
#include <vector>
#include "core/figures.h"
#include "core/history_list.h"
#include "core/registry_store.h"
#include "core/saving.h"
#include "fakes/fake_clock.h"

inline void DeleteSettingsKey()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY);
}

// The value as the key holds it, or `missing` when it cannot be read.
inline uint64_t ReadSettingsQword(const char *name, uint64_t missing = UINT64_MAX)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return missing;
    uint64_t value = 0;
    DWORD size = sizeof value;
    LONG result = RegQueryValueExA(key, name, NULL, NULL, (BYTE *)&value, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : missing;
}

// A value of a key of the current user as it is stored: type and bytes.
struct RegistryValue {
    bool present;
    DWORD type;
    std::vector<BYTE> data;
};

inline RegistryValue ReadRegistryValue(const char *subkey, const char *name)
{
    RegistryValue value = {false, 0, {}};
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, subkey, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(),
                                         &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return value;
}

inline void WriteRegistryValue(const char *subkey, const char *name, DWORD type,
                               const void *data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, subkey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, (const BYTE *)data, size), ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void WriteSettingsValue(const char *name, DWORD type, const void *data, DWORD size)
{
    WriteRegistryValue(SETTINGS_KEY, name, type, data, size);
}

inline void ClearStoredHistory()
{
    HistoryList none = {nullptr, 0, 0, HISTORY_GROW_STEP};
    ReplaceStoredHistory(none);
}

// Counts as the hook messages do: key presses, a distance in steps a mouse can make, and
// left, middle and right clicks.
inline void Count(uint32_t keys, double millimetres = 0, uint32_t left = 0, uint32_t middle = 0,
                  uint32_t right = 0)
{
    for (uint32_t i = 0; i < keys; ++i)
        OnKeyPress(0);
    for (float step; millimetres > 0; millimetres -= step) {
        step = (float)(millimetres < MAX_STEP_MM ? millimetres : MAX_STEP_MM);
        uint32_t bits;
        memcpy(&bits, &step, sizeof bits);
        OnMouseDistance((LPARAM)bits);
    }
    for (uint32_t i = 0; i < left; ++i)
        OnClickLeft();
    for (uint32_t i = 0; i < middle; ++i)
        OnClickMiddle();
    for (uint32_t i = 0; i < right; ++i)
        OnClickRight();
}

// The saved and counted state as at a first start: no key, no history, zero counters,
// the fake clock at its ordinary moment.
inline void ResetProgramState()
{
    ResetFakeClock();
    DeleteSettingsKey();
    ClearStoredHistory();
    ReplaceTotals(CounterBlock{}, 0);
}

// The settings key exists but refuses value writes to the current user, as under an ACL
// or a policy: it opens, and every RegSetValueExA on it fails. Deleting it ends that.
struct ReadOnlySettingsKey {
    ReadOnlySettingsKey()
    {
        HKEY key;
        EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key), ERROR_SUCCESS);
        EXPLICIT_ACCESSA access = {};
        access.grfAccessPermissions = KEY_READ | WRITE_DAC | DELETE;
        access.grfAccessMode = SET_ACCESS;
        access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        access.Trustee.ptstrName = (char *)"CURRENT_USER";
        PACL acl = NULL;
        EXPECT_EQ(SetEntriesInAclA(1, &access, NULL, &acl), (DWORD)ERROR_SUCCESS);
        EXPECT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY,
                                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                  NULL, NULL, acl, NULL), (DWORD)ERROR_SUCCESS);
        LocalFree(acl);
        RegCloseKey(key);
    }
    ~ReadOnlySettingsKey() { DeleteSettingsKey(); }
};

inline DateKey DateKeyOf(WORD year, WORD month, WORD day)
{
    return (DateKey)year << 16 | (DateKey)month << 8 | day;
}

inline HistoryRecord MakeRecord(DateKey date, uint32_t keys, float distance, uint16_t left,
                                uint16_t middle, uint16_t right, uint32_t seconds)
{
    HistoryRecord record = {};
    record.date = date;
    record.keys = keys;
    record.distance = distance;
    record.leftClicks = left;
    record.middleClicks = middle;
    record.rightClicks = right;
    record.seconds = seconds;
    return record;
}

#endif
