// The autostart entry: one REG_SZ value under the current user's Run key, which Windows'
// own startup switch (Task Manager, Settings) can turn off beside it.
#ifndef TALLYWICK_AUTOSTART_H
#define TALLYWICK_AUTOSTART_H

#define RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define RUN_VALUE "Tallywick"
// Where Windows keeps its own switch for each Run value, under a value of the same name.
#define STARTUP_APPROVED_KEY \
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"

bool IsAutostartEnabled();
void SetAutostart(bool enable);

#endif
