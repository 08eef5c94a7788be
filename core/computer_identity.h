// This computer as the source of history files: its id, a random 64-bit number kept in
// "Computer Id" and made the first time a file that carries it is written or read, the ids
// it had before ("Former Computer Ids": 16 bytes each, the id and the FILETIME, UTC, when it
// was replaced, oldest first, written only when an id is replaced), its name, and which
// files are its own. All of it runs on the thread that writes and reads history files, the
// meter's: the registry values are read afresh at each call and have no other writer.
#ifndef TALLYWICK_COMPUTER_IDENTITY_H
#define TALLYWICK_COMPUTER_IDENTITY_H

#include <stddef.h>
#include <stdint.h>
#include "history_format.h"

// "Computer Id", made (random, never 0) and stored first when the value is missing or
// malformed; 0 when none is stored and none could be.
uint64_t ThisComputerId();
// The source for a file written now: the id (made when need be), the computer's name and
// the time. False when the id could not be stored or no name had: the file is then written
// without one, as before the trailer.
bool MakeThisComputerSource(HistorySource *source);
// Whether a file of `source` is this computer's own: its id is `currentId`, whatever name
// it carries (a computer can be renamed), or it is one of the former ids, whole 16-byte
// entries of `formerIds` as "Former Computer Ids" stores them, and the file was written
// before that id was replaced. A source not present is no computer's: false.
bool IsOwnSource(const HistorySource &source, uint64_t currentId, const unsigned char *formerIds,
                 size_t formerSize);
// IsOwnSource with this computer's values, the id made when need be.
bool IsThisComputersSource(const HistorySource &source);
// Gives this computer a new id: the current one is added to "Former Computer Ids" with the
// time of now, then the new one stored. The new id; 0 when either write was refused or the
// former ids could not be read, and then the current id stays this computer's.
uint64_t ReplaceComputerId();

#endif
