// The edition profiles: everything that differs between the Birch, Cedar and
// Maple programs. Each program selects its own at start.
#pragma once
#include <string>

enum class EditionId { Birch, Cedar, Maple };

struct VersionBlock {
  const char* internalName;      // "stmtlink-birch"
  const char* originalFilename;  // "stmtlink-birch.exe"
  const char* productTitle;      // FileDescription and ProductName (CP932)
  const char* comments;          // CP932
  const char* fileVersion;       // "22.03.00"
  const char* productVersion;    // "22.03.00"
  unsigned short language;       // 0x0411
  unsigned short codePage;       // 0x04B0
};

struct EditionProfile {
  EditionId id;
  const char* programName;          // "stmtlink-birch"
  int appType;                      // SetAppType
  const char* settingsFileName;     // "stmtlink-birch.env"
  bool keyWithSelectionNo;          // key "%s/%d/%s:" instead of "%s/%s:"
  const char* fallbackProgramName;  // PROGRAMNAME fallback (CP932)
  VersionBlock version;
  const char* iconFile;  // file name of the icon group 128 under res/
};

const EditionProfile& EditionProfileOf(EditionId id);
// The running program's profile (Birch until SelectEdition is called).
const EditionProfile& CurrentEdition();
void SelectEdition(EditionId id);
