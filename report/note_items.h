// The notes list's item table: 177 note items in table order and a closing
// row. The levels form the tree: an item's nested items are the rows after
// it with a higher level.
#pragma once
#include <cstdint>

struct NoteItem {
  std::int16_t group;       // index into the notes display flags, 0-10
  std::int32_t itemNumber;  // block code x 10000 + 10 x position in the block
  std::int16_t level;       // depth of the item's tags, 3-8
  const char* name;         // element name
};

inline constexpr int kNoteItemRows = 178;  // 177 items and the closing row

extern const NoteItem NoteItemTable[kNoteItemRows];
