// The question asked of a history file that does not say which computer wrote it: one of
// the computers kept already, or a new one, named by default after the file.
#ifndef TALLYWICK_WHICH_COMPUTER_H
#define TALLYWICK_WHICH_COMPUTER_H

#include <windows.h>
#include "../core/history_format.h"

// Asks, over the meter, whose history the file at `path` is, and makes the source to keep
// it as: a known computer's id, name and kept trailer time, or a new random id with the
// name the user gave and the file's last-write time. False when the user cancelled or no
// id could be had.
bool AskWhichComputer(const wchar_t *path, HistorySource *source);

#endif
