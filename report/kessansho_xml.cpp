// The document frame: declaration, REPORT, SYSTEM, BASIC with PATTERN, DATA.
#include "report/kessansho_xml.h"

#include <cstring>
#include <string>

#include "platform/host.h"
#include "report/support_inf.h"
#include "report/xml_writer.h"

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
constexpr char kFallbackVersion[] = "22.03.0X";

const unsigned char* RecordOf(const StDATAINFO* dataInfo) {
  static const StDATAINFO kEmpty{};
  return (dataInfo != nullptr ? dataInfo : &kEmpty)->raw;
}

bool HasMfgCostSchedule(const StDATAINFO* dataInfo) {
  return rec::I32(RecordOf(dataInfo), StDATAINFO::kMfgCostFlag) != 0;
}

}  // namespace

void ClKessanshoXml::Tick() {
  if (progress_ != nullptr) progress_->Tick();
}

void ClKessanshoXml::AdvanceTo(std::int16_t from, std::int16_t to) {
  if (progress_ != nullptr) progress_->AdvanceTo(from, to);
}

int ClKessanshoXml::WriteReport(const char* path, std::int16_t functionId,
                                const StDATAINFO* dataInfo) {
  platform::Env* env = platform::host().env;
  if (env == nullptr || path == nullptr || *path == '\0') return 0;
  const std::string target = path;
  // The document is written beside the target and put in its place only
  // when complete, so a failed run never leaves a half-written document
  // where the last good one was.
  const std::string temp = platform::TemporarySibling(*env, target);
  int result = 0;
  bool opened = false;
  {
    ClXmlWriter writer;
    if (writer.Open(env, temp.c_str()) == 0) {
      opened = true;
      writer.WriteRaw(kDeclaration);
      writer.WriteStartTag(0, "REPORT");
      Tick();
      if (WriteSystem(&writer, functionId)) {
        Tick();
        if (WriteBasic(&writer, dataInfo)) {
          Tick();
          if (WriteData(&writer, dataInfo)) {
            Tick();
            result = 1;
          }
        }
      }
      // Attempted on failure too; the document is complete only with it.
      if (!writer.WriteEndTag(0, "REPORT")) result = 0;
      writer.Close();
      if (writer.CloseFailed()) result = 0;
    }
  }
  if (result == 1 && !env->ReplaceFile(temp, target)) result = 0;
  if (result != 1 && (opened || env->GetStatus(temp))) env->DeleteFile(temp);
  return result;
}

int ClKessanshoXml::WriteSystem(ClXmlWriter* writer, std::int16_t functionId) {
  if (!writer->WriteStartTag(1, "SYSTEM")) return 0;
  if (!writer->WriteElement(2, "GYOUMUPREFIX", "QX71")) return 0;
  Tick();
  if (!writer->WriteElement(2, "VERSION", "1")) return 0;
  Tick();
  if (!writer->WriteElement(2, "FUNCTIONID", std::to_string(functionId).c_str())) return 0;
  Tick();
  if (!writer->WriteElement(2, "CONNECTEDPROGRAMVER", connectedVersion_.c_str())) return 0;
  Tick();
  ClSupportInf support;
  std::string value = support.GetProductName();
  if (value.empty()) value = fallbackName_;
  if (!writer->WriteElement(2, "PROGRAMNAME", value.c_str())) return 0;
  Tick();
  value = support.GetProductVersion();
  if (value.empty()) value = kFallbackVersion;
  if (!writer->WriteElement(2, "PROGRAMVER", value.c_str())) return 0;
  Tick();
  if (!writer->WriteEndTag(1, "SYSTEM")) return 0;
  AdvanceTo(progressBase_, static_cast<std::int16_t>(progressBase_ + 100));
  return 1;
}

int ClKessanshoXml::WriteBasic(ClXmlWriter* writer, const StDATAINFO* dataInfo) {
  const unsigned char* raw = RecordOf(dataInfo);
  // The name field reaches to the period start at offset 284.
  std::string name(reinterpret_cast<const char*>(raw + StDATAINFO::kCompanyName),
                   strnlen(reinterpret_cast<const char*>(raw + StDATAINFO::kCompanyName),
                           StDATAINFO::kPeriodStart - StDATAINFO::kCompanyName));
  if (!writer->WriteStartTag(1, "BASIC")) return 0;
  if (!writer->WriteElement(2, "KOMONSAKINAME", MakeCompanyName(name.c_str()))) return 0;
  Tick();
  std::string date = std::to_string(rec::I32(raw, StDATAINFO::kPeriodStart));
  if (!writer->WriteElement(2, "JIGYOUNENDOFROM", date.c_str())) return 0;
  Tick();
  date = std::to_string(rec::I32(raw, StDATAINFO::kPeriodEnd));
  if (!writer->WriteElement(2, "JIGYOUNENDOTO", date.c_str())) return 0;
  Tick();

  const char* cos = HasMfgCostSchedule(dataInfo) ? "F3" : "F1";
  int ok = writer->WriteStartTag(2, "PATTERN") && writer->WriteStartTag(3, "BS") &&
           writer->WriteStartTag(4, "CA") && writer->WriteElement(5, "Doubtful", "A2") &&
           writer->WriteEndTag(4, "CA") && writer->WriteStartTag(4, "PPE") &&
           writer->WriteElement(5, "DepImp", "B4") && writer->WriteEndTag(4, "PPE") &&
           writer->WriteStartTag(4, "IOA") && writer->WriteElement(5, "Doubtful", "C2") &&
           writer->WriteElement(5, "DepImp", "D4") && writer->WriteEndTag(4, "IOA") &&
           writer->WriteEndTag(3, "BS") && writer->WriteStartTag(3, "PL") &&
           writer->WriteElement(4, "Sales", "E3") && writer->WriteElement(4, "Cos", cos) &&
           writer->WriteElement(4, "Sga", "G1") && writer->WriteEndTag(3, "PL") &&
           writer->WriteEndTag(2, "PATTERN");
  if (!ok) return 0;
  Tick();
  if (!writer->WriteEndTag(1, "BASIC")) return 0;
  AdvanceTo(static_cast<std::int16_t>(progressBase_ + 100),
            static_cast<std::int16_t>(progressBase_ + 200));
  return 1;
}

int ClKessanshoXml::WriteData(ClXmlWriter* writer, const StDATAINFO* dataInfo) {
  if (!writer->WriteStartTag(1, "DATA")) return 0;
  if (!WriteBalanceSheet(writer)) return 0;
  if (!WriteIncomeStatement(writer)) return 0;
  if (HasMfgCostSchedule(dataInfo) && !WriteScheduleCostGoodsManufactured(writer)) return 0;
  if (!WriteStatementChangesNetAssets(writer)) return 0;
  if (notesPresent_ == 1 && !WriteNotesList(writer)) return 0;
  if (!writer->WriteEndTag(1, "DATA")) return 0;
  AdvanceTo(static_cast<std::int16_t>(progressBase_ + 200), 1000);
  return 1;
}
