// What the aggregation and the report writer move: the progress display.
#pragma once
#include <cstdint>

class ClProgressSink {
 public:
  virtual ~ClProgressSink() = default;
  virtual void AdvanceTo(std::int16_t from, std::int16_t to) = 0;
  virtual void Tick() = 0;
};
