// The report document: declaration, REPORT with SYSTEM, BASIC (with PATTERN)
// and DATA with the statement sections and the notes list.
#pragma once
#include <cstdint>
#include <string>

#include "engine/records.h"
#include "report/notes_lines.h"
#include "statements/progress_sink.h"
#include "statements/statement_sections.h"

class ClXmlWriter;

class ClKessanshoXml : public ClStatementSections {
 public:
  ClKessanshoXml() = default;
  ~ClKessanshoXml() override = default;

  void SetProgress(ClProgressSink* progress) { progress_ = progress; }
  void SetNotesPresent(int present) { notesPresent_ = present; }
  void SetNotesLines(const NotesLines* lines) { notesLines_ = lines; }
  void SetNoteDisplayFlags(const unsigned char* flags) { noteFlags_ = flags; }
  void SetProgressBase(std::int16_t base) { progressBase_ = base; }
  // The edition's fallback product name (CP932); Birch's until set.
  void SetFallbackProgramName(std::string name) { fallbackName_ = std::move(name); }
  // String resource 1.
  void SetConnectedProgramVersion(std::string version) { connectedVersion_ = std::move(version); }

  // Writes the whole document to `path` (Windows form). The document goes to
  // a temporary file in the same folder and replaces the target only when it
  // is complete; on failure the target is as it was. 1 on success, else 0.
  int WriteReport(const char* path, std::int16_t functionId, const StDATAINFO* dataInfo);

  int WriteSystem(ClXmlWriter* writer, std::int16_t functionId);
  int WriteBasic(ClXmlWriter* writer, const StDATAINFO* dataInfo);
  int WriteData(ClXmlWriter* writer, const StDATAINFO* dataInfo);
  static const char* MakeCompanyName(const char* name);

  // Notes list.
  int WriteNotesList(ClXmlWriter* writer);
  // Writes the row's item with its nested items when it is shown. Returns
  // the next row to walk (178 for a row outside the table), -1 on failure.
  int WriteNoteItem(int row, ClXmlWriter* writer);
  int IsNoteShown(long itemNumber) const;
  void WriteNoteLines(long itemNumber, int depth, ClXmlWriter* writer);

 private:
  void Tick();
  void AdvanceTo(std::int16_t from, std::int16_t to);
  ClProgressSink* progress_ = nullptr;
  int notesPresent_ = 0;
  const NotesLines* notesLines_ = nullptr;
  const unsigned char* noteFlags_ = nullptr;
  std::int16_t progressBase_ = 0;
  std::string fallbackName_ = "Ledgora２２";
  std::string connectedVersion_;
  std::string noteText_;  // reused for each Line text
};
