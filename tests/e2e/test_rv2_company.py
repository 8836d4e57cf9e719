"""A company kept with consumption tax (the second amount set), aggregated over
a window inside the year: the opening rules of balance-sheet and income
statement accounts, with and without an introduction month, and an overflow of
a closing balance that must not become a document."""

import unittest

from company_a import lines
from harness import WorldTest, cp

YEN = 10000
SCRIPT = "set 1016 4\nset 1000 9\nset 1015 C:\\out\\b.xml\nanswer yes\n"
AGGREGATION_FAILED = "勘定科目の集計に失敗しました。\n\nアプリケーションを終了します。"

# seq, key, name, name2, kind, side, category,
# set-2 amounts {slot: (debit, credit)}; set 1 holds decoys that must not count.
ACCOUNTS = [
    (1, 1110000, "現金", "", 0, 1, 0x80880010,
     {0: (100 * YEN, 0), 2: (10 * YEN, 0), 3: (0, 5 * YEN), 4: (20 * YEN, 0), 9: (1 * YEN, 0),
      10: (1000 * YEN, 0), 13: (500 * YEN, 0)}),
    (2, 4110000, "売上", "", 0, 2, 0x40888010,
     {0: (0, 300 * YEN), 3: (0, 7 * YEN), 4: (0, 40 * YEN), 9: (0, 2 * YEN)}),
    (3, 2110000, "買掛金", "", 0, 2, 0x80480010, {0: (0, 50 * YEN), 5: (80 * YEN, 0)}),
    (4, 1190000, "集計外", "", 1, 1, 0x80880020, {0: (9 * YEN, 0)}),
    (5, 9800000, "当期純利益", "当期純利益（損失）", 2, 2, 0x40200040, {4: (0, 42 * YEN)}),
    (6, 3210000, "繰越利益剰余金", "", 0, 2, 0x80281048, {0: (0, 1000 * YEN), 6: (0, 42 * YEN)}),
]


def company_sql(intro=0, extra_accounts=()):
    out = [
        "INSERT INTO engine_settings VALUES ('current_user', 'u1');",
        "INSERT INTO users VALUES ('u1', 0, 1);",
        "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start,"
        " period_end, intro_month_index, tax_flag) VALUES (1, 'B0001', 1, '株式会社ビー',"
        f" 20240101, 20241231, {intro}, 1);",
    ]
    for seq, key, name, name2, kind, side, cat, amounts in list(ACCOUNTS) + list(extra_accounts):
        out.append("INSERT INTO accounts VALUES ('B0001', %d, %d, '%s', '%s', %d, %d, %d);" %
                   (seq, key, name, name2, kind, side, cat))
        for slot, (d, c) in amounts.items():
            out.append("INSERT INTO account_amounts VALUES ('B0001', %d, 2, %d, %d, %d);" %
                       (seq, slot, d, c))
            out.append("INSERT INTO account_amounts VALUES ('B0001', %d, 1, %d, %d, %d);" %
                       (seq, slot, d + 7777 * YEN, c))
    return "\n".join(out)


def data_section(sales):
    empty = lambda depth, element: [(depth, f"<{element}>"), (depth, f"</{element}>")]
    return lines(
        (1, "<DATA>"),
        (2, "<BalanceSheet>"),
        (3, "<Assets>"),
        (4, "<CurrentAssets>"),
        # 100 + 10 - 5 before April, + 20 + 1 in April to September.
        (5, '<Item Label="現金">126</Item>'),
        (4, "</CurrentAssets>"),
        (4, "<NoncurrentAssets>"),
        *empty(5, "PropertyPlantAndEquipment"),
        *empty(5, "IntangibleAssets"),
        *empty(5, "InvestmentsAndOtherAssets"),
        (4, "</NoncurrentAssets>"),
        *empty(4, "DeferredAssets"),
        (3, "</Assets>"),
        (3, "<Liabilities>"),
        (4, "<CurrentLiabilities>"),
        (5, '<Item Label="買掛金">-30</Item>'),
        (4, "</CurrentLiabilities>"),
        *empty(4, "NoncurrentLiabilities"),
        (3, "</Liabilities>"),
        (3, "<NetAssets>"),
        (4, '<Item Label="繰越利益剰余金">1042</Item>'),
        (3, "</NetAssets>"),
        (2, "</BalanceSheet>"),
        (2, "<IncomeStatement>"),
        (3, "<NetSales>"),
        (4, f'<Item Label="売上">{sales}</Item>'),
        (3, "</NetSales>"),
        *empty(3, "CostOfSales"),
        *empty(3, "SellingGeneralAndAdministrativeExpenses"),
        *empty(3, "NonOperatingIncome"),
        *empty(3, "NonOperatingExpenses"),
        *empty(3, "ExtraordinaryIncome"),
        *empty(3, "ExtraordinaryLoss"),
        *empty(3, "IncomeTaxes"),
        (3, '<NetIncome Label="当期純利益損失" Amount="42"></NetIncome>'),
        (2, "</IncomeStatement>"),
        (2, "<StatementChangesNetAssets>"),
        (3, "<Select>1</Select>"),
        (3, "<ChangesNetAssetsItem>"),
        (4, "<AccountList>繰越利益剰余金</AccountList>"),
        (4, "<BalanceEndPreviousPeriod>1000</BalanceEndPreviousPeriod>"),
        (4, "<ChangesItemsDuringPeriod>"),
        (5, "<TotalChangesItemsDuringPeriod>42</TotalChangesItemsDuringPeriod>"),
        (5, "<ChangesItem>"),
        (6, "<Reason>当期純利益</Reason>"),
        (6, "<Amount>42</Amount>"),
        (5, "</ChangesItem>"),
        (4, "</ChangesItemsDuringPeriod>"),
        (4, "<BalanceEndCurrentPeriod>1042</BalanceEndCurrentPeriod>"),
        (3, "</ChangesNetAssetsItem>"),
        (2, "</StatementChangesNetAssets>"),
        (1, "</DATA>"),
    )


class WindowInsideTheYear(WorldTest):
    def document(self):
        return (self.w.out / "b.xml").read_bytes()

    def data_of(self, doc):
        start = doc.index(cp("\t<DATA>\r\n"))
        end = doc.index(cp("\t</DATA>\r\n")) + len(cp("\t</DATA>\r\n"))
        return doc[start:end]

    def test_income_statement_opening_by_introduction_month(self):
        # Without an introduction month a window from April leaves slot 0 out
        # of income-statement accounts; from introduction month 4 on it is in.
        for intro, sales in ((0, 42), (4, 342)):
            with self.subTest(intro=intro):
                self.w.make_db(company_sql(intro=intro))
                r = self.w.run(script=SCRIPT)
                self.assertEqual(r.status, 0, r.stderr)
                self.assertEqual(self.data_of(self.document()), cp(data_section(sales)))
                self.assertTrue(self.document().endswith(cp("\t</DATA>\r\n</REPORT>\r\n")))

    def test_overflowing_closing_keeps_the_previous_document(self):
        # 6 x 10^17 brought forward and 4 x 10^17 in the window: the closing
        # reaches 10^18 ten-thousandths, the limit of the guarded sum.
        huge = (7, 1200000, "巨額", "", 0, 1, 0x80880030,
                {0: (600000000000000000, 0), 5: (400000000000000000, 0)})
        self.w.make_db(company_sql(extra_accounts=[huge]))
        target = self.w.out / "b.xml"
        target.write_bytes(b"previous document")
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 2, r.stderr)
        self.assertEqual(r.msgboxes()[-1], (AGGREGATION_FAILED, "progress"))
        self.assertEqual(target.read_bytes(), b"previous document")
        self.assertEqual(list(self.w.out.iterdir()), [target])
        self.assertFalse((self.w.settings / "stmtlink-birch.env").exists())
        self.assertEqual(r.events[-1], {"ev": "exit", "status": 2, "runResult": 2})

        # One ten-thousandth less is a closing the document can carry.
        huge[7][5] = (400000000000000000 - 1, 0)
        self.w.make_db(company_sql(extra_accounts=[huge]))
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertIn(cp('<Item Label="巨額">99999999999999</Item>'), self.document())


if __name__ == "__main__":
    unittest.main()
