// The fair random order of the list's entries: every entry once before any
// repeats. The round's state is kept in the settings file as a short text,
// read and written around each change. (A folder's pictures take their
// turns by folderplace.h.)
#ifndef VISTRELL_SHUFFLE_H
#define VISTRELL_SHUFFLE_H

#include "keys.h"

#include <stddef.h>
#include <stdint.h>

// The entries' round: which of the list's entries were shown, for the list
// whose fingerprint it holds, and the one shown last.
const int ROUND_WORDS = (RANDOM_SCAN_LIMIT + 31) / 32;
struct EntryRound {
    uint32_t shown[ROUND_WORDS];
    uint32_t fingerprint;
    int last;  // -1 for none
};

// Its text: the bit set in hexadecimal (the first digit holds entries 0 to
// 3, entry 0 in its lowest bit), the list's fingerprint and the last entry,
// as "b:1f3a9c02:1". Large enough for RANDOM_SCAN_LIMIT entries.
const int ENTRY_ROUND_TEXT = RANDOM_SCAN_LIMIT / 4 + 24;
void formatEntryRound(const EntryRound& round, int count, char* text);

// Reads a text back for a list of count entries with the given fingerprint;
// a text that does not parse, or was written for another list, gives a new
// round.
void parseEntryRound(const char* text, size_t length, int count, uint32_t fingerprint, EntryRound* round);

// Draws an entry not yet shown in the round (draw is any random number) and
// marks it. Once all are shown a new round starts, whose first entry is not
// the one shown last.
int drawFromEntryRound(EntryRound* round, int count, uint32_t draw);

#endif
