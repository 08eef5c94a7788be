// A monitor's physical picture size as the monitor itself reports it, in its EDID. With a
// WDDM display driver GDI learns no size from the driver and computes HORZSIZE from 96 dpi
// itself, so the EDID that Windows keeps for each monitor is the one source to trust.
#ifndef TALLYWICK_HOOKLIB_EDID_H
#define TALLYWICK_HOOKLIB_EDID_H

#include <windows.h>

// The picture size in millimetres (width, height as the monitor stands unturned) from the
// `length` bytes of an EDID; false for a damaged block or a size no monitor can have.
bool ParseEdidSize(const BYTE *edid, DWORD length, SIZE *millimetres);
// The picture size of the first monitor on the display `device` (the szDevice of a
// MONITORINFOEX, such as "\\.\DISPLAY1") whose EDID gives one. Slow (SetupAPI and the
// registry), so never inside a hook callback. Runs on any thread.
bool MonitorEdidSize(const char *device, SIZE *millimetres);

#endif
