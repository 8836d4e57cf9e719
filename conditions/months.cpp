#include "conditions/months.h"

#include <cstring>
#include <memory>

#include "engine/engine.h"
#include "platform/host.h"

namespace {

bool MayAllocate(const char* what) {
  platform::Env* env = platform::host().env;
  return env == nullptr || env->MayAllocate(what);
}

void PutEntry(StFINDINFO* window, int index, std::int16_t compare, std::int16_t value,
              std::int16_t join) {
  unsigned char* e = window->raw + index * StFINDINFO::kEntrySize;
  rec::PutI32(e, StFINDINFO::kItem, 17);
  rec::PutI16(e, StFINDINFO::kCompare, compare);
  rec::PutI16(e, StFINDINFO::kValueType, 2);
  rec::PutI16(e, StFINDINFO::kValue, value);
  rec::PutI16(e, StFINDINFO::kJoin, join);
}

void SetJoin(StFINDINFO* window, int index, std::int16_t join) {
  rec::PutI16(window->raw + index * StFINDINFO::kEntrySize, StFINDINFO::kJoin, join);
}

}  // namespace

void GetPeriodMonths(std::int32_t startDate, std::int32_t endDate, std::int16_t* first,
                     std::int16_t* last) {
  short periodFirst = static_cast<short>(startDate % 10000 / 100);
  short periodLast = static_cast<short>(endDate % 10000 / 100);

  // The engine decides which accounting month the first day belongs to: with
  // a closing day other than the month's end, the first day may already lie
  // in the next month.
  if (!MayAllocate("ClLdgPeriod")) return;
  auto period = std::make_unique<ClLdgPeriod>();
  period->SetPeriod(startDate, endDate);
  short closingDay = 0;
  period->GetClosingDayByEndDate(endDate, 0, &closingDay);
  period->SetClosingDay(closingDay);
  period->GetAMonthByDate(startDate, &periodFirst, 0);
  period.reset();

  if (periodLast < periodFirst) periodLast = static_cast<short>(periodLast + 100);
  if (first != nullptr) *first = periodFirst;
  if (last != nullptr) *last = periodLast;
}

void GetMonthIndexes(std::int16_t periodFirst, std::int16_t periodLast, std::int16_t startMonth,
                     std::int16_t endMonth, std::int16_t* startIndex, std::int16_t* endIndex) {
  if (startIndex == nullptr || endIndex == nullptr) return;
  *startIndex = 1;
  *endIndex = 1;

  const int first = periodFirst;
  const int start = startMonth;
  const int end = endMonth;
  *startIndex = static_cast<std::int16_t>(start >= first ? start - first + 1 : start - first + 13);

  const int lastMonth = periodLast % 100;
  const bool wrapping = periodLast >= 100;
  int index;
  if (lastMonth >= end) {
    index = wrapping ? end - first + 13 : end - first + 1;
  } else {
    index = end - first + 1;
  }
  *endIndex = static_cast<std::int16_t>(index);
}

MonthCheck CheckSelectedMonths(std::int16_t startMonth, std::int16_t endMonth,
                               std::int32_t periodStart, std::int32_t periodEnd) {
  const int s = startMonth;
  const int e = endMonth;
  if (s < 1 || s > 12) return MonthCheck::StartFault;
  if (e < 1 || e > 12) return MonthCheck::EndFault;

  std::int16_t first16 = 0, last16 = 0;
  GetPeriodMonths(periodStart, periodEnd, &first16, &last16);
  const int first = first16;
  const int lastMonth = last16 % 100;
  const bool wrapping = last16 >= 100;

  if (!wrapping) {
    if (s < first) return MonthCheck::StartFault;
    if (e > lastMonth) return MonthCheck::StartFault;
    if (first >= 1 && lastMonth <= 12 && s > e) return MonthCheck::StartFault;
  } else {
    if (first < s && s <= 12 && first <= e && e < s) return MonthCheck::EndFault;
    if (1 <= s && s <= lastMonth && (s > e || e > lastMonth)) return MonthCheck::EndFault;
    if (lastMonth < s && s < first) return MonthCheck::StartFault;
    if (lastMonth < e && e < first) return MonthCheck::StartFault;
  }
  return MonthCheck::Pass;
}

bool EndsBeforeIntroduction(std::int16_t startMonth, std::int16_t endMonth,
                            std::int32_t periodStart, std::int32_t periodEnd,
                            std::int16_t introMonthIndex) {
  std::int16_t first = 0, last = 0;
  GetPeriodMonths(periodStart, periodEnd, &first, &last);
  std::int16_t startIndex = 0, endIndex = 0;
  GetMonthIndexes(first, last, startMonth, endMonth, &startIndex, &endIndex);
  // Only the end matters: a selection may start before the introduction
  // month as long as it reaches it.
  return endIndex < introMonthIndex;
}

int BuildSearchWindow(StFINDINFO* window, const StDATAINFO* data, std::int32_t startMonth,
                      std::int32_t endMonth) {
  if (window == nullptr || data == nullptr) return 0;
  // Unused entries and every filler byte must be zero, whatever the caller
  // passed in.
  std::memset(window->raw, 0, sizeof window->raw);

  std::int16_t first = 0, last = 0;
  GetPeriodMonths(rec::I32(data->raw, StDATAINFO::kPeriodStart),
                  rec::I32(data->raw, StDATAINFO::kPeriodEnd), &first, &last);
  if (first == 0) return 0;  // outputs left unwritten: no period object
  const auto start = static_cast<std::int16_t>(startMonth);
  const auto end = static_cast<std::int16_t>(endMonth);
  std::int16_t startIndex = 0, endIndex = 0;
  GetMonthIndexes(first, last, start, end, &startIndex, &endIndex);

  PutEntry(window, 0, 4, startIndex, 1);
  PutEntry(window, 1, 6, endIndex, 0);
  int lastEntry = 1;

  if (rec::I32(data->raw, StDATAINFO::kExtraPeriodFlag) == 1 && endIndex == 6) {
    SetJoin(window, lastEntry, 2);
    PutEntry(window, ++lastEntry, 1, 15, 0);
  }
  if (end == last % 100) {
    SetJoin(window, lastEntry, 2);
    PutEntry(window, ++lastEntry, 1, 18, 0);
  }
  return 1;
}
