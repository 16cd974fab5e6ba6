#include "shuffle.h"

#include "hexdigit.h"

#include <stdio.h>
#include <string.h>

static bool isShown(const EntryRound& round, int entry)
{
    return (round.shown[entry / 32] >> (entry % 32)) & 1u;
}

// Reads hexadecimal digits up to the next ':' or the end into *value; false
// for none, another character or more than 32 bits.
static bool parseHex(const char** at, const char* end, uint32_t* value)
{
    const char* start = *at;
    *value = 0;
    while (*at < end && **at != ':') {
        int digit = hexDigitValue(**at);
        if (digit < 0 || *value > 0x0FFFFFFFu)
            return false;
        *value = *value << 4 | static_cast<uint32_t>(digit);
        ++*at;
    }
    return *at > start;
}

static bool skipColon(const char** at, const char* end)
{
    if (*at >= end || **at != ':')
        return false;
    ++*at;
    return true;
}

void formatEntryRound(const EntryRound& round, int count, char* text)
{
    static const char digits[] = "0123456789abcdef";
    int at = 0;
    for (int first = 0; first < count; first += 4) {
        unsigned digit = 0;
        for (int bit = 0; bit < 4 && first + bit < count; ++bit)
            digit |= (isShown(round, first + bit) ? 1u : 0u) << bit;
        text[at++] = digits[digit];
    }
    sprintf(text + at, ":%08x:%d", static_cast<unsigned>(round.fingerprint), round.last);
}

static void newEntryRound(EntryRound* round, uint32_t fingerprint)
{
    memset(round->shown, 0, sizeof round->shown);
    round->fingerprint = fingerprint;
    round->last = -1;
}

void parseEntryRound(const char* text, size_t length, int count, uint32_t fingerprint, EntryRound* round)
{
    newEntryRound(round, fingerprint);
    if (count <= 0 || count > RANDOM_SCAN_LIMIT)
        return;
    const char* end = text + length;
    size_t digits = static_cast<size_t>((count + 3) / 4);
    if (length < digits)
        return;
    EntryRound read = *round;
    for (size_t i = 0; i < digits; ++i) {
        int digit = hexDigitValue(text[i]);
        if (digit < 0)
            return;
        for (int bit = 0; bit < 4; ++bit) {
            int entry = static_cast<int>(i) * 4 + bit;
            if (digit >> bit & 1) {
                // A bit past the list's end is not of this list.
                if (entry >= count)
                    return;
                read.shown[entry / 32] |= 1u << (entry % 32);
            }
        }
    }
    const char* at = text + digits;
    uint32_t stored = 0;
    if (!skipColon(&at, end) || !parseHex(&at, end, &stored) || stored != fingerprint || !skipColon(&at, end))
        return;
    int last = 0;
    bool negative = at < end && *at == '-';
    if (negative)
        ++at;
    if (at == end)
        return;
    for (; at < end; ++at) {
        if (*at < '0' || *at > '9' || last > RANDOM_SCAN_LIMIT)
            return;
        last = last * 10 + (*at - '0');
    }
    if (negative)
        last = -last;
    // Only none, or an entry of the list, was written.
    if (last < -1 || last >= count || (negative && last != -1))
        return;
    read.last = last;
    *round = read;
}

int drawFromEntryRound(EntryRound* round, int count, uint32_t draw)
{
    if (count <= 0)
        return 0;
    int unshown = 0;
    for (int entry = 0; entry < count; ++entry)
        unshown += isShown(*round, entry) ? 0 : 1;
    int excluded = -1;
    if (unshown == 0) {
        memset(round->shown, 0, sizeof round->shown);
        unshown = count;
        // The round that ended is not followed by its own last entry.
        if (count > 1 && round->last >= 0) {
            excluded = round->last;
            --unshown;
        }
    }
    int skip = static_cast<int>(draw % static_cast<uint32_t>(unshown));
    for (int entry = 0; entry < count; ++entry) {
        if (isShown(*round, entry) || entry == excluded)
            continue;
        if (skip-- == 0) {
            round->shown[entry / 32] |= 1u << (entry % 32);
            round->last = entry;
            return entry;
        }
    }
    return 0;
}
