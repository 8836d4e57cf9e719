// The statement of changes in net assets: twelve equity items with their
// balances and changes in whole yen.
#include <cstring>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "statements/amount.h"
#include "statements/statement_sections.h"

namespace {

constexpr std::uint32_t kNetIncome = 0x40200040u;
constexpr const char* kSpecialReserve = "別途積立金";

enum class NameTest { kNone, kContainsSpecialReserve, kLacksSpecialReserve };

struct EquityItem {
  const char* accountList;
  std::uint32_t codes[3];
  int codeCount;
  NameTest test;
  bool netIncome;
};

constexpr EquityItem kItems[] = {
    {"資本金", {0x80288000u, 0x80288040u, 0x80288020u}, 3, NameTest::kNone, false},
    {"資本準備金", {0x80282080u}, 1, NameTest::kNone, false},
    {"その他資本剰余金", {0x80282040u}, 1, NameTest::kNone, false},
    {"利益準備金", {0x80281080u}, 1, NameTest::kNone, false},
    {"別途積立金", {0x80281040u}, 1, NameTest::kContainsSpecialReserve, false},
    {"任意積立金", {0x80281040u}, 1, NameTest::kLacksSpecialReserve, false},
    {"繰越利益剰余金", {0x80281048u}, 1, NameTest::kNone, true},
    {"自己株式", {0x80280800u}, 1, NameTest::kNone, false},
    {"その他有価証券評価差額金", {0x80248000u}, 1, NameTest::kNone, false},
    {"繰延ヘッジ損益", {0x80244000u}, 1, NameTest::kNone, false},
    {"土地再評価差額金", {0x80242000u}, 1, NameTest::kNone, false},
    {"新株予約権", {0x80220000u}, 1, NameTest::kNone, false},
};

// True when needle occurs in text starting on a character boundary, so that
// the trail byte of one character never begins a match.
bool ContainsOnCharBoundary(std::string_view text, std::string_view needle) {
  for (std::size_t i = 0; i + needle.size() <= text.size(); i += platform::CharLength(text, i)) {
    if (text.substr(i, needle.size()) == needle) return true;
  }
  return false;
}

bool PassesNameTest(const AccountSum& entry, NameTest test) {
  if (test == NameTest::kNone) return true;
  const std::string label = ClStatementSections::StripMarks(
      std::string_view(entry.name, strnlen(entry.name, sizeof entry.name)));
  const bool contains = ContainsOnCharBoundary(label, kSpecialReserve);
  return test == NameTest::kContainsSpecialReserve ? contains : !contains;
}

// sum += WholeYen(raw); false when the sum would leave 64 bits.
bool AddYen(std::int64_t& sum, std::int64_t raw) {
  return !__builtin_add_overflow(sum, WholeYen(raw), &sum);
}

}  // namespace

int ClStatementSections::WriteStatementChangesNetAssets(ClXmlLines* w) {
  if (w == nullptr) return 0;
  if (!w->WriteStartTag(2, "StatementChangesNetAssets")) return 0;
  const std::string kind = std::to_string(statementKind_);
  if (!w->WriteElement(3, "Select", kind.c_str())) return 0;

  for (const EquityItem& item : kItems) {
    std::int64_t previous = 0, changes = 0, current = 0;
    for (int c = 0; c < item.codeCount; ++c) {
      AccountCopyList copies;
      if (CollectByCode(item.codes[c], copies) != 1) return 0;
      for (const auto& copy : copies) {
        if (!PassesNameTest(*copy, item.test)) continue;
        // Each account is cut to whole yen before it joins the item's sums.
        if (!AddYen(previous, copy->opening) || !AddYen(changes, copy->movement) ||
            !AddYen(current, copy->closing)) {
          return 0;
        }
      }
    }
    if (previous == 0 && changes == 0 && current == 0) continue;

    std::int64_t netIncome = 0;
    if (item.netIncome) {
      const AccountSum* entry = FindEntry(kNetIncome);
      if (entry == nullptr) return 0;
      netIncome = WholeYen(entry->movement);
    }

    if (!w->WriteStartTag(3, "ChangesNetAssetsItem") ||
        !w->WriteElement(4, "AccountList", item.accountList)) {
      return 0;
    }
    if (previous != 0 &&
        !w->WriteElement(4, "BalanceEndPreviousPeriod", std::to_string(previous).c_str())) {
      return 0;
    }
    if (changes != 0 || netIncome != 0) {
      if (!w->WriteStartTag(4, "ChangesItemsDuringPeriod") ||
          !w->WriteElement(5, "TotalChangesItemsDuringPeriod", std::to_string(changes).c_str())) {
        return 0;
      }
      if (netIncome != 0) {
        if (!w->WriteStartTag(5, "ChangesItem") || !w->WriteElement(6, "Reason", "当期純利益") ||
            !w->WriteElement(6, "Amount", std::to_string(netIncome).c_str()) ||
            !w->WriteEndTag(5, "ChangesItem")) {
          return 0;
        }
      }
      if (!w->WriteEndTag(4, "ChangesItemsDuringPeriod")) return 0;
    }
    if (current != 0 &&
        !w->WriteElement(4, "BalanceEndCurrentPeriod", std::to_string(current).c_str())) {
      return 0;
    }
    if (!w->WriteEndTag(3, "ChangesNetAssetsItem")) return 0;
  }
  return w->WriteEndTag(2, "StatementChangesNetAssets");
}
