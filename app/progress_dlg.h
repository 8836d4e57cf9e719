// The progress window shown while the run aggregates and writes: a main bar
// over a per-mille scale and a short secondary bar that cycles at every step.
#pragma once
#include <cstdint>

#include "platform/dialog.h"
#include "statements/progress_sink.h"

class ClProgressDlg : public platform::Dialog, public ClProgressSink {
 public:
  explicit ClProgressDlg(platform::HWND parent);
  ~ClProgressDlg() override;

  void InitProgress();
  void AdvanceTo(std::int16_t from, std::int16_t to) override;
  void Tick() override;

  long MainSteps() const;
  long Ticks() const { return ticks_; }

 private:
  long ticks_ = 0;
};
