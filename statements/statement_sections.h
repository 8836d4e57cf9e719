// The statement sections of the report's DATA element: balance sheet, income
// statement, schedule of cost of goods manufactured and statement of changes
// in net assets, with their shared line writers and lookups. The report
// document class derives from it.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "statements/account_sum.h"
#include "statements/xml_lines.h"

using AccountCopyList = std::list<std::unique_ptr<AccountSum>>;

class ClStatementSections {
 public:
  virtual ~ClStatementSections() = default;

  void SetSums(const AccountSumList* sums) { sums_ = sums; }
  void SetOwnerWindow(platform::HWND owner) { owner_ = owner; }
  void SetStatementKind(std::int16_t kind) { statementKind_ = kind; }

  int WriteBalanceSheet(ClXmlLines* writer);
  int WriteIncomeStatement(ClXmlLines* writer);
  int WriteScheduleCostGoodsManufactured(ClXmlLines* writer);
  int WriteStatementChangesNetAssets(ClXmlLines* writer);

  int WriteHeading(ClXmlLines* writer, std::uint32_t code, const char* element, int indent);
  int WriteItems(ClXmlLines* writer, std::uint32_t mask, int indent);
  int WriteTotal(ClXmlLines* writer, std::uint32_t code, const char* element, int indent);
  int WriteIncomeTaxItems(ClXmlLines* writer, int indent);
  int WriteUnclassifiedNoncurrentItems(ClXmlLines* writer, int indent, int warn);

  const AccountSum* FindEntry(std::uint32_t code) const;
  int CollectByMask(std::uint32_t mask, AccountCopyList& list) const;
  int CollectByCode(std::uint32_t code, AccountCopyList& list) const;
  // The label rule over `length` bytes of name; 0 for an empty name. label
  // must hold length + 1 bytes.
  static int StripMarks(const char* name, char* label, std::size_t length);
  // The label rule over a whole name, of any length ("" for an empty name).
  static std::string StripMarks(std::string_view name);

 protected:
  const AccountSumList* sums_ = nullptr;
  platform::HWND owner_ = 0;
  std::int16_t statementKind_ = 1;
};
