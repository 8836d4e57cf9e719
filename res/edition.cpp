#include "res/edition.h"

namespace {

// FileDescription and ProductName: the product's name, the fiscal years it
// serves and the edition name; Comments: the product's name and "link
// component".
const EditionProfile kProfiles[] = {
    {EditionId::Birch,
     "stmtlink-birch",
     0,
     "stmtlink-birch.env",
     false,
     "Ledgora２２",
     {"stmtlink-birch", "stmtlink-birch.exe", "Zeimark 法人税申告 平成25年度以降用 Ledgora２２",
      "Zeimark 連動コンポーネント", "22.03.00", "22.03.00", 0x0411, 0x04B0},
     "birch.ico"},
    {EditionId::Cedar,
     "stmtlink-cedar",
     3,
     "stmtlink-cedar.env",
     true,
     "Ledgora２２ Cedar",
     {"stmtlink-cedar", "stmtlink-cedar.exe",
      "Zeimark 法人税申告 平成25年度以降用 Ledgora２２ Cedar", "Zeimark 連動コンポーネント",
      "22.03.00", "22.03.00", 0x0411, 0x04B0},
     "cedar.ico"},
    {EditionId::Maple,
     "stmtlink-maple",
     4,
     "stmtlink-maple.env",
     false,
     "Ledgora２２ Maple",
     {"stmtlink-maple", "stmtlink-maple.exe",
      "Zeimark 法人税申告 平成25年度以降用 Ledgora２２ Maple", "Zeimark 連動コンポーネント",
      "22.03.00", "22.03.00", 0x0411, 0x04B0},
     "maple.ico"},
};

EditionId g_current = EditionId::Birch;

}  // namespace

const EditionProfile& EditionProfileOf(EditionId id) { return kProfiles[static_cast<int>(id)]; }

const EditionProfile& CurrentEdition() { return EditionProfileOf(g_current); }

void SelectEdition(EditionId id) { g_current = id; }
