// The history as the menu shows it: this computer's stored history, or, while all
// computers are shown (all_computers.h), every date's figures summed over all of them,
// under a title that says so.
#ifndef TALLYWICK_HISTORY_VIEW_H
#define TALLYWICK_HISTORY_VIEW_H

// Opens the history window over the history as the choice says (IDM_VIEW_HISTORY).
void ShowHistoryView();
// The open history window, when it shows the history rather than an import's preview,
// takes the history as the choice and the kept sources say now.
void RefreshHistoryView();
// The meter timer's check: RefreshHistoryView when the choice or the kept sources have
// changed since the window took its days, so that a source kept or removed shows at once.
void RefreshHistoryViewWhenChanged();

#endif
