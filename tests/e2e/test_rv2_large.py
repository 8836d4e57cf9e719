"""A company with more accounts than a 16-bit counter can walk: every account
the engine counts reaches the document, and the run's progress counts them."""

import sqlite3
import unittest

import company_a
from harness import WorldTest

YEN = 10000
COUNT = 40000
SCRIPT = "set 1015 C:\\out\\large.xml\n"

# Accounts with amounts, by their position in the engine's order. The rest are
# empty current assets: read, listed, but with no line in the document.
# seq: (name, side, category, kind, slot 0 debit, slot 0 credit, slot 1 credit)
WITH_AMOUNTS = {
    1: ("最初", 1, 0x80880010, 0, 1 * YEN, 0, 0),
    32768: ("三万二千七百六十八", 1, 0x80880010, 0, 2 * YEN, 0, 0),
    32769: ("三万二千七百六十九", 1, 0x80880010, 0, 3 * YEN, 0, 0),
    39998: ("売上", 2, 0x40888010, 0, 0, 0, 700 * YEN),
    39999: ("当期純利益", 2, 0x40200040, 2, 0, 0, 700 * YEN),
    COUNT: ("繰越利益剰余金", 2, 0x80281048, 0, 0, 50 * YEN, 700 * YEN),
}


class LargeCompany(WorldTest):
    def test_every_account_is_read(self):
        self.w.make_db(
            "INSERT INTO engine_settings VALUES ('current_user', 'u1');"
            "INSERT INTO users VALUES ('u1', 0, 1);"
            "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start,"
            " period_end) VALUES (1, 'L1', 1, 'L', 20240101, 20241231);")
        con = sqlite3.connect(self.w.db_path)
        accounts, amounts = [], []
        for seq in range(1, COUNT + 1):
            name, side, category, kind, d0, c0, c1 = WITH_AMOUNTS.get(
                seq, ("空%d" % seq, 1, 0x80880020, 0, 0, 0, 0))
            accounts.append(("L1", seq, seq * 10, name, "", kind, side, category))
            if seq in WITH_AMOUNTS:
                amounts.append(("L1", seq, 1, 0, d0, c0))
                amounts.append(("L1", seq, 1, 1, 0, c1))
        con.executemany("INSERT INTO accounts VALUES (?, ?, ?, ?, ?, ?, ?, ?)", accounts)
        con.executemany("INSERT INTO account_amounts VALUES (?, ?, ?, ?, ?, ?)", amounts)
        con.commit()
        con.close()

        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        doc = (self.w.out / "large.xml").read_bytes().decode("cp932")
        self.assertIn(company_a.lines(
            (4, "<CurrentAssets>"),
            (5, '<Item Label="最初">1</Item>'),
            (5, '<Item Label="三万二千七百六十八">2</Item>'),
            (5, '<Item Label="三万二千七百六十九">3</Item>'),
            (4, "</CurrentAssets>")), doc)
        self.assertIn(company_a.lines(
            (3, "<NetSales>"),
            (4, '<Item Label="売上">700</Item>'),
            (3, "</NetSales>")), doc)
        self.assertIn(company_a.lines(
            (3, '<NetIncome Label="当期純利益" Amount="700"></NetIncome>'),
            (2, "</IncomeStatement>"),
            (2, "<StatementChangesNetAssets>"),
            (3, "<Select>1</Select>"),
            (3, "<ChangesNetAssetsItem>"),
            (4, "<AccountList>繰越利益剰余金</AccountList>"),
            (4, "<BalanceEndPreviousPeriod>50</BalanceEndPreviousPeriod>"),
            (4, "<ChangesItemsDuringPeriod>"),
            (5, "<TotalChangesItemsDuringPeriod>700</TotalChangesItemsDuringPeriod>"),
            (5, "<ChangesItem>"),
            (6, "<Reason>当期純利益</Reason>"),
            (6, "<Amount>700</Amount>"),
            (5, "</ChangesItem>"),
            (4, "</ChangesItemsDuringPeriod>"),
            (4, "<BalanceEndCurrentPeriod>750</BalanceEndCurrentPeriod>"),
            (3, "</ChangesNetAssetsItem>"),
            (2, "</StatementChangesNetAssets>")), doc)
        # One tick per account read, besides the 1007 bar positions and the
        # fourteen of the header sections.
        self.assertEqual(r.of("progress-close"),
                         [{"ev": "progress-close", "steps": 1007, "ticks": 1007 + COUNT + 14}])


if __name__ == "__main__":
    unittest.main()
