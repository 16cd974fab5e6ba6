#include "folderchoice.h"

#include "folderorder.h"
#include "random31.h"
#include "sectionread.h"
#include "settings.h"

#include <stdlib.h>
#include <string.h>

// Whether the list names the folder (letter case aside), in any entry.
static bool listNamesFolder(const ListSnapshot& list, const char* folder)
{
    char path[PATH_BUFFER];
    for (int i = 0; i < RANDOM_SCAN_LIMIT && snapshotEntryPath(list, i, path); ++i)
        if (compareFoldedPaths(path, folder) == 0)
            return true;
    return false;
}

// Notes the keys of the section whose folder the list no longer names.
static void noteStaleKeys(FolderChoice* choice, const SectionSettings& states, const ListSnapshot& list)
{
    const char* line = states.block;
    const char* end = states.block + states.length;
    while (line < end && *line) {
        size_t length = strlen(line);
        const char* equals = static_cast<const char*>(memchr(line, '=', length));
        size_t folder = equals ? folderOfState(equals + 1, length - (equals + 1 - line)) : 0;
        char path[PATH_BUFFER];
        bool stale = false;
        if (equals && folder > 0 && folder < sizeof path) {
            memcpy(path, equals + 1, folder);
            path[folder] = '\0';
            stale = !listNamesFolder(list, path);
        }
        size_t keyLength = equals ? static_cast<size_t>(equals - line) : 0;
        if (stale && keyLength > 0) {
            char* grown = static_cast<char*>(realloc(choice->staleKeys, choice->staleLength + keyLength + 1));
            if (grown) {
                choice->staleKeys = grown;
                memcpy(grown + choice->staleLength, line, keyLength);
                grown[choice->staleLength + keyLength] = '\0';
                choice->staleLength += keyLength + 1;
            }
        }
        line += length + 1;
    }
}

void beginFolderChoice(FolderChoice* choice, FolderOrder order, bool subfolders, const SectionSettings* states,
                       const ListSnapshot& list, const SkipSet* skip)
{
    choice->order = order;
    choice->subfolders = subfolders;
    choice->skip = skip;
    choice->count = 0;
    choice->staleKeys = NULL;
    choice->staleLength = 0;
    if (states && states->block)
        noteStaleKeys(choice, *states, list);
}

// A folder's place of before the "Folders" section: the entry's "%03d_next",
// the index in path order of the picture to come next.
static void takeOverEntryPlace(FolderState* state, const ListSnapshot& list)
{
    int next = snapshotEntryInt(list, state->index, ENTRY_NEXT, 0);
    char round[PATH_BUFFER];
    state->fromEntryKeys = snapshotText(list, state->index, ENTRY_NEXT, round, sizeof round) ||
                           snapshotText(list, state->index, ENTRY_ROUND, round, sizeof round);
    if (next > 0 && static_cast<uint32_t>(next) <= state->pictures.count)
        lstrcpynA(state->place, state->pictures.order[next - 1], PLACE_SIZE);
}

// Takes the pictures no change shows out of the folder's order.
static void leaveOutSkipped(FolderPictures* pictures, const SkipSet* skip)
{
    if (!skip || skip->count == 0)
        return;
    static char path[PICTURE_PATH_BYTES];
    uint32_t kept = 0;
    for (uint32_t i = 0; i < pictures->count; ++i) {
        folderPicturePath(*pictures, i, path);
        if (!isSkipped(*skip, path))
            pictures->order[kept++] = pictures->order[i];
    }
    pictures->count = kept;
}

// A folder's state, walked and read the first time the change reaches it.
static FolderState* folderState(FolderChoice* choice, const SectionSettings* states, const ListSnapshot& list,
                                int index, const char* folder, const char* utf8Folder)
{
    for (int i = 0; i < choice->count; ++i)
        if (compareFoldedPaths(choice->folders[i].entryPath, folder) == 0)
            return &choice->folders[i];
    if (choice->count == MONITOR_LIMIT)
        return NULL;
    FolderState* state = &choice->folders[choice->count++];
    memset(state, 0, sizeof *state);
    lstrcpynA(state->entryPath, folder, PATH_BUFFER);
    state->index = index;
    state->listed = listFolderPictures(utf8Folder, choice->subfolders, &state->pictures);
    if (!state->listed)
        return state;
    leaveOutSkipped(&state->pictures, choice->skip);
    char key[PATH_KEY_SIZE];
    pathKey(folder, key);
    static char text[FOLDER_STATE_TEXT];
    if (!states || !sectionSettingText(*states, key, text, sizeof text) ||
        !parseFolderState(text, strlen(text), folder, state->place, &state->round)) {
        state->place[0] = '\0';
        state->round.seed = 0;
        takeOverEntryPlace(state, list);
    }
    return state;
}

// 64 random bits from the 31-bit generator.
static uint64_t freshSeed()
{
    uint64_t seed = static_cast<uint32_t>(drawRandom31());
    seed = seed << 31 ^ static_cast<uint32_t>(drawRandom31());
    return seed << 31 ^ static_cast<uint32_t>(drawRandom31());
}

bool choosePictureOfFolder(FolderChoice* choice, const SectionSettings* states, const ListSnapshot& list, int index,
                           const char* folder, ScreenEntry* entry)
{
    FolderState* state = folderState(choice, states, list, index, folder, entry->path);
    if (!state || !state->listed || state->pictures.count == 0)
        return false;
    uint32_t count = state->pictures.count;
    uint32_t picture = 0;
    switch (choice->order) {
    case FOLDER_IN_ORDER:
        picture = nextInListOrder(state->pictures.order, count, state->place);
        lstrcpynA(state->place, state->pictures.order[picture], PLACE_SIZE);
        break;
    case FOLDER_AT_RANDOM:
        picture = static_cast<uint32_t>(drawRandom31()) % count;
        break;
    case FOLDER_SHUFFLED:
        picture = nextInRound(state->pictures.order, count, &state->round, freshSeed());
        break;
    }
    state->moved = choice->order != FOLDER_AT_RANDOM;
    folderPicturePath(state->pictures, picture, entry->path);
    return true;
}

bool endFolderChoice(FolderChoice* choice, bool save)
{
    bool written = true;
    bool wrote = false;
    static char text[FOLDER_STATE_TEXT];
    for (int i = 0; i < choice->count; ++i) {
        FolderState* state = &choice->folders[i];
        if (save && written && state->moved) {
            char key[PATH_KEY_SIZE];
            pathKey(state->entryPath, key);
            formatFolderState(state->entryPath, state->place, state->round, text);
            written = writeSettingText(SECTION_FOLDERS, key, text);
            wrote = true;
            // Read once: the entry's keys of before go, while the entry
            // still names the folder (the editor may have saved meanwhile).
            char path[PATH_BUFFER];
            if (written && state->fromEntryKeys && readEntryPath(state->index, path) &&
                compareFoldedPaths(path, state->entryPath) == 0)
                written = deleteEntryField(state->index, ENTRY_NEXT) && deleteEntryField(state->index, ENTRY_ROUND);
        }
        freeFolderPictures(&state->pictures);
    }
    for (size_t at = 0; save && wrote && written && at < choice->staleLength; at += strlen(choice->staleKeys + at) + 1)
        written = deleteSetting(SECTION_FOLDERS, choice->staleKeys + at);
    free(choice->staleKeys);
    choice->staleKeys = NULL;
    choice->staleLength = 0;
    choice->count = 0;
    return written;
}
