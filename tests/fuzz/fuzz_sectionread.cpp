// The whole-section reader and the fair order's rounds on arbitrary text:
// every value found lies inside the section, a round's text read back and
// written again reads the same, and a draw names an entry of the list that
// the round had not shown; a folder's state read back and written again
// reads the same, and gives a picture of the folder.
#include "folderplace.h"
#include "sectionread.h"
#include "shuffle.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

bool inside(const SectionValue& value, const std::vector<char>& section)
{
    return value.text >= section.data() && value.text + value.length <= section.data() + section.size();
}

bool isShown(const EntryRound& round, int entry)
{
    return (round.shown[entry / 32] >> (entry % 32)) & 1u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> section(data, data + size);
    std::unique_ptr<ListLines> lines(new ListLines);
    indexListSection(section.data(), size, lines.get());
    for (int i = 0; i < RANDOM_SCAN_LIMIT; ++i)
        for (int f = 0; f < ENTRY_FIELD_COUNT; ++f)
            // A key without "=" is present with no value at all.
            check(!lines->present[i][f] ||
                  (lines->fields[i][f].text ? inside(lines->fields[i][f], section) : lines->fields[i][f].length == 0));

    SectionValue value;
    if (!sectionValue(section.data(), size, KEY_SHUFFLE_ROUND, &value))
        value = {section.data(), size};
    check(inside(value, section));
    int count = size > 0 ? 1 + data[0] % RANDOM_SCAN_LIMIT : 1;
    EntryRound round;
    parseEntryRound(value.text, value.length, count, 7u, &round);
    char text[ENTRY_ROUND_TEXT];
    formatEntryRound(round, count, text);
    EntryRound again;
    parseEntryRound(text, strlen(text), count, 7u, &again);
    check(memcmp(&round, &again, sizeof round) == 0);
    EntryRound before = round;
    int unshown = 0;
    for (int entry = 0; entry < count; ++entry)
        unshown += isShown(before, entry) ? 0 : 1;
    int drawn = drawFromEntryRound(&round, count, size);
    check(drawn >= 0 && drawn < count);
    check(unshown == 0 || !isShown(before, drawn));

    // A folder's state: what parses formats back to the same, and a round
    // read from it gives a picture of the folder.
    char place[PLACE_SIZE];
    PictureRound folderRound;
    if (parseFolderState(value.text, value.length, "c:\\f\\", place, &folderRound)) {
        static char folderText[FOLDER_STATE_TEXT];
        formatFolderState("c:\\f\\", place, folderRound, folderText);
        char placeBack[PLACE_SIZE];
        PictureRound back;
        check(parseFolderState(folderText, strlen(folderText), "C:\\F\\", placeBack, &back));
        check(strcmp(place, placeBack) == 0 && back.seed == folderRound.seed &&
              (folderRound.seed == 0 || back.last == folderRound.last));
        const char* const pictures[] = {"a.jpg", place, "z.jpg"};
        check(nextInRound(pictures, 3, &folderRound, size) < 3);
        check(nextInListOrder(pictures, 1, place) == 0);
    }
    return 0;
}
