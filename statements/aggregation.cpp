// The account aggregation: one AccountSum per account of the selected data,
// with opening, movement and closing on the account's own side.
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "platform/host.h"
#include "statements/amount.h"
#include "statements/kessansho_source.h"

namespace {

constexpr int kMoveNextEnd = 5000;  // MoveNext: no account left
constexpr std::size_t kNameBytes = 30;
constexpr std::uint32_t kBalanceSheetBit = 0x80000000u;

bool MayAllocate(std::string_view what) {
  platform::Env* env = platform::host().env;
  return env == nullptr || env->MayAllocate(what);
}

// A zero-terminated text field of the record, read no further than the next
// field starts.
std::string_view RecordText(const StKAMOKUSUMINFO& record, std::size_t offset, std::size_t width) {
  const char* p = rec::Text(record.raw, offset);
  return std::string_view(p, strnlen(p, width));
}

// Copies at most 30 bytes of a name without splitting a double-byte character;
// the target (31 bytes, zero-filled) stays terminated.
void CopyName(char (&target)[31], std::string_view name) {
  const std::string_view cut = platform::CutAtCharBoundary(name, kNameBytes);
  std::memcpy(target, cut.data(), cut.size());
  target[cut.size()] = '\0';
}

// Sums the debit and credit slots [from, to] into d and c; false on overflow.
bool SumSlots(const StKAMOKUSUMINFO& record, std::size_t debitOffset, std::size_t creditOffset,
              int from, int to, ClAmount& d, ClAmount& c) {
  for (int k = from; k <= to; ++k) {
    if (k < 0 || k >= static_cast<int>(StKAMOKUSUMINFO::kSlots)) continue;
    const std::size_t slot = static_cast<std::size_t>(k) * 8;
    if (!d.AddInPlace(ClAmount::FromInt64(rec::I64(record.raw, debitOffset + slot)))) {
      return false;
    }
    if (!c.AddInPlace(ClAmount::FromInt64(rec::I64(record.raw, creditOffset + slot)))) {
      return false;
    }
  }
  return true;
}

}  // namespace

ClKessanshoSource::ClKessanshoSource() : rule_(nullptr), saved_(nullptr) {}

ClKessanshoSource::~ClKessanshoSource() {
  delete saved_;
  saved_ = nullptr;
  delete rule_;
  rule_ = nullptr;
}

int ClKessanshoSource::Aggregate(int taxFlag, const StFINDINFO* window, const StDATAINFO* data) {
  if (sums_ == nullptr || window == nullptr || data == nullptr) return 0;
  auto advance = [this](std::int16_t from, std::int16_t to) {
    if (progress_ != nullptr) progress_->AdvanceTo(from, to);
  };

  advance(0, 100);

  if (rule_ == nullptr) {
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    auto* setData = dynamic_cast<ClSetData*>(dataMgr->GetSetObject(5, 1));
    const StDATAINFO* selected = setData != nullptr ? setData->GetSelectedInfo() : nullptr;
    if (selected == nullptr) return 0;
    const char* id = rec::Text(selected->raw, StDATAINFO::kDataId);
    const std::string dataId(id, strnlen(id, StDATAINFO::kDataNo - StDATAINFO::kDataId));
    if (!MayAllocate("ClRuleKamoku")) return 0;
    rule_ = new (std::nothrow) ClRuleKamoku();
    if (rule_ == nullptr) return 0;
    rule_->AttachSetMgr(dataMgr->GetSetMgr());
    rule_->SetCurDataID(dataId.c_str());
    rule_->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
  }

  advance(100, 300);

  // The engine takes the window by a non-const pointer; it gets a copy.
  StFINDINFO find = *window;
  rule_->MoveReady(1, 0, 0, &find, nullptr, 0);

  unsigned long engineCount = 0;
  if (rule_->GetSumCount(&engineCount) != 0) return 0;
  const std::uint32_t count = static_cast<std::uint32_t>(engineCount);

  advance(300, 400);

  if (rule_->SetMovePos(0) != 0) return 0;

  const std::size_t debitOffset =
      taxFlag == 1 ? StKAMOKUSUMINFO::kDebit2 : StKAMOKUSUMINFO::kDebit1;
  const std::size_t creditOffset =
      taxFlag == 1 ? StKAMOKUSUMINFO::kCredit2 : StKAMOKUSUMINFO::kCredit1;
  // Entry n of the window starts at (n - 1) * 34: the start index is entry 1's
  // value, the end index entry 2's, and entry 3 holds 18 when slot 13 belongs in.
  auto entryField = [window](std::size_t entry, std::size_t field) -> int {
    return rec::I16(window->raw, (entry - 1) * StFINDINFO::kEntrySize + field);
  };
  const int startIndex = entryField(1, StFINDINFO::kValue);
  const int endIndex = entryField(2, StFINDINFO::kValue);
  const int join2 = entryField(2, StFINDINFO::kJoin);
  const int value3 = entryField(3, StFINDINFO::kValue);
  const int introIndex = rec::I16(data->raw, StDATAINFO::kIntroMonthIndex);
  const std::int32_t extraPeriod = rec::I32(data->raw, StDATAINFO::kExtraPeriodFlag);
  const bool firstMonthsInOpening =
      (introIndex != 0 && startIndex <= introIndex) || (introIndex == 0 && startIndex == 1);

  int r = 0;
  StKAMOKUSUMINFO record;
  try {
    // Every account the engine counts is read: the counter is as wide as the count.
    for (std::uint32_t i = 0; i < count; ++i) {
      if (progress_ != nullptr) progress_->Tick();
      std::memset(record.raw, 0, sizeof record.raw);
      r = rule_->MoveNext(&record);
      if (r != 0) break;

      const std::uint32_t category = rec::U32(record.raw, StKAMOKUSUMINFO::kCategory);
      const bool debitSide = record.raw[StKAMOKUSUMINFO::kSide] == 1;

      ClAmount d0, c0;
      if ((category & kBalanceSheetBit) != 0) {
        if (!SumSlots(record, debitOffset, creditOffset, 0, startIndex - 1, d0, c0)) return 0;
      } else if (firstMonthsInOpening) {
        if (!SumSlots(record, debitOffset, creditOffset, 0, 0, d0, c0)) return 0;
      }
      const std::optional<ClAmount> opening =
          debitSide ? ClAmount::Subtract(d0, c0) : ClAmount::Subtract(c0, d0);
      if (!opening) return 0;

      ClAmount d1, c1;
      if (!SumSlots(record, debitOffset, creditOffset, startIndex, endIndex, d1, c1)) return 0;
      if (join2 != 0 && value3 == 18 &&
          !SumSlots(record, debitOffset, creditOffset, 13, 13, d1, c1)) {
        return 0;
      }
      if (extraPeriod == 1 && endIndex == 6 &&
          !SumSlots(record, debitOffset, creditOffset, 14, 14, d1, c1)) {
        return 0;
      }

      // The one guarded sum: a closing beyond 10^14 yen is the overflow failure.
      const std::optional<ClAmount> grown = ClAmount::Add(*opening, debitSide ? d1 : c1);
      if (!grown) return 0;
      const std::optional<ClAmount> closing = ClAmount::Subtract(*grown, debitSide ? c1 : d1);
      if (!closing) return 0;
      const std::optional<ClAmount> movement = ClAmount::Subtract(*closing, *opening);
      if (!movement) return 0;

      const auto kind =
          static_cast<std::int16_t>(static_cast<signed char>(record.raw[StKAMOKUSUMINFO::kKind]));
      if (kind == 1) continue;

      if (!MayAllocate("AccountSum")) return 0;
      std::unique_ptr<AccountSum> entry(new (std::nothrow) AccountSum());
      if (!entry) return 0;
      entry->key = rec::I32(record.raw, StKAMOKUSUMINFO::kKey);
      CopyName(entry->name, RecordText(record, StKAMOKUSUMINFO::kName,
                                       StKAMOKUSUMINFO::kName2 - StKAMOKUSUMINFO::kName));
      CopyName(entry->name2, RecordText(record, StKAMOKUSUMINFO::kName2,
                                        StKAMOKUSUMINFO::kKind - StKAMOKUSUMINFO::kName2));
      entry->category = category;
      entry->kind = kind;
      entry->opening = opening->ToInt64();
      entry->closing = closing->ToInt64();
      entry->movement = movement->ToInt64();
      sums_->push_back(std::move(entry));
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }

  if (r == kMoveNextEnd) r = 0;
  if (r != 0) return 0;

  advance(400, 500);
  rule_->MoveFinish();
  delete rule_;
  rule_ = nullptr;
  return 1;
}
