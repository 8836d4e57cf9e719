// Accounting months: the fiscal period's first and last month, month indexes
// within the fiscal year, the checks on chosen months and the search window.
#pragma once
#include <cstdint>

#include "engine/records.h"

void GetPeriodMonths(std::int32_t startDate, std::int32_t endDate, std::int16_t* first,
                     std::int16_t* last);
void GetMonthIndexes(std::int16_t periodFirst, std::int16_t periodLast, std::int16_t startMonth,
                     std::int16_t endMonth, std::int16_t* startIndex, std::int16_t* endIndex);

enum class MonthCheck { Pass, StartFault, EndFault };
MonthCheck CheckSelectedMonths(std::int16_t startMonth, std::int16_t endMonth,
                               std::int32_t periodStart, std::int32_t periodEnd);
// True when the end month's index lies before the introduction month index.
bool EndsBeforeIntroduction(std::int16_t startMonth, std::int16_t endMonth,
                            std::int32_t periodStart, std::int32_t periodEnd,
                            std::int16_t introMonthIndex);

// Fills the (all-zero) window from the data's period and the chosen months.
// 0 when window or data is absent, or when the period's months cannot be
// had (the period object could not be made): the window is then left all
// zero, since indexes reckoned from no period would select the wrong months.
int BuildSearchWindow(StFINDINFO* window, const StDATAINFO* data, std::int32_t startMonth,
                      std::int32_t endMonth);
