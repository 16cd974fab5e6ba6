#include "folderplace.h"

#include "escapedtext.h"
#include "folderorder.h"
#include "hash64.h"
#include "hexdigit.h"
#include "textcase.h"

#include <stdio.h>
#include <string.h>

// Seeds tried for a new round that would open with the picture shown last;
// with two pictures each seed avoids it half the time.
static const int SEED_TRIES = 32;
static const uint64_t SEED_STEP = 0x9E3779B97F4A7C15ull;

int comparePicturePaths(const char* a, const char* b)
{
    int folded = compareFoldedPaths(a, b);
    return folded != 0 ? folded : strcmp(a, b);
}

uint32_t nextInListOrder(const char* const* order, uint32_t count, const char* last)
{
    if (!last[0])
        return 0;
    uint32_t low = 0;
    uint32_t high = count;
    while (low < high) {
        uint32_t middle = low + (high - low) / 2;
        if (comparePicturePaths(order[middle], last) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low < count ? low : 0;
}

uint64_t roundHash(const char* path, uint64_t seed)
{
    return hashBytes64(path, strlen(path), seed);
}

// The picture with the smallest hash above floor (all when none is shown
// yet); count when there is none.
static uint32_t smallestAbove(const char* const* paths, uint32_t count, uint64_t seed, bool any, uint64_t floor,
                              uint64_t* found)
{
    uint32_t best = count;
    for (uint32_t i = 0; i < count; ++i) {
        uint64_t hash = roundHash(paths[i], seed);
        if ((any || hash > floor) && (best == count || hash < *found)) {
            best = i;
            *found = hash;
        }
    }
    return best;
}

uint32_t nextInRound(const char* const* paths, uint32_t count, PictureRound* round, uint64_t freshSeed)
{
    if (count == 0)
        return 0;
    uint64_t hash = 0;
    uint32_t shownLast = count;
    if (round->seed != 0) {
        uint32_t next = smallestAbove(paths, count, round->seed, false, round->last, &hash);
        if (next < count) {
            round->last = hash;
            return next;
        }
        // The round is over: the new one does not open with its last picture.
        for (uint32_t i = 0; i < count && shownLast == count; ++i)
            if (roundHash(paths[i], round->seed) == round->last)
                shownLast = i;
    }
    uint32_t first = 0;
    uint64_t seed = freshSeed;
    for (int tries = 0; tries < SEED_TRIES; ++tries, seed += SEED_STEP) {
        if (seed == 0)
            seed = SEED_STEP;
        first = smallestAbove(paths, count, seed, true, 0, &hash);
        if (first != shownLast || count < 2)
            break;
    }
    round->seed = seed;
    round->last = hash;
    return first;
}

uint64_t pathHash(const char* path)
{
    char lower[256];
    size_t length = 0;
    uint64_t hash = 0;
    // Folded in pieces: a path of any length gives its key.
    for (const char* at = path;; ++at) {
        if (!*at || length == sizeof lower) {
            hash = hashBytes64(lower, length, hash);
            length = 0;
        }
        if (!*at)
            break;
        lower[length++] = static_cast<char>(foldedByte(*at));
    }
    return hash;
}

void pathKey(const char* path, char* key)
{
    formatHex64(pathHash(path), key);
    key[16] = '\0';
}

// Copies at most size - 1 bytes of text.
static void lstrcpyCut(char* out, const char* text, size_t size)
{
    size_t i = 0;
    for (; text[i] && i + 1 < size; ++i)
        out[i] = text[i];
    out[i] = '\0';
}

void formatFolderState(const char* folder, const char* place, const PictureRound& round, char* text)
{
    size_t at = static_cast<size_t>(sprintf(text, "%s|", folder));
    char cut[PLACE_SIZE];
    lstrcpyCut(cut, place, sizeof cut);
    at += escapeText(cut, ESCAPE_PART, text + at);
    text[at++] = '|';
    if (round.seed != 0) {
        formatHex64(round.seed, text + at);
        text[at + 16] = ':';
        formatHex64(round.last, text + at + 17);
        at += 33;
    }
    text[at] = '\0';
}

size_t folderOfState(const char* text, size_t length)
{
    const char* bar = static_cast<const char*>(memchr(text, '|', length));
    return bar ? static_cast<size_t>(bar - text) : 0;
}

bool parseFolderState(const char* text, size_t length, const char* folder, char* place, PictureRound* round)
{
    size_t folderLength = folderOfState(text, length);
    if (folderLength == 0 || !sameFolded(text, folderLength, folder))
        return false;
    const char* at = text + folderLength + 1;
    const char* end = text + length;
    size_t used = 0;
    if (!unescapeText(at, static_cast<size_t>(end - at), place, PLACE_SIZE, &used))
        return false;
    at += used;
    if (at == end)
        return false;
    ++at;
    round->seed = 0;
    round->last = 0;
    if (at == end)
        return true;
    return end - at == 33 && at[16] == ':' && parseHex64(at, &round->seed) && parseHex64(at + 17, &round->last) &&
           round->seed != 0;
}
