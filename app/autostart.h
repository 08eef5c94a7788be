// The autostart entry: one REG_SZ value under the current user's Run key.
#ifndef TALLYWICK_AUTOSTART_H
#define TALLYWICK_AUTOSTART_H

#define RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define RUN_VALUE "Tallywick"

bool IsAutostartEnabled();
void SetAutostart(bool enable);

#endif
