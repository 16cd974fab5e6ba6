#include "folderchoice.h"

#include "random31.h"
#include "settings.h"

#include <stdio.h>
#include <string.h>

void beginFolderChoice(FolderChoice* choice, FolderOrder order, bool subfolders)
{
    choice->order = order;
    choice->subfolders = subfolders;
    choice->count = 0;
}

// A folder's state, walked and read the first time the change reaches it.
static FolderState* folderState(FolderChoice* choice, const ListSnapshot& list, int index, const char* folder)
{
    for (int i = 0; i < choice->count; ++i)
        if (choice->folders[i].index == index)
            return &choice->folders[i];
    if (choice->count == MONITOR_LIMIT)
        return NULL;
    FolderState* state = &choice->folders[choice->count++];
    state->index = index;
    state->listed = listFolderPictures(folder, choice->subfolders, &state->pictures);
    state->next = snapshotEntryInt(list, index, ENTRY_NEXT, 0);
    char text[FOLDER_ROUND_TEXT];
    memset(&state->round, 0, sizeof state->round);
    // A round that does not parse is taken for the round of other content.
    if (!snapshotText(list, index, ENTRY_ROUND, text, sizeof text) ||
        !parseFolderRound(text, strlen(text), &state->round))
        state->round.fingerprint = ~state->pictures.fingerprint;
    return state;
}

// 32 random bits from the 31-bit generator.
static uint32_t freshSeed()
{
    uint32_t high = static_cast<uint32_t>(drawRandom31());
    return high << 16 ^ static_cast<uint32_t>(drawRandom31());
}

bool choosePictureOfFolder(FolderChoice* choice, const ListSnapshot& list, int index, ScreenEntry* entry)
{
    FolderState* state = folderState(choice, list, index, entry->path);
    if (!state || !state->listed || state->pictures.count == 0)
        return false;
    uint32_t count = state->pictures.count;
    uint32_t picture = 0;
    switch (choice->order) {
    case FOLDER_IN_ORDER:
        // A place past the end (pictures were taken away) starts over.
        picture = state->next >= 0 && static_cast<uint32_t>(state->next) < count ? static_cast<uint32_t>(state->next)
                                                                                  : 0;
        state->next = static_cast<int>((picture + 1) % count);
        break;
    case FOLDER_AT_RANDOM:
        picture = static_cast<uint32_t>(drawRandom31()) % count;
        break;
    case FOLDER_SHUFFLED:
        picture = nextInFolderRound(&state->round, count, state->pictures.fingerprint, freshSeed());
        break;
    }
    folderPicturePath(state->pictures, picture, entry->path);
    return true;
}

bool endFolderChoice(FolderChoice* choice, bool save)
{
    bool written = true;
    for (int i = 0; i < choice->count; ++i) {
        FolderState* state = &choice->folders[i];
        // The editor may have saved a new order of the list meanwhile (while
        // a box held this change): the place goes only to the folder's own
        // entry.
        char path[PATH_BUFFER];
        char folder[PICTURE_PATH_BYTES];
        if (save && written && state->listed && state->pictures.count > 0 && readEntryPath(state->index, path) &&
            pathFromAnsi(path, folder, sizeof folder) && strcmp(folder, state->pictures.folder) == 0) {
            if (choice->order == FOLDER_IN_ORDER) {
                written = writeEntryInt(state->index, ENTRY_NEXT, state->next);
            } else if (choice->order == FOLDER_SHUFFLED) {
                char text[FOLDER_ROUND_TEXT];
                formatFolderRound(state->round, text);
                written = writeEntryText(state->index, ENTRY_ROUND, text);
            }
        }
        freeFolderPictures(&state->pictures);
    }
    choice->count = 0;
    return written;
}
