#include "app/progress_dlg.h"

#include <cstdio>

#include "platform/host.h"
#include "res/resources.h"

ClProgressDlg::ClProgressDlg(platform::HWND parent)
    : platform::Dialog(ProgressDialogTemplate(), parent) {}

ClProgressDlg::~ClProgressDlg() {
  // The window exists from Create on; its close is journaled on every path.
  if (GetSafeHwnd() != 0) {
    if (platform::host().journal) platform::host().journal->ProgressClose(MainSteps(), ticks_);
    DestroyWindow();
  }
}

long ClProgressDlg::MainSteps() const { return StepCount(IDC_PROGRESS_MAIN); }

void ClProgressDlg::InitProgress() {
  SetRange(IDC_PROGRESS_MAIN, 0, 1000);
  SetStep(IDC_PROGRESS_MAIN, 1);
  SetPos(IDC_PROGRESS_MAIN, 0);
}

void ClProgressDlg::AdvanceTo(std::int16_t from, std::int16_t to) {
  for (int i = from; i <= to; ++i) {
    if (i % 10 == 0) {
      char caption[64];
      std::snprintf(caption, sizeof caption, "集計中 %d％", i / 10);
      SetWindowText(caption);
    }
    StepIt(IDC_PROGRESS_MAIN);
    Tick();
    UpdateWindow();
  }
}

void ClProgressDlg::Tick() {
  ++ticks_;
  SetRange(IDC_PROGRESS_SUB, 0, 5);
  SetStep(IDC_PROGRESS_SUB, 1);
  SetPos(IDC_PROGRESS_SUB, 0);
  for (int n = 0; n < 6; ++n) {
    StepIt(IDC_PROGRESS_SUB);
    BringWindowToTop();
    SetForegroundWindow();
    UpdateWindow();
  }
}
