// The balance sheet, the income statement and the schedule of cost of goods
// manufactured, with the line writers and lookups that every statement uses.
#include "statements/statement_sections.h"

#include <cstring>
#include <new>

#include "platform/host.h"
#include "statements/amount.h"

namespace {

// Removed from names wherever they occur, tried in this order at each byte.
constexpr const char* kMarks[] = {
    " ",  "　", "【",   "】",   "《",   "》",   "（",   "）",
    "［", "］", "(製)", "[製]", "(完)", "[完]", "(未)", "[未]",
};

constexpr std::uint32_t kNoncurrentUnclassified[] = {0x80840000u, 0x80840008u, 0x80840004u};
constexpr std::uint32_t kIncomeTaxes = 0x40200000u;
constexpr std::uint32_t kIncomeTaxSkipped[] = {0x40200080u, 0x40200020u, 0x40200010u};

bool Listed(const AccountSum& entry) { return entry.kind == 0 || entry.kind == 3; }

bool MayAllocate(std::string_view what) {
  platform::Env* env = platform::host().env;
  return env == nullptr || env->MayAllocate(what);
}

// Appends a copy of entry; false when the copy cannot be allocated.
bool AppendCopy(const AccountSum& entry, AccountCopyList& list) {
  if (!MayAllocate("AccountCopy")) return false;
  try {
    list.push_back(std::make_unique<AccountSum>(entry));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

std::string Label(const AccountSum& entry) {
  return ClStatementSections::StripMarks(
      std::string_view(entry.name, strnlen(entry.name, sizeof entry.name)));
}

std::string Label2(const AccountSum& entry) {
  return ClStatementSections::StripMarks(
      std::string_view(entry.name2, strnlen(entry.name2, sizeof entry.name2)));
}

std::string UnclassifiedWarning(const AccountSum& entry) {
  std::string text =
      "以下の科目は、正しい分類に出力することができません。\r\n"
      "科目性格を見直す必要があります。\r\n\r\n"
      "科目コード\t： ";
  text += std::to_string(entry.key / 10000);
  text += "\r\n正式名称\t： ";
  text.append(entry.name, strnlen(entry.name, sizeof entry.name));
  text +=
      "\r\n\r\n"
      "Ledgoraの勘定科目設定画面にて、科目性格を\r\n"
      " [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
      "のいずれかに設定し、もう一度処理を行ってください。\r\n";
  return text;
}

// One line of a heading table: a heading with its items and end tag, or a
// total line.
struct CostStep {
  enum Kind { kHeading, kTotal } kind;
  std::uint32_t code;
  const char* element;
};

}  // namespace

std::string ClStatementSections::StripMarks(std::string_view name) {
  std::string label;
  std::size_t i = 0;
  while (i < name.size()) {
    bool skipped = false;
    for (const char* mark : kMarks) {
      if (name.substr(i).starts_with(mark)) {
        i += std::strlen(mark);
        skipped = true;
        break;
      }
    }
    if (!skipped) label += name[i++];
  }
  return label;
}

int ClStatementSections::StripMarks(const char* name, char* label, std::size_t length) {
  if (name == nullptr || label == nullptr || name[0] == '\0') return 0;
  const std::string stripped = StripMarks(std::string_view(name, strnlen(name, length)));
  std::memcpy(label, stripped.data(), stripped.size());
  label[stripped.size()] = '\0';
  return 1;
}

const AccountSum* ClStatementSections::FindEntry(std::uint32_t code) const {
  if (sums_ == nullptr) return nullptr;
  for (const auto& entry : *sums_) {
    if (entry && entry->category == code) return entry.get();
  }
  return nullptr;
}

int ClStatementSections::CollectByMask(std::uint32_t mask, AccountCopyList& list) const {
  list.clear();
  if (sums_ == nullptr) return 1;
  for (const auto& entry : *sums_) {
    if (!entry || (entry->category & mask) != mask || !Listed(*entry)) continue;
    if (!AppendCopy(*entry, list)) return 0;
  }
  return 1;
}

int ClStatementSections::CollectByCode(std::uint32_t code, AccountCopyList& list) const {
  list.clear();
  if (sums_ == nullptr) return 1;
  for (const auto& entry : *sums_) {
    if (!entry || entry->category != code || !Listed(*entry)) continue;
    if (!AppendCopy(*entry, list)) return 0;
  }
  return 1;
}

int ClStatementSections::WriteHeading(ClXmlLines* writer, std::uint32_t code, const char* element,
                                      int indent) {
  if (writer == nullptr) return 0;
  const AccountSum* entry = FindEntry(code);
  if (entry == nullptr) return writer->WriteStartTag(indent, element);
  const std::string label = Label(*entry);
  const std::string amount = RenderYen(entry->closing);
  return writer->WriteStartTag(indent, element, "Label", label.c_str(), "Amount", amount.c_str());
}

int ClStatementSections::WriteItems(ClXmlLines* writer, std::uint32_t mask, int indent) {
  if (writer == nullptr) return 0;
  AccountCopyList copies;
  if (CollectByMask(mask, copies) != 1) return 0;
  for (const auto& copy : copies) {
    const std::string amount = RenderYen(copy->closing);
    if (amount.empty()) continue;
    const std::string label = Label(*copy);
    if (!writer->WriteElement(indent, "Item", amount.c_str(), "Label", label.c_str())) return 0;
  }
  return 1;
}

int ClStatementSections::WriteTotal(ClXmlLines* writer, std::uint32_t code, const char* element,
                                    int indent) {
  if (writer == nullptr) return 0;
  const AccountSum* entry = FindEntry(code);
  if (entry == nullptr) return 1;
  std::string label = Label2(*entry);
  if (label.empty()) label = Label(*entry);
  const std::string amount = RenderYen(entry->closing);
  return writer->WriteElement(indent, element, "", "Label", label.c_str(), "Amount",
                              amount.c_str());
}

int ClStatementSections::WriteIncomeTaxItems(ClXmlLines* writer, int indent) {
  if (writer == nullptr) return 0;
  AccountCopyList copies;
  if (CollectByMask(kIncomeTaxes, copies) != 1) return 0;
  for (const auto& copy : copies) {
    bool skipped = false;
    for (std::uint32_t code : kIncomeTaxSkipped) skipped = skipped || copy->category == code;
    if (skipped) continue;
    const std::string amount = RenderYen(copy->closing);
    if (amount.empty()) continue;
    const std::string label = Label(*copy);
    if (!writer->WriteElement(indent, "Item", amount.c_str(), "Label", label.c_str())) return 0;
  }
  return 1;
}

int ClStatementSections::WriteUnclassifiedNoncurrentItems(ClXmlLines* writer, int indent,
                                                          int warn) {
  if (writer == nullptr) return 0;
  for (std::uint32_t code : kNoncurrentUnclassified) {
    AccountCopyList copies;
    if (CollectByCode(code, copies) != 1) return 0;
    for (const auto& copy : copies) {
      const std::string amount = RenderYen(copy->closing);
      if (amount.empty()) continue;
      if (warn == 1 && owner_ != 0 && platform::host().ui != nullptr) {
        platform::host().ui->MessageBox(owner_, UnclassifiedWarning(*copy), "決算書",
                                        platform::MB_OK | platform::MB_ICONEXCLAMATION);
      }
      const std::string label = Label(*copy);
      if (!writer->WriteElement(indent, "Item", amount.c_str(), "Label", label.c_str())) return 0;
    }
  }
  return 1;
}

int ClStatementSections::WriteBalanceSheet(ClXmlLines* w) {
  if (w == nullptr) return 0;
  return w->WriteStartTag(2, "BalanceSheet") && WriteHeading(w, 0x80800000u, "Assets", 3) &&
         WriteHeading(w, 0x80880000u, "CurrentAssets", 4) && WriteItems(w, 0x80880000u, 5) &&
         w->WriteEndTag(4, "CurrentAssets") &&
         WriteHeading(w, 0x80840000u, "NoncurrentAssets", 4) &&
         WriteHeading(w, 0x80848000u, "PropertyPlantAndEquipment", 5) &&
         WriteItems(w, 0x80848000u, 6) && WriteUnclassifiedNoncurrentItems(w, 6, 1) &&
         w->WriteEndTag(5, "PropertyPlantAndEquipment") &&
         WriteHeading(w, 0x80844000u, "IntangibleAssets", 5) && WriteItems(w, 0x80844000u, 6) &&
         WriteUnclassifiedNoncurrentItems(w, 6, 0) && w->WriteEndTag(5, "IntangibleAssets") &&
         WriteHeading(w, 0x80842000u, "InvestmentsAndOtherAssets", 5) &&
         WriteItems(w, 0x80842000u, 6) && WriteUnclassifiedNoncurrentItems(w, 6, 0) &&
         w->WriteEndTag(5, "InvestmentsAndOtherAssets") && w->WriteEndTag(4, "NoncurrentAssets") &&
         WriteHeading(w, 0x80820000u, "DeferredAssets", 4) && WriteItems(w, 0x80820000u, 5) &&
         w->WriteEndTag(4, "DeferredAssets") && w->WriteEndTag(3, "Assets") &&
         WriteHeading(w, 0x80400000u, "Liabilities", 3) &&
         WriteHeading(w, 0x80480000u, "CurrentLiabilities", 4) && WriteItems(w, 0x80480000u, 5) &&
         w->WriteEndTag(4, "CurrentLiabilities") &&
         WriteHeading(w, 0x80440000u, "NoncurrentLiabilities", 4) &&
         WriteItems(w, 0x80440000u, 5) && w->WriteEndTag(4, "NoncurrentLiabilities") &&
         w->WriteEndTag(3, "Liabilities") && WriteHeading(w, 0x80200000u, "NetAssets", 3) &&
         WriteItems(w, 0x80200000u, 4) && w->WriteEndTag(3, "NetAssets") &&
         w->WriteEndTag(2, "BalanceSheet");
}

int ClStatementSections::WriteIncomeStatement(ClXmlLines* w) {
  if (w == nullptr) return 0;
  // A heading with its items and end tag, at indents 3 and 4.
  auto block = [this, w](std::uint32_t code, const char* element) {
    return WriteHeading(w, code, element, 3) && WriteItems(w, code, 4) &&
           w->WriteEndTag(3, element);
  };
  auto total = [this, w](std::uint32_t code, const char* element) {
    return WriteTotal(w, code, element, 3);
  };
  return w->WriteStartTag(2, "IncomeStatement") && block(0x40888000u, "NetSales") &&
         block(0x40884000u, "CostOfSales") && total(0x40880008u, "GrossProfit") &&
         block(0x40882000u, "SellingGeneralAndAdministrativeExpenses") &&
         total(0x40880000u, "OperatingIncome") && block(0x40848000u, "NonOperatingIncome") &&
         block(0x40844000u, "NonOperatingExpenses") && total(0x40800000u, "OrdinaryIncome") &&
         block(0x40480000u, "ExtraordinaryIncome") && block(0x40440000u, "ExtraordinaryLoss") &&
         total(0x40200080u, "IncomeBeforeIncomeTaxes") && w->WriteStartTag(3, "IncomeTaxes") &&
         WriteIncomeTaxItems(w, 4) && w->WriteEndTag(3, "IncomeTaxes") &&
         total(0x40200040u, "NetIncome") && w->WriteEndTag(2, "IncomeStatement");
}

int ClStatementSections::WriteScheduleCostGoodsManufactured(ClXmlLines* w) {
  if (w == nullptr) return 0;
  constexpr std::uint32_t kSubcontractCost = 0x20040000u;
  static constexpr CostStep kSteps[] = {
      {CostStep::kHeading, 0x20800000u, "MaterialCost"},
      {CostStep::kHeading, 0x20400000u, "LaborCost"},
      {CostStep::kHeading, kSubcontractCost, "SubcontractCost"},
      {CostStep::kHeading, 0x20200000u, "OverheadExpenses"},
      {CostStep::kTotal, 0x20080000u, "TotalProductionCostUtilized"},
      {CostStep::kHeading, 0x20108000u, "WorkProcessBeginningInventories"},
      {CostStep::kTotal, 0x20100008u, "SubtotalScheduleCostGoodsManufactured"},
      {CostStep::kHeading, 0x20102000u, "WorkProcessClosingInventories"},
      {CostStep::kTotal, 0x40884200u, "CostFinishedGoods"},
  };
  if (!w->WriteStartTag(2, "ScheduleCostGoodsManufactured")) return 0;
  for (const CostStep& step : kSteps) {
    if (step.kind == CostStep::kTotal) {
      if (!WriteTotal(w, step.code, step.element, 3)) return 0;
      continue;
    }
    // Subcontracting appears only for companies that keep its heading account.
    if (step.code == kSubcontractCost && FindEntry(kSubcontractCost) == nullptr) continue;
    if (!WriteHeading(w, step.code, step.element, 3) || !WriteItems(w, step.code, 4) ||
        !w->WriteEndTag(3, step.element)) {
      return 0;
    }
  }
  return w->WriteEndTag(2, "ScheduleCostGoodsManufactured");
}
