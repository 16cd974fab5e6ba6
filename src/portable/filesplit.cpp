#include "filesplit.h"

#include <string.h>

static bool isSeparator(char c, ResultForm form)
{
    return c == '\0' || (form == RESULT_SPACE_SEPARATED && c == ' ');
}

// Position of the separator that ends the text starting at start, or
// resultSize when the result ends first.
static size_t textEnd(const char* result, size_t start, size_t resultSize, ResultForm form)
{
    size_t pos = start;
    while (pos < resultSize && !isSeparator(result[pos], form))
        ++pos;
    return pos;
}

// True when the text ending at end is the last of the result. A list end
// that would lie past the result does not count; the caller then runs into
// resultSize and stops there.
static bool isLastText(const char* result, size_t end, size_t resultSize, ResultForm form)
{
    if (form == RESULT_SPACE_SEPARATED)
        return result[end] == '\0';
    return end + 1 < resultSize && result[end + 1] == '\0';
}

static void reportSkip(const SplitSinks& sinks, const char* text, size_t length, SkipReason reason)
{
    if (!sinks.skipName)
        return;
    char name[SPLIT_NAME_LIMIT + 1];
    if (length > SPLIT_NAME_LIMIT)
        length = SPLIT_NAME_LIMIT;
    memcpy(name, text, length);
    name[length] = '\0';
    sinks.skipName(sinks.context, name, reason);
}

static int handOnSinglePath(const char* result, size_t length, const SplitSinks& sinks)
{
    if (length == 0)
        return 1;
    if (length > SPLIT_PATH_LIMIT) {
        reportSkip(sinks, result, length, SKIP_PATH_TOO_LONG);
        return 1;
    }
    char path[SPLIT_PATH_LIMIT + 1];
    memcpy(path, result, length);
    path[length] = '\0';
    return sinks.addPath(sinks.context, path) ? 1 : 0;
}

int splitDialogResult(const char* result, size_t resultSize, ResultForm form, const SplitSinks& sinks)
{
    size_t firstEnd = textEnd(result, 0, resultSize, form);
    if (firstEnd >= resultSize)
        return 1;

    bool single;
    if (form == RESULT_ZERO_SEPARATED) {
        if (firstEnd + 1 >= resultSize)
            return 1;
        single = result[firstEnd + 1] == '\0';
    } else {
        single = result[firstEnd] == '\0';
    }
    if (single)
        return handOnSinglePath(result, firstEnd, sinks);

    // Several files: path holds the directory and one backslash (none added
    // when the directory already ends in one, as a drive's root does), and
    // each name in turn goes right behind it.
    char path[SPLIT_PATH_LIMIT + 1];
    size_t directoryLength = firstEnd;
    bool directoryFits = directoryLength <= SPLIT_PATH_LIMIT;
    size_t prefixLength = 0;
    if (directoryLength > 0 && directoryFits) {
        memcpy(path, result, directoryLength);
        prefixLength = directoryLength;
        // A directory of 99 characters fits, but no name fits behind it and
        // its backslash; the length test below skips every name then.
        if (path[prefixLength - 1] != '\\')
            path[prefixLength++] = '\\';
    }

    size_t pos = firstEnd + 1;
    while (pos < resultSize) {
        size_t end = textEnd(result, pos, resultSize, form);
        if (end >= resultSize)
            return 1;  // this name is cut off by the end of the result
        size_t nameLength = end - pos;
        if (nameLength > 0 && directoryLength > 0) {
            if (!directoryFits) {
                reportSkip(sinks, result + pos, nameLength, SKIP_DIRECTORY_TOO_LONG);
            } else if (prefixLength + nameLength > SPLIT_PATH_LIMIT) {
                reportSkip(sinks, result + pos, nameLength, SKIP_PATH_TOO_LONG);
            } else {
                memcpy(path + prefixLength, result + pos, nameLength);
                path[prefixLength + nameLength] = '\0';
                if (!sinks.addPath(sinks.context, path))
                    return 0;
            }
        }
        if (isLastText(result, end, resultSize, form))
            return 1;
        pos = end + 1;
    }
    return 1;
}
