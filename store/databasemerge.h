#pragma once

#include "store/entry.h"

// The file has no ids: an entry is its category and its five fields, and two equal entries are two entries.
struct MergeResult {
    EntryLists lists;
    int added = 0;     // entries the result holds beyond the store's own
    int removed = 0;   // entries of the store the result no longer holds
    int overLimit = 0; // additions left out because the store's limit was reached
};

// Another copy changed the file this run loaded or last saved (base): the result is theirs, plus what mine
// added since base, minus what mine removed since base. Theirs' order, my additions at the end of their
// category, so an entry edited on one side and removed on the other survives in its edited form.
MergeResult mergeChanges(const EntryLists& base, const EntryLists& mine, const EntryLists& theirs);

// Another database taken into mine: each entry of other that mine does not already hold (as often as other
// holds it) is added at the end of its category; nothing is removed.
MergeResult mergeMissing(const EntryLists& mine, const EntryLists& other);

// The same entries in the same order, whatever their bold flags.
bool sameEntries(const EntryLists& a, const EntryLists& b);
