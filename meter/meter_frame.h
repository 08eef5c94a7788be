// The meter's frame: its window, where it stands and whether it can be seen; shown,
// hidden and put back to its corner here, by the menu, the tray icon and the program.
#ifndef TALLYWICK_METER_FRAME_H
#define TALLYWICK_METER_FRAME_H

#include <windows.h>
#include "../ui/owner_window.h"

#define METER_CLASS "TALLYWICK"
const int METER_DEFAULT_SIZE = 50;


struct MeterRect {
    int left, top, width, height;
};

MeterRect DefaultMeterRect();
// The hidden window of class METER_CLASS at DefaultMeterRect, as MeterWindow; false when
// it cannot be made.
bool CreateMeterFrame(HINSTANCE instance);
// Visible and not minimised: only then is anything drawn.
bool MeterCanBeSeen(HWND window);
// Shows and restores the meter and brings it to the front.
void ShowMeterWindow();
void ToggleMeterWindow();
// Puts the meter back to its default place and size, topmost, without activating it; a
// meter in view grows at once to fit its lines again.
void ResetMeterWindowPosition();

#endif
