// Reads the company's data out of the engine: the account sums (aggregation)
// and the saved notes (notes source).
#pragma once
#include <string>

#include "engine/engine.h"
#include "statements/account_sum.h"
#include "statements/progress_sink.h"

class ClKessanshoSource {
 public:
  ClKessanshoSource();
  virtual ~ClKessanshoSource();
  ClKessanshoSource(const ClKessanshoSource&) = delete;
  ClKessanshoSource& operator=(const ClKessanshoSource&) = delete;

  void SetProgress(ClProgressSink* progress) { progress_ = progress; }
  void SetSums(AccountSumList* sums) { sums_ = sums; }

  // Appends one entry per account (kind 1 left out) to the sums list. 1 when
  // every account was read; 0 on any failure (engine error, allocation
  // failure, overflow of a sum).
  int Aggregate(int taxFlag, const StFINDINFO* window, const StDATAINFO* data);

  // Notes source (defined in report/).
  int FetchSavedData(int kind, char** buffer, long* length);
  int IsNotesInputMode();
  int IsNotesEnabled();
  void ReadNoteDisplayFlags(unsigned char* flags);  // 50 flags
  int ReadNotesText(std::string& text);

 private:
  ClProgressSink* progress_ = nullptr;
  AccountSumList* sums_ = nullptr;
  ClRuleKamoku* rule_ = nullptr;
  ClSaveKessansho* saved_ = nullptr;
};
