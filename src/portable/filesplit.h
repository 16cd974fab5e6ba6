// Splits the result of the open-file dialog into full paths. Two forms exist:
// zero-separated (a single path, or a directory then names, each ended by a
// zero, the list ended by a further zero) and space-separated (one text: a
// single path, or a directory then names separated by single spaces).
#ifndef VISTRELL_FILESPLIT_H
#define VISTRELL_FILESPLIT_H

#include <stddef.h>

enum ResultForm { RESULT_ZERO_SEPARATED, RESULT_SPACE_SEPARATED };

// Why a name was not handed on.
enum SkipReason {
    SKIP_PATH_TOO_LONG,       // the full path would not fit a 100-byte holder
    SKIP_DIRECTORY_TOO_LONG,  // the directory itself would not fit
};

struct SplitSinks {
    // Called with each full path in the dialog's order; returns false to stop
    // (the table is full).
    bool (*addPath)(void* context, const char* path);
    // Called for a name that is not handed on; the others still are. For a
    // single file the name is the whole path; for a directory that is too
    // long it is called once for every name behind it. May be null.
    void (*skipName)(void* context, const char* name, SkipReason reason);
    void* context;
};

// Paths handed on are at most SPLIT_PATH_LIMIT characters (they must fit a
// 100-byte holder with its zero).
const size_t SPLIT_PATH_LIMIT = 99;

// Names reported to skipName are cut to this many characters; the dialog's
// result in the editor is 300 bytes, so its names are never cut.
const size_t SPLIT_NAME_LIMIT = 299;

// Splits the first resultSize bytes of result. Returns 1 when done (also when
// the result ends without a separator within resultSize: the names complete
// before that point are handed on), 0 when addPath asked to stop.
// Empty texts are not paths: an empty result, an empty name (two spaces in a
// row, a trailing space) or an empty directory hands nothing on for them.
// A zero-separated result whose first text ends in its last byte cannot say
// whether it is one file or a directory, so it hands nothing on.
// No byte at or past resultSize is read.
int splitDialogResult(const char* result, size_t resultSize, ResultForm form, const SplitSinks& sinks);

#endif
