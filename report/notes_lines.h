// The notes text, decoded and cut into lines.
#pragma once
#include <string>
#include <vector>

using NotesLines = std::vector<std::string>;

inline constexpr int kNoteDisplayFlagCount = 50;

// Decodes the five entity references in one pass and cuts the text at every
// CR LF into `lines` (emptied first).
void BuildNotesLines(std::string text, NotesLines& lines);

// The unsupported-notes warning for the display flags, or "" when no
// unsupported group is displayed.
std::string UnsupportedNotesWarning(const unsigned char* flags);
