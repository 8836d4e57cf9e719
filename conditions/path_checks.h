// Output path checks and folder creation on CP932 Windows-form paths, byte
// by byte: a byte 0x5C counts as a backslash only when it is not the second
// byte of a double-byte character. Files, folders and drives are reached
// through platform::host().env.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The rules' path buffer: 260 bytes of text and a terminator.
inline constexpr std::size_t kPathCapacity = 261;

// Makes `path` end in a backslash. False for an empty path, or when one is
// needed and the text already holds capacity - 1 bytes or more (unchanged).
bool AddTrailingBackslash(std::string& path, std::size_t capacity);

// Replaces `path` by its drive and folder part (up to the last \ or /), with a
// backslash added to a part shorter than the path that does not end in one.
// False for an empty path or an empty part (the path is then unchanged).
bool ReduceToFolder(std::string& path);

// The directory test on the folder part of `path` (on `path` itself when it
// has no folder part).
bool IsExistingFolder(const std::string& path);

// Up to and including the last backslash; empty when there is none.
std::string FolderPartOf(std::string_view path);
// After the last backslash; the whole text when there is none.
std::string FileNamePartOf(std::string_view path);
// Up to and including the last colon; empty when there is none.
std::string DrivePartOf(std::string_view path);
// After the last colon; the whole text when there is none.
std::string AfterDrivePartOf(std::string_view path);

// No double backslash (past the network prefix) and none of / : , ; * ? " > < |
// after the drive.
bool CheckPathCharacters(std::string_view path);
// A network path's share, or the drive of a local path, is usable for reading
// and writing.
bool CheckOutputDrive(std::string_view path);
// By the drive type: CD-ROM, RAM disk and unknown drives are refused;
// removable, fixed and remote drives must allow `mode`; any other letter
// passes (its absence is met later).
bool IsUsableDrive(char letter, int mode);

// Creates every missing level of `folder`. On failure the levels this call
// created are removed again.
bool CreateFolderTree(const std::string& folder);
// Removes, deepest first, the existing folders of `target` down to but not
// including `stopAt`; without `stopAt` only the deepest existing one.
bool RemoveCreatedFolders(const std::string& target, const std::string* stopAt);
