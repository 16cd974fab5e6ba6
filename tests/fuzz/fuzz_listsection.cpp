// The carry-over of a save on arbitrary section text: it keeps within its
// room, keeps no key the editor owns, and copies only lines of the section,
// in their order.
#include "listsection.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

size_t lineLength(const char* line, size_t room)
{
    const void* zero = memchr(line, '\0', room);
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - line) : room;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> section(data, data + size);
    std::vector<char> out(size + 1);
    size_t written = copyForeignLines(section.data(), size, out.data());
    check(written <= size + 1);

    // Every line copied is the next one of the section's lines still ahead.
    size_t in = 0;
    for (size_t at = 0; at < written;) {
        const char* line = out.data() + at;
        size_t length = lineLength(line, written - at);
        check(length < written - at);  // ended by its zero
        const char* equals = static_cast<const char*>(memchr(line, '=', length));
        check(!isEditorEntryKey(line, equals ? static_cast<size_t>(equals - line) : length));
        for (;;) {
            check(in < size && section[in] != '\0');
            size_t inLength = lineLength(section.data() + in, size - in);
            bool same = inLength == length && memcmp(section.data() + in, line, length) == 0;
            in += inLength + 1;
            if (same)
                break;
        }
        at += length + 1;
    }
    return 0;
}
