// The pictures that folder entries give during one change: each folder is
// walked once, its place ("%03d_next") or round ("%03d_round") is read from
// the list and advanced for every monitor it serves, and written back once
// the change is made.
#ifndef VISTRELL_FOLDERCHOICE_H
#define VISTRELL_FOLDERCHOICE_H

#include "composer.h"
#include "folderpictures.h"
#include "listsnapshot.h"
#include "shuffle.h"

enum FolderOrder {
    FOLDER_IN_ORDER,  // list order: the picture after the last one shown
    FOLDER_AT_RANDOM, // any picture, drawn afresh
    FOLDER_SHUFFLED,  // the next picture of the folder's round
};

struct FolderState {
    int index;        // the entry
    bool listed;      // the folder could be read
    FolderPictures pictures;
    int next;         // in order
    FolderRound round;
};

struct FolderChoice {
    FolderOrder order;
    bool subfolders;
    FolderState folders[MONITOR_LIMIT];
    int count;
};

void beginFolderChoice(FolderChoice* choice, FolderOrder order, bool subfolders);

// Puts the next picture of the folder that entry->path names in entry->path
// (entry index of the list); false when the folder gives none (empty,
// missing, unreadable), which leaves the path as it was.
bool choosePictureOfFolder(FolderChoice* choice, const ListSnapshot& list, int index, ScreenEntry* entry);

// Writes each folder's place or round, when told to save; false when a
// write was refused. Frees what the walks took either way.
bool endFolderChoice(FolderChoice* choice, bool save);

#endif
