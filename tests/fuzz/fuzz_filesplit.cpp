// The file-dialog splitter on arbitrary results. Byte 0 chooses the form
// (bit 0) and after how many paths the table reports full (bits 1-7; 0 means
// never); the rest is the result, at most 300 bytes, in an allocation of
// exactly its size so that any read past it is caught.
#include "filesplit.h"
#include "textcase.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Run {
    ResultForm form;
    const char* result;
    size_t resultSize;
    size_t firstLength;  // length of the first text
    int room;            // paths taken before the table is full; -1 = never
    bool stopped;
    int paths;
    int skips;
};

void check(bool condition)
{
    if (!condition)
        abort();
}

bool addPath(void* context, const char* path)
{
    Run* run = static_cast<Run*>(context);
    check(!run->stopped);
    size_t length = strlen(path);
    check(length > 0 && length <= SPLIT_PATH_LIMIT);
    if (run->form == RESULT_SPACE_SEPARATED)
        check(strchr(path, ' ') == nullptr);
    // Every path is the first text (one file) or begins with it (directory).
    check(length >= run->firstLength && memcmp(path, run->result, run->firstLength) == 0);
    ++run->paths;
    if (run->room >= 0 && run->paths > run->room) {
        run->stopped = true;
        return false;
    }
    return true;
}

void skipName(void* context, const char* name, SkipReason reason)
{
    Run* run = static_cast<Run*>(context);
    check(!run->stopped);
    check(reason == SKIP_PATH_TOO_LONG || reason == SKIP_DIRECTORY_TOO_LONG);
    size_t length = strlen(name);
    check(length > 0 && length <= SPLIT_NAME_LIMIT);
    if (run->form == RESULT_SPACE_SEPARATED)
        check(strchr(name, ' ') == nullptr);
    ++run->skips;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    ResultForm form = (data[0] & 1) ? RESULT_SPACE_SEPARATED : RESULT_ZERO_SEPARATED;
    int room = (data[0] >> 1) == 0 ? -1 : (data[0] >> 1) - 1;
    size_t resultSize = size - 1 < 300 ? size - 1 : 300;
    std::vector<char> result(data + 1, data + 1 + resultSize);
    lowercaseAsciiWithin(result.data(), result.size());
    const char* buffer = result.empty() ? nullptr : result.data();

    size_t firstLength = 0;
    while (firstLength < resultSize && result[firstLength] != '\0' &&
           !(form == RESULT_SPACE_SEPARATED && result[firstLength] == ' '))
        ++firstLength;

    Run run = {form, buffer, resultSize, firstLength, room, false, 0, 0};
    SplitSinks sinks = {addPath, skipName, &run};
    int done = splitDialogResult(buffer, resultSize, form, sinks);
    check(done == (run.stopped ? 0 : 1));

    // Each path or skipped name needs at least one separator behind it.
    size_t separators = 0;
    for (size_t i = 0; i < resultSize; ++i)
        if (result[i] == '\0' || (form == RESULT_SPACE_SEPARATED && result[i] == ' '))
            ++separators;
    check(size_t(run.paths + run.skips) <= separators);
    return 0;
}
