// One account's balances as the aggregation leaves them, and the list of all
// accounts in the engine's order.
#pragma once
#include <cstdint>
#include <list>
#include <memory>

struct AccountSum {
  std::int32_t key = 0;
  char name[31] = {};
  char name2[31] = {};
  std::int64_t opening = 0;  // ten-thousandths of a yen
  std::int64_t movement = 0;
  std::int64_t closing = 0;
  std::uint32_t category = 0;
  std::int16_t kind = 0;
};

using AccountSumList = std::list<std::unique_ptr<AccountSum>>;
