// Writes an edition's version block as text (UTF-8), the form in which the
// build installs it beside the program: version_info EDITION OUTPUT.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "res/edition.h"
#include "res/resources.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: version_info birch|cedar|maple OUTPUT\n");
    return 2;
  }
  EditionId id;
  if (std::strcmp(argv[1], "birch") == 0) {
    id = EditionId::Birch;
  } else if (std::strcmp(argv[1], "cedar") == 0) {
    id = EditionId::Cedar;
  } else if (std::strcmp(argv[1], "maple") == 0) {
    id = EditionId::Maple;
  } else {
    std::fprintf(stderr, "version_info: unknown edition %s\n", argv[1]);
    return 2;
  }
  const EditionProfile& p = EditionProfileOf(id);
  const VersionBlock& v = p.version;
  std::FILE* out = std::fopen(argv[2], "w");
  if (!out) {
    std::perror(argv[2]);
    return 1;
  }
  auto line = [&](const char* key, const char* cp932) {
    std::fprintf(out, "%s=%s\n", key, platform::Cp932ToUtf8(cp932).c_str());
  };
  std::fprintf(out, "FILEVERSION=22.3.0.0\nPRODUCTVERSION=22.3.0.0\n");
  std::fprintf(out, "Translation=0x%04X 0x%04X\n", v.language, v.codePage);
  line("Comments", v.comments);
  line("FileDescription", v.productTitle);
  line("FileVersion", v.fileVersion);
  line("InternalName", v.internalName);
  line("OriginalFilename", v.originalFilename);
  line("ProductName", v.productTitle);
  line("ProductVersion", v.productVersion);
  line("StringTable1", LoadResourceString(1).c_str());
  line("Icon128", p.iconFile);
  return std::fclose(out) == 0 ? 0 : 1;
}
