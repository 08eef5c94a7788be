// Every identifier of Tallywick's resources, commands and private window messages.
// Included by the resource script too, so it holds plain #defines only.
#ifndef TALLYWICK_RESOURCE_H
#define TALLYWICK_RESOURCE_H

// String table (loaded narrow, in the user's ANSI code page)
#define IDS_APP_TITLE            101
#define IDS_HISTORY_TITLE        102
#define IDS_MENU_SHOW            103
#define IDS_MENU_CLEAR           104
#define IDS_MENU_ABOUT           105
#define IDS_MENU_EXIT            106
#define IDS_MENU_HIDE            107
#define IDS_MENU_AUTOSTART       108
#define IDS_LINE_KEYS            109
#define IDS_LINE_DISTANCE        110
#define IDS_LINE_TIME            111
#define IDS_COL_KEYS             112
#define IDS_COL_DISTANCE         113
#define IDS_COL_TIME             114
#define IDS_FMT_KEYS             115
#define IDS_FMT_DISTANCE         116
#define IDS_FMT_TIME             117
#define IDS_MENU_HISTORY         118
#define IDS_COL_DATE             119
#define IDS_MENU_EXPORT_CSV      120
#define IDS_EXPORT_FAILED        121
#define IDS_LINE_CLICKS          122
#define IDS_FMT_CLICKS           123
#define IDS_COL_LEFT             124
#define IDS_COL_MIDDLE           125
#define IDS_COL_RIGHT            126
#define IDS_FMT_METRES           127
#define IDS_MENU_RECOUNT         128
#define IDS_MENU_IMPORT          129
#define IDS_MENU_EXPORT_HISTORY  130
#define IDS_OPEN_FAILED          131
#define IDS_BAD_FORMAT           132
#define IDS_CONFIRM_MERGE        133
#define IDS_EMPTY_FILE           134
#define IDS_IMPORT_TITLE         135
#define IDS_CONFIRM_REPLACE      136
// Several computers and backups: 220 to 249
#define IDS_MENU_ADD_HISTORY     220
#define IDS_MENU_OPEN_BACKUPS    221
#define IDS_CONFIRM_ADD          222    // %s: the computer's name
#define IDS_BACKUP_FOLDER_FAILED 224
// The tray icon's notification at a first start: 250 to 259
#define IDS_FIRST_START_TITLE    250
#define IDS_FIRST_START_TEXT     251    // counting; the icon may be in the overflow; clicks
// Other computers kept as sources: 260 to 289
#define IDS_OWN_FILE_REFUSED     260
#define IDS_ASK_KEEP_OLDER       261    // %s: the name, when the kept copy and this file were written
#define IDS_ASK_ADD_INSTEAD      262    // %s: the name of the file's computer
#define IDS_KEEP_FAILED          263
#define IDS_MENU_COMPUTERS       264
#define IDS_COL_COMPUTER         265
#define IDS_COL_DAYS             266
#define IDS_COL_FIRST_DAY        267
#define IDS_COL_LAST_DAY         268
#define IDS_COL_UPDATED          269
#define IDS_ASK_REMOVE_SOURCE    270    // %s: the name, the grouped number of days
#define IDS_REMOVE_FAILED        271
#define IDS_SYNC_FILE_UNREADABLE 272    // a sync folder's file that is no history, in the list
#define IDS_NEW_COMPUTER         273    // the list's entry for a computer not known yet
#define IDS_MENU_SYNC_FOLDER     274
#define IDS_ASK_SYNC_FOLDER      275    // %s: the folder synced now; Yes another, No off, Cancel
#define IDS_SYNC_FOLDER_FAILED   276
#define IDS_SYNC_FOLDER_TITLE    277    // the folder picker's caption
// This computer or all computers: 300 to 309
#define IDS_MENU_SHOW_ALL_COMPUTERS 300
#define IDS_HISTORY_ALL_TITLE    301    // the history window while all computers are shown

// The chart window (140 to 179)
#define IDS_MENU_CHARTS          140
#define IDS_CHARTS_TITLE         141
#define IDS_FIGURE_KEYS          142
#define IDS_FIGURE_DISTANCE      143
#define IDS_FIGURE_CLICKS        144
#define IDS_FIGURE_TIME          145
#define IDS_VIEW_BARS            146
#define IDS_VIEW_CALENDAR        147
#define IDS_VIEW_CLOCK           148
#define IDS_UNIT_DAY             149
#define IDS_UNIT_WEEK            150
#define IDS_UNIT_MONTH           151
#define IDS_UNIT_YEAR            152
#define IDS_CHART_COPY           153
#define IDS_CHART_SAVE_PNG       154
#define IDS_YEAR_PREVIOUS        155
#define IDS_YEAR_NEXT            156
#define IDS_YEAR_LABEL           157    // %d: the calendar's year
#define IDS_AVERAGE              158    // %s: the average of the bars shown
#define IDS_AXIS_M               159    // axis labels: %lu metres ...
#define IDS_AXIS_KM              160    // ... kilometres
#define IDS_AXIS_KM_M            161    // ... kilometres and metres
#define IDS_AXIS_HOURS           162
#define IDS_AXIS_DAYS            163
#define IDS_AXIS_DAYS_HOURS      164
#define IDS_TIP_FIGURES          165    // keys, distance, left, middle, right clicks, time
#define IDS_TIP_HOUR_FIGURES     166    // keys, distance, clicks of one hour of the week
#define IDS_TIP_NO_RECORD        167
#define IDS_TIP_RANGE            168    // the first and the last day of a bar
#define IDS_TIP_HOUR             169    // weekday name, first hour, next hour
#define IDS_CLOCK_NEW            170
#define IDS_CLOCK_NO_TIME        171
#define IDS_LEGEND_LESS          172
#define IDS_LEGEND_MORE          173
#define IDS_PNG_FILES            174    // the save dialog's file type
#define IDS_CHART_SAVE_FAILED    175

// The keyboard heatmap and the per-key counts (180-219)
#define IDS_MENU_KEYBOARD        180
#define IDS_MENU_COUNT_EACH_KEY  181
#define IDS_KEYBOARD_TITLE       182
#define IDS_ASK_COUNT_EACH_KEY   183    // what turning the option on keeps, where, how to erase
#define IDS_ASK_ERASE_WHEN_OFF   184
#define IDS_ASK_ERASE_KEYS       185
#define IDS_KEYBOARD_TODAY       186
#define IDS_KEYBOARD_ALL_TIME    187
#define IDS_KEYBOARD_SAVE        188
#define IDS_KEYBOARD_ERASE       189
#define IDS_KEYBOARD_TURN_ON     190
#define IDS_KEYBOARD_OFF_LINE    191
#define IDS_KEYBOARD_TIP         192    // grouped count, share in per cent
#define IDS_KEYBOARD_FEWER       193
#define IDS_KEYBOARD_MORE        194
#define IDS_KEYBOARD_NEVER       195
#define IDS_MOUSE_LEFT           196
#define IDS_MOUSE_MIDDLE         197
#define IDS_MOUSE_RIGHT          198
#define IDS_KEYBOARD_SUM_TODAY   199    // grouped count of today's presses counted per key
#define IDS_KEYBOARD_SUM_ALL     200
#define IDS_PICTURE_FAILED       201
#define IDS_KEYBOARD_OTHER_KEYS  202    // the box of the keys the board has no place for

// Commands of the popup menu (WM_COMMAND low word)
#define IDM_EXIT                 2
#define IDM_HIDE                 16
#define IDM_ABOUT                1034
#define IDM_CLEAR_DATA           1035
#define IDM_SHOW                 1036
#define IDM_AUTOSTART            1038
#define IDM_VIEW_HISTORY         1039
#define IDM_EXPORT_CSV           1040
#define IDM_RECOUNT              1041
#define IDM_EXPORT_HISTORY       1042
#define IDM_IMPORT_HISTORY       1043
#define IDM_VIEW_CHARTS          1044
#define IDM_VIEW_KEYBOARD        1045
#define IDM_COUNT_EACH_KEY       1046
#define IDM_ADD_HISTORY          1047
#define IDM_OPEN_BACKUPS         1048
#define IDM_SYNC_FOLDER          1049   // chooses the sync folder, or turns syncing off
#define IDM_COMPUTERS            1060   // the list of the other computers kept
#define IDM_SHOW_ALL_COMPUTERS   1061   // the views show every computer's figures summed

// Controls and timer of the keyboard window (2200-2299)
#define IDC_KEYBOARD_TODAY       2201
#define IDC_KEYBOARD_ALL_TIME    2202
#define IDC_KEYBOARD_COPY        2203
#define IDC_KEYBOARD_SAVE        2204
#define IDC_KEYBOARD_ERASE       2205
#define IDC_KEYBOARD_TURN_ON     2206
#define KEYBOARD_TIMER_ID        2210   // looks for new counts once a second while open
#define KEYBOARD_TIMER_MS        1000

// Dialog and icons
#define IDD_ABOUT                129
#define IDC_ABOUT_TEXT           1000   // the maker and address lines of the About box
#define IDI_MAIN                 130    // 16, 20, 24, 32, 40, 48, 64, 256 px, 32-bit
#define IDI_HISTORY_ROW          131    // the history rows' image: 16 to 64 px, 32-bit
#define IDR_MANIFEST             1      // CREATEPROCESS_MANIFEST_RESOURCE_ID
#define IDD_WHICH_COMPUTER       132    // asks whose history a file without a source is
#define IDD_COMPUTERS            133    // the list of the other computers kept

// Controls of the two dialogs of other computers (2300 to 2319)
#define IDC_WHICH_COMPUTER       2300   // a known computer, or a new one
#define IDC_WHICH_NAME           2301   // the new computer's name
#define IDC_WHICH_NAME_LABEL     2302
#define IDC_COMPUTERS_LIST       2310
#define IDC_COMPUTERS_REMOVE     2311
#define COMPUTERS_TIMER_ID       2312   // looks for changed sources once a second while open
#define COMPUTERS_TIMER_MS       1000

// Controls and timer of the chart window (2100 to 2199)
#define IDC_CHART_FIGURE         2100   // key presses, distance, clicks, running time
#define IDC_CHART_VIEW           2101   // bars over time, year calendar, week clock
#define IDC_CHART_UNIT           2102   // bars by day, week, month, year
#define IDC_CHART_YEAR_PREVIOUS  2103
#define IDC_CHART_YEAR           2104
#define IDC_CHART_YEAR_NEXT      2105
#define IDC_CHART_COPY           2106
#define IDC_CHART_SAVE           2107
#define IDC_CHART_PLOT           2108   // the chart itself, which takes the arrow keys
#define CHART_TIMER_ID           2110   // once a second while the chart window is open
#define CHART_TIMER_MS           1000

// Private window messages of the meter window
#define MSG_SHOW_MENU            0x040D // WM_USER + 13: open the popup menu at the cursor
#define MSG_TRAY_NOTIFY          0x8001 // WM_APP + 1: the tray icon's callback
#define MSG_SHOW_METER           0x8002 // WM_APP + 2: posted by a second start: show the meter
#define MSG_SYNC_NEWS            0x8003 // WM_APP + 3: posted by the sync folder's worker: news waits
#define MSG_KEY_PRESS            0x8005 // WM_APP + 5 to + 9: posted by HOOK.dll; wParam: the key
                                        // (scan code, + 256 when extended)
#define MSG_MOUSE_DISTANCE       0x8006 // lParam: the 32 bits of a float, millimetres
#define MSG_CLICK_LEFT           0x8007
#define MSG_CLICK_MIDDLE         0x8008
#define MSG_CLICK_RIGHT          0x8009

// Thread message of HOOK.dll to its own hook thread (never to a window)
#define MSG_SCREENS_MEASURED     0x8010 // WM_APP + 16: new screen values wait to be taken over

// Timer and tray icon
#define METER_TIMER_ID           1024   // once a second, just after the tick counter's second turns
#define METER_COUNT_TIMER_ID     1026   // once, to repaint a count that came too soon after a repaint
#define TRAY_ICON_ID             1
#define TRAY_RETRY_TIMER_ID      1025   // runs while the shell refuses the tray icon

#endif
