// Windows keeps each monitor's EDID in the device key of the monitor's device instance. The
// display devices name their monitors by device interface instead: "\\?\", the instance
// id with '#' in place of '\', then "#{interface class}". The two meet by that instance id,
// compared without regard to case, as Windows compares device ids.
#include "edid.h"

#include <initguid.h>  // GUID_DEVCLASS_MONITOR is defined here, not taken from a library
#include <devguid.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#include <stdlib.h>
#include <string.h>

namespace {

const BYTE EDID_HEADER[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
// The base block, which holds the header, the size and its own checksum.
const DWORD EDID_BLOCK_LENGTH = 128;
// Smaller than any monitor's picture: a placeholder, or centimetres where millimetres
// belong.
const LONG MIN_PICTURE_MM = 50;
const char INTERFACE_PREFIX[] = "\\\\?\\";

bool IsEdidBlock(const BYTE *edid, DWORD length)
{
    if (length < EDID_BLOCK_LENGTH || memcmp(edid, EDID_HEADER, sizeof EDID_HEADER) != 0)
        return false;
    BYTE sum = 0;
    for (DWORD i = 0; i < EDID_BLOCK_LENGTH; ++i)
        sum += edid[i];
    return sum == 0;
}

bool IsBelievable(SIZE size)
{
    return size.cx >= MIN_PICTURE_MM && size.cy >= MIN_PICTURE_MM;
}

// The first detailed timing descriptor (bytes 54 to 71) holds the size to the millimetre,
// twelve bits each; a pixel clock of zero makes it a display descriptor, which holds none.
SIZE DetailedTimingSize(const BYTE *edid)
{
    SIZE size = {0, 0};
    if (edid[54] == 0 && edid[55] == 0)
        return size;
    size.cx = edid[66] | (edid[68] >> 4) << 8;
    size.cy = edid[67] | (edid[68] & 0x0F) << 8;
    return size;
}

// "\\?\DISPLAY#GSM5B08#5&1ad1a9e0&0&UID4353#{e6f07b5f-...}" gives
// "DISPLAY\GSM5B08\5&1ad1a9e0&0&UID4353".
bool InterfaceInstanceId(const char *interfaceName, char *id, size_t size)
{
    size_t prefix = sizeof INTERFACE_PREFIX - 1;
    if (strncmp(interfaceName, INTERFACE_PREFIX, prefix) != 0)
        return false;
    const char *start = interfaceName + prefix;
    const char *end = strrchr(start, '#');
    if (!end || (size_t)(end - start) >= size)
        return false;
    size_t length = 0;
    for (const char *c = start; c < end; ++c)
        id[length++] = *c == '#' ? '\\' : *c;
    id[length] = '\0';
    return true;
}

bool DeviceEdidSize(HDEVINFO monitors, SP_DEVINFO_DATA *device, SIZE *millimetres)
{
    HKEY key = SetupDiOpenDevRegKey(monitors, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                    KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE)
        return false;
    DWORD type = 0, length = 0;
    bool parsed = false;
    // Extension blocks may follow the base block: the length is asked for first.
    if (RegQueryValueExA(key, "EDID", NULL, &type, NULL, &length) == ERROR_SUCCESS &&
        type == REG_BINARY && length >= EDID_BLOCK_LENGTH) {
        BYTE *edid = (BYTE *)malloc(length);
        if (edid && RegQueryValueExA(key, "EDID", NULL, &type, edid, &length) == ERROR_SUCCESS)
            parsed = ParseEdidSize(edid, length, millimetres);
        free(edid);
    }
    RegCloseKey(key);
    return parsed;
}

bool InstanceEdidSize(HDEVINFO monitors, const char *instanceId, SIZE *millimetres)
{
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(monitors, i, &device); ++i) {
        char id[MAX_DEVICE_ID_LEN];
        if (SetupDiGetDeviceInstanceIdA(monitors, &device, id, sizeof id, NULL) &&
            _stricmp(id, instanceId) == 0)
            return DeviceEdidSize(monitors, &device, millimetres);
    }
    return false;
}

}  // namespace

bool ParseEdidSize(const BYTE *edid, DWORD length, SIZE *millimetres)
{
    if (!IsEdidBlock(edid, length))
        return false;
    SIZE size = DetailedTimingSize(edid);
    // Else the basic parameters: whole centimetres, zero for a projector's picture of no
    // fixed size (one zero makes the other an aspect ratio).
    if (!IsBelievable(size)) {
        size.cx = edid[21] * 10;
        size.cy = edid[22] * 10;
    }
    if (!IsBelievable(size))
        return false;
    *millimetres = size;
    return true;
}

bool MonitorEdidSize(const char *device, SIZE *millimetres)
{
    HDEVINFO monitors = SetupDiGetClassDevsA(&GUID_DEVCLASS_MONITOR, NULL, NULL, DIGCF_PRESENT);
    if (monitors == INVALID_HANDLE_VALUE)
        return false;
    DISPLAY_DEVICEA monitor;
    monitor.cb = sizeof monitor;
    char id[MAX_DEVICE_ID_LEN];
    bool found = false;
    for (DWORD i = 0;
         !found && EnumDisplayDevicesA(device, i, &monitor, EDD_GET_DEVICE_INTERFACE_NAME); ++i)
        found = (monitor.StateFlags & DISPLAY_DEVICE_ACTIVE) &&
                InterfaceInstanceId(monitor.DeviceID, id, sizeof id) &&
                InstanceEdidSize(monitors, id, millimetres);
    SetupDiDestroyDeviceInfoList(monitors);
    return found;
}
