// The notes list section ListNotesNonConsolidated: the item table walked as a
// tree, each shown item with its Line elements from the notes text.
#include <string>
#include <string_view>

#include "report/kessansho_xml.h"
#include "report/note_items.h"
#include "report/xml_writer.h"

const NoteItem NoteItemTable[kNoteItemRows] = {
    // Block 100, group 0: 1 item.
    {0, 1000010, 3, "NotesGoingConcernAssumption"},
    // Block 101, group 1: 12 items.
    {1, 1010010, 3, "NotesSignificantAccountingPolicy"},
    {1, 1010020, 4, "ValuationBasisValuationMethodAssets"},
    {1, 1010030, 5, "ValuationBasisValuationMethodMarketableSecurities"},
    {1, 1010040, 5, "ValuationBasisValuationMethodInventories"},
    {1, 1010050, 4, "DepreciationMethodFixedAssets"},
    {1, 1010060, 4, "RecordingBasisReserves"},
    {1, 1010070, 4, "RecordingBasisRevenueExpense"},
    {1, 1010080, 4, "OtherSignificantMattersFundamentalsPreparingFinancialStatements"},
    {1, 1010090, 5, "InclusionInterestExpenseAcquisitionCost"},
    {1, 1010100, 5, "SignificantAccountingPoliciesOther"},
    {1, 1010110, 6, "SignificantAccountingPoliciesItemName"},
    {1, 1010120, 6, "SignificantAccountingPoliciesDescription"},
    // Block 102, group 1: 1 item.
    {1, 1020010, 4, "ChangesAccountingPrincipleProcedure"},
    // Block 103, group 1: 1 item.
    {1, 1030010, 4, "ChangesPresentation"},
    // Block 106, group 2: 33 items.
    {2, 1060010, 3, "NoteBalanceSheet"},
    {2, 1060020, 4, "PledgedAssets"},
    {2, 1060030, 4, "AllowanceDoubtfulAccountsDeductedDirectlyAssets"},
    {2, 1060040, 5, "AllowanceDoubtfulAccountsDeductedDirectlyCurrentAssets"},
    {2, 1060050, 5, "AllowanceDoubtfulAccountsDeductedDirectlyLongTermInvestments"},
    {2, 1060060, 4, "DepreciationTangibleAssets"},
    {2, 1060070, 4, "AmountGuaranties"},
    {2, 1060080, 4, "AmountNotesReceivableDiscounted"},
    {2, 1060090, 4, "AmountNotesReceivableEndorsed"},
    {2, 1060100, 4, "MaterialCompensationObligationDamageLitigation"},
    {2, 1060110, 4, "CircumstanceDoubtfulLoan"},
    {2, 1060120, 4, "DishonoredNotesNotesPayable"},
    {2, 1060130, 4, "MonetaryReceivablesPayablesAffiliates"},
    {2, 1060140, 5, "MonetaryReceivablesPayablesAffiliatesDetails"},
    {2, 1060150, 6, "MonetaryReceivablesPayablesAffiliatesAccountName"},
    {2, 1060160, 6, "MonetaryReceivablesPayablesAffiliatesAmount"},
    {2, 1060170, 4, "MonetaryReceivablesPayablesDirectors"},
    {2, 1060180, 5, "MonetaryReceivablesDirectors"},
    {2, 1060190, 5, "MonetaryPayablesDirectors"},
    {2, 1060200, 4, "ParentCompanySecuritiesMarketableSecurities"},
    {2, 1060210, 4, "RecoverableInventoriesEtc"},
    {2, 1060220, 4, "SignificantOwnershipReservedAssets"},
    {2, 1060230, 4, "RevaluationLandBusiness"},
    {2, 1060240, 4, "RevenueReserveSpecialLaw"},
    {2, 1060250, 4, "AdvancedDepreciation"},
    {2, 1060260, 4, "NotesReceivablesNotesPayablesMaturedAtClosingDate"},
    {2, 1060270, 5, "AccountingMethodNotesReceivablesNotesPayablesMaturedClosingDate"},
    {2, 1060280, 5, "NotesReceivablesNotesPayablesMaturedAtClosingDateNotesReceivables"},
    {2, 1060290, 5, "NotesReceivablesNotesPayablesMaturedAtClosingDateNotesPayables"},
    {2, 1060300, 4, "AccountingMethodConsumptionTaxes"},
    {2, 1060310, 4, "OthersNotesBalanceSheet"},
    {2, 1060320, 5, "OthersNotesBalanceSheetItemName"},
    {2, 1060330, 5, "OthersNotesBalanceSheetDescription"},
    // Block 107, group 3: 14 items.
    {3, 1070010, 3, "NoteIncomeStatement"},
    {3, 1070020, 4, "TransactionsAffiliates"},
    {3, 1070030, 5, "SalesAffiliates"},
    {3, 1070040, 5, "PurchaseAffiliates"},
    {3, 1070050, 5, "OtherOperatingTransactionsAffiliates"},
    {3, 1070060, 5, "NonoperatingTransactionsAffiliates"},
    {3, 1070070, 4, "ValuationLossDeductedClosingInventories"},
    {3, 1070080, 5, "ValuationLossDeductedClosingInventoriesDetails"},
    {3, 1070090, 6, "ValuationLossDeductedClosingInventoriesItemName"},
    {3, 1070100, 6, "ValuationLossDeductedClosingInventoriesAmount"},
    {3, 1070110, 4, "IncomeTaxesPastYear"},
    {3, 1070120, 4, "OtherNotesIncomeStatement"},
    {3, 1070130, 5, "OtherNotesIncomeStatementItemName"},
    {3, 1070140, 5, "OtherNotesIncomeStatementDescription"},
    // Block 108, group 4: 86 items.
    {4, 1080010, 3, "NotesStatementChangesNetAssets"},
    {4, 1080020, 4, "MattersTypesTotalNumberSharesIssued"},
    {4, 1080030, 5, "SharesIssued"},
    {4, 1080040, 6, "IssuanceNewOrdinaryShares"},
    {4, 1080050, 7, "NumberSharesIssuanceNewOrdinaryShares-P"},
    {4, 1080060, 7, "NumberSharesIncreasedDuringPeriodIssuanceNewOrdinaryShares"},
    {4, 1080070, 7, "NumberSharesDecreasedDuringPeriodIssuanceNewOrdinaryShares"},
    {4, 1080080, 7, "NumberSharesIssuanceNewOrdinaryShares"},
    {4, 1080090, 7, "RemarksIssuanceNewOrdinaryShares"},
    {4, 1080100, 6, "IssuanceNewPreferenceShares"},
    {4, 1080110, 7, "NumberSharesEndPreviousPeriodIssuanceNewPreferenceShares-P"},
    {4, 1080120, 7, "NumberSharesIncreasedDuringPeriodIssuanceNewPreferenceShares"},
    {4, 1080130, 7, "NumberSharesDecreasedDuringPeriodIssuanceNewPreferenceShares"},
    {4, 1080140, 7, "NumberSharesEndPreviousPeriodIssuanceNewPreferenceShares"},
    {4, 1080150, 7, "RemarksIssuanceNewPreferenceShares"},
    {4, 1080160, 6, "TotalSharesIssued"},
    {4, 1080170, 7, "NumberSharesEndPreviousPeriodTotalSharesIssued-P"},
    {4, 1080180, 7, "NumberSharesIncreasedDuringPeriodTotalSharesIssued"},
    {4, 1080190, 7, "NumberSharesDecreasedDuringPeriodTotalSharesIssued"},
    {4, 1080200, 7, "NumberSharesEndPreviousPeriodTotalSharesIssued"},
    {4, 1080210, 7, "RemarksTotalSharesIssued"},
    {4, 1080220, 4, "MattersTypesTotalNumberTreasuryStock"},
    {4, 1080230, 5, "TreasuryStockTypesTotalNumber"},
    {4, 1080240, 6, "TreasuryOrdinaryShares"},
    {4, 1080250, 7, "NumberSharesTreasuryOrdinaryShares-P"},
    {4, 1080260, 7, "NumberSharesIncreasedDuringPeriodTreasuryOrdinaryShares"},
    {4, 1080270, 7, "NumberSharesDecreasedDuringPeriodTreasuryOrdinaryShares"},
    {4, 1080280, 7, "NumberSharesTreasuryOrdinaryShares"},
    {4, 1080290, 7, "RemarksTreasuryOrdinaryShares"},
    {4, 1080300, 6, "TotalTreasuryOrdinaryShares"},
    {4, 1080310, 7, "NumberSharesTotalTreasuryOrdinaryShares-P"},
    {4, 1080320, 7, "NumberSharesIncreasedDuringPeriodTotalTreasuryOrdinaryShares"},
    {4, 1080330, 7, "NumberSharesDecreasedDuringPeriodTotalTreasuryOrdinaryShares"},
    {4, 1080340, 7, "NumberSharesTotalTreasuryOrdinaryShares"},
    {4, 1080350, 7, "RemarksTotalTreasuryOrdinaryShares"},
    {4, 1080360, 4, "MattersSubscriptionRightsSharesTreasurySubscriptionRightsShares"},
    {4, 1080370, 5, "BreakdownSubscriptionRightsShares"},
    {4, 1080380, 6, "TypeStocksPurposeSubscriptionRightsShares"},
    {4, 1080390, 6, "NumberSharesPurposeSubscriptionRightsShares"},
    {4, 1080400, 7, "NumberSharesEndPreviousPeriodSubscriptionRightsShares-P"},
    {4, 1080410, 7, "NumberSharesIncreasedDuringPeriodSubscriptionRightsShares"},
    {4, 1080420, 7, "NumberSharesDecreasedDuringPeriodSubscriptionRightsShares"},
    {4, 1080430, 7, "NumberSharesEndPreviousPeriodSubscriptionRightsShares"},
    {4, 1080440, 6, "SubscriptionRightsSharesBalanceEndCurrentPeriod"},
    {4, 1080450, 6, "RemarksSubscriptionRightsShares"},
    {4, 1080460, 5, "MattersTreasurySubscriptionRightsShares"},
    {4, 1080470, 6, "TypeStocksPurposeTreasurySubscriptionRightsShares"},
    {4, 1080480, 6, "NumberSharesPurposeTreasurySubscriptionRightsShares"},
    {4, 1080490, 6, "TreasurySubscriptionRightsSharesBalanceEndCurrentPeriod"},
    {4, 1080500, 4, "MattersDividends"},
    {4, 1080510, 5, "InCaseCashDividend"},
    {4, 1080520, 6, "ItemsCashDividendTypeStocks"},
    {4, 1080530, 7, "TypeStocksCashDividend"},
    {4, 1080540, 7, "ResolutionCashDividend"},
    {4, 1080550, 7, "TotalDividendCashDividend"},
    {4, 1080560, 7, "DividendsPerShareCashDividend"},
    {4, 1080570, 7, "RecordDateCashDividend"},
    {4, 1080580, 7, "EffectiveDateCashDividend"},
    {4, 1080590, 5, "InCasePropertyDividend"},
    {4, 1080600, 6, "ItemsPropertyDividendTypeStocks"},
    {4, 1080610, 7, "TypeStocksPropertyDividend"},
    {4, 1080620, 7, "ResolutionPropertyDividend"},
    {4, 1080630, 7, "TypeDividendProperty"},
    {4, 1080640, 7, "BookValueDividendProperty"},
    {4, 1080650, 7, "DividendsPerSharePropertyDividend"},
    {4, 1080660, 7, "RecordDatePropertyDividend"},
    {4, 1080670, 7, "EffectiveDatePropertyDividend"},
    {4, 1080680, 5, "DividendsWhichEffectiveDatesAreAfterPeriodDividendsWhichRecordDatesArePeriod"},
    {4, 1080690, 6, "FundsDividendAfterPeriod"},
    {4, 1080700, 6, "InCaseCashDividendAfterPeriod"},
    {4, 1080710, 7, "ItemsCashDividendAfterPeriodTypeStocks"},
    {4, 1080720, 8, "TypeStocksCashDividendAfterPeriod"},
    {4, 1080730, 8, "ResolutionCashDividendAfterPeriod"},
    {4, 1080740, 8, "TotalDividendCashDividendAfterPeriod"},
    {4, 1080750, 8, "DividendsPerShareCashDividendAfterPeriod"},
    {4, 1080760, 8, "RecordDateCashDividendAfterPeriod"},
    {4, 1080770, 8, "EffectiveDateCashDividendAfterPeriod"},
    {4, 1080780, 6, "InCasePropertyDividendAfterPeriod"},
    {4, 1080790, 7, "ItemsPropertyDividendAfterPeriodTypeStocks"},
    {4, 1080800, 8, "TypeStocksPropertyDividendAfterPeriod"},
    {4, 1080810, 8, "ResolutionPropertyDividendAfterPeriod"},
    {4, 1080820, 8, "TypeDividendPropertyAfterPeriod"},
    {4, 1080830, 8, "BookValueDividendPropertyAfterPeriod"},
    {4, 1080840, 8, "DividendsPerSharePropertyDividendAfterPeriod"},
    {4, 1080850, 8, "RecordDatePropertyDividendAfterPeriod"},
    {4, 1080860, 8, "EffectiveDatePropertyDividendAfterPeriod"},
    // Block 109, group 5: 3 items.
    {5, 1090010, 3, "NotesTaxEffectAccounting"},
    {5, 1090020, 4, "MajorCauseDeferredTaxAssets"},
    {5, 1090030, 4, "MajorCauseDeferredTaxLiabilities"},
    // Block 110, group 6: 5 items.
    {6, 1100010, 3, "NotesFixedAssetsUsingFinanceLease"},
    {6, 1100020, 4, "EquivalentValueAcquisitionValueEndPeriod"},
    {6, 1100030, 4, "EquivalentValueAccumulatedDepreciationEndPeriod"},
    {6, 1100040, 4, "EquivalentValueUnexpiredLeasePaymentEndPeriod"},
    {6, 1100050, 4, "OtherSignificantMattersLeasedAssets"},
    // Block 113, group 7: 14 items.
    {7, 1130010, 3, "NotesRelatedPartyTransactions"},
    {7, 1130020, 4, "BreakdownRelatedPartyTransactions"},
    {7, 1130030, 5, "NameRelatedParty"},
    {7, 1130040, 5,
     "RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty"},
    {7, 1130050, 5,
     "RatioVotingRightsOwnedRelatedPartyTotalVotingRightsOwnedAllShareholdersCompany"},
    {7, 1130060, 5, "RelationshipCompanyRelatedParty"},
    {7, 1130070, 5, "DetailsTransactions"},
    {7, 1130080, 5, "TransactionAmountTransactionType"},
    {7, 1130090, 6, "ItemsTransactions"},
    {7, 1130100, 7, "TransactionType"},
    {7, 1130110, 7, "TransactionAmount"},
    {7, 1130120, 5, "TransactionTermsDecisionPolicyTransactionTerms"},
    {7, 1130130, 5, "EndingBalancesMajorItemsReceivablesPayablesTransactions"},
    {7, 1130140, 5, "ChangesTransactionTerms"},
    // Block 114, group 8: 3 items.
    {8, 1140010, 3, "NotesPerShareInformation"},
    {8, 1140020, 4, "NetAssetsPerShare"},
    {8, 1140030, 4, "NetIncomeNetLossPerShare"},
    // Block 115, group 9: 1 item.
    {9, 1150010, 3, "NotesMaterialSubsequentEvents"},
    // Block 117, group 10: 3 items.
    {10, 1170010, 3, "ItemsOtherNotes"},
    {10, 1170020, 4, "ItemNameOtherNotes"},
    {10, 1170030, 4, "ItemDescriptionOtherNotes"},
    // Closing row.
    {0, 0, 0, ""},
};

namespace {

constexpr const char* kListElement = "ListNotesNonConsolidated";
constexpr int kListDepth = 2;

bool IsClosingRow(int row) { return NoteItemTable[row].itemNumber <= 0; }

// The first line at or after `from` that holds "<ID>" with the item's number
// in the part after it; lines.size() when none does.
std::size_t FindIdLine(const NotesLines& lines, const std::string& number, std::size_t from) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    std::size_t id = lines[i].find("<ID>");
    if (id != std::string::npos && lines[i].find(number, id + 4) != std::string::npos) return i;
  }
  return lines.size();
}

}  // namespace

int ClKessanshoXml::WriteNotesList(ClXmlWriter* writer) {
  if (!writer->WriteStartTag(kListDepth, kListElement)) return 0;
  int row = 0;
  while (row < kNoteItemRows && !IsClosingRow(row)) {
    row = WriteNoteItem(row, writer);
    if (row < 0) return 0;
  }
  return writer->WriteEndTag(kListDepth, kListElement) ? 1 : 0;
}

int ClKessanshoXml::WriteNoteItem(int row, ClXmlWriter* writer) {
  if (row < 0 || row >= kNoteItemRows) return kNoteItemRows;
  const NoteItem& item = NoteItemTable[row];
  if (IsClosingRow(row)) return kNoteItemRows;
  int end = row + 1;
  while (end < kNoteItemRows && !IsClosingRow(end) && NoteItemTable[end].level > item.level) {
    ++end;
  }

  bool groupOn = noteFlags_ != nullptr && item.group >= 0 && item.group < kNoteDisplayFlagCount &&
                 noteFlags_[item.group] != 0;
  if (groupOn && IsNoteShown(item.itemNumber) == 1) {
    if (!writer->WriteStartTag(item.level, item.name)) return -1;
    WriteNoteLines(item.itemNumber, item.level + 1, writer);
    int next = row + 1;
    while (next < end) {
      next = WriteNoteItem(next, writer);
      if (next < 0) return -1;
    }
    if (!writer->WriteEndTag(item.level, item.name)) return -1;
    return end;
  }
  // A hidden item has no tags and no lines. Its nested items are still
  // walked, so that the ones the user shows are written, each at its own
  // depth, in the element that encloses the hidden one.
  return row + 1;
}

int ClKessanshoXml::IsNoteShown(long itemNumber) const {
  if (notesLines_ == nullptr) return 0;
  const NotesLines& lines = *notesLines_;
  const std::string number = std::to_string(itemNumber);
  for (std::size_t i = FindIdLine(lines, number, 0); i < lines.size();
       i = FindIdLine(lines, number, i + 1)) {
    // The display setting stands three lines below the ID; an item laid out
    // otherwise does not decide, and the search goes on.
    if (i + 3 >= lines.size()) continue;
    std::size_t disp = lines[i + 3].find("<Disp>");
    if (disp == std::string::npos) continue;
    std::size_t at = disp + 6;
    return at < lines[i + 3].size() && lines[i + 3][at] == '1' ? 1 : 0;
  }
  return 0;
}

void ClKessanshoXml::WriteNoteLines(long itemNumber, int depth, ClXmlWriter* writer) {
  if (notesLines_ == nullptr) return;
  const NotesLines& lines = *notesLines_;
  const std::string number = std::to_string(itemNumber);
  std::size_t i = FindIdLine(lines, number, 0);
  if (i >= lines.size()) return;
  if (i + 4 >= lines.size() || lines[i + 4].find("<Value>") == std::string::npos) return;
  for (std::size_t k = i + 5; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    std::size_t open = line.find("<Line>");
    if (open == std::string::npos) break;
    // The text is the rest of the line with every "</Line>" taken out, in
    // one pass; a line of any length is written whole.
    noteText_.clear();
    std::string_view rest(line);
    rest.remove_prefix(open + 6);
    for (std::size_t close = rest.find("</Line>"); close != std::string_view::npos;
         close = rest.find("</Line>")) {
      noteText_.append(rest.substr(0, close));
      rest.remove_prefix(close + 7);
    }
    noteText_.append(rest);
    if (!writer->WriteElement(depth, "Line", noteText_.c_str())) break;
  }
}
