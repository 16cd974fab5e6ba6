// The pictures that folder entries give during one change. Each folder is
// walked once; its place (list order) or round (the fair random order) is
// read from section "Folders", advanced for every monitor it serves, and
// written back once the change is made. The same folder in two rows shares
// one place, and the editor's saves of the list touch none of it.
#ifndef VISTRELL_FOLDERCHOICE_H
#define VISTRELL_FOLDERCHOICE_H

#include "composer.h"
#include "folderpictures.h"
#include "folderplace.h"
#include "settingsgroup.h"
#include "skipset.h"

enum FolderOrder {
    FOLDER_IN_ORDER,  // list order: the picture after the last one shown
    FOLDER_AT_RANDOM, // any picture, drawn afresh
    FOLDER_SHUFFLED,  // the next picture of the folder's round
};

struct FolderState {
    char entryPath[PATH_BUFFER];  // the folder as the list holds it
    int index;                    // the first entry that names it
    bool listed;                  // the folder could be read
    FolderPictures pictures;
    char place[PLACE_SIZE];       // in order: the path below the folder shown last
    PictureRound round;
    bool fromEntryKeys;           // taken over from the entry's "%03d_next" of before
    bool moved;                   // a picture was chosen
};

struct FolderChoice {
    FolderOrder order;
    bool subfolders;
    const SkipSet* skip;  // pictures no change shows
    FolderState folders[MONITOR_LIMIT];
    int count;
    // Keys of section "Folders" whose folder the list no longer names,
    // each ended by a zero: dropped when the places are written.
    char* staleKeys;
    size_t staleLength;
};

// Begins a change's choice; states is the section "Folders" as the change
// read it (NULL when the list names no folder), list the list, skip the
// pictures a folder leaves out (they count as shown in a round).
void beginFolderChoice(FolderChoice* choice, FolderOrder order, bool subfolders, const SectionSettings* states,
                       const ListSnapshot& list, const SkipSet* skip);

// Puts the next picture of the folder that entry index names (folder, as the
// list holds it) into entry->path; false when the folder gives none (empty,
// missing, unreadable), which leaves the path as it was.
bool choosePictureOfFolder(FolderChoice* choice, const SectionSettings* states, const ListSnapshot& list, int index,
                           const char* folder, ScreenEntry* entry);

// Writes each folder's place or round, when told to save, and drops the
// stale keys; false when a write was refused. Frees what the walks took
// either way.
bool endFolderChoice(FolderChoice* choice, bool save);

#endif
