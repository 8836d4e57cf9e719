"""Whole runs that write the document: bytes of the document, the settings
file and the journal."""

import unittest

import company_a
from harness import WorldTest, cp

SUCCESS = "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"
WRITE_FAILED = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。"
AGGREGATION_FAILED = "勘定科目の集計に失敗しました。\n\nアプリケーションを終了します。"

SCRIPT = "click 1020\nset 1015 C:\\out\\report.xml\n"


class CompanyA(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(company_a.sql())
        self.target = self.w.out / "report.xml"
        self.settings = self.w.settings / "stmtlink-birch.env"

    def test_document_settings_and_journal(self):
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.target.read_bytes(), company_a.document(kind=2))
        self.assertEqual(list(self.w.out.iterdir()), [self.target])
        self.assertEqual(self.settings.read_bytes(), cp("u1/A0001:4/3/2/C:\\out\\report.xml\n"))
        self.assertEqual(r.msgboxes(), [(company_a.WARNING, "progress"), (SUCCESS, "progress")])
        self.assertEqual(len(r.of("caption")), 107)
        self.assertEqual(r.of("caption")[-1]["text"], "集計中 100％")
        close = r.of("progress-close")
        # 1007 bar positions, one tick per account read (kind 1 included) and
        # fourteen from the header sections.
        self.assertEqual(close, [{"ev": "progress-close", "steps": 1007,
                                  "ticks": 1007 + len(company_a.ACCOUNTS) + 14}])
        self.assertEqual(r.events[-1], {"ev": "exit", "status": 0, "runResult": 0})
        ends = r.of("dialog-end")
        self.assertEqual([(e["id"], e["result"]) for e in ends], [(130, 1002), (131, 1)])

    def test_cost_schedule_with_the_manufacturing_flag(self):
        self.w.make_db(company_a.sql(mfg=1, extra_rows=company_a.COST_ACCOUNTS))
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.target.read_bytes(),
                         company_a.document(kind=2, cos="F3",
                                            cost_schedule=company_a.COST_SCHEDULE))

    def test_fallbacks_without_support_inf(self):
        (self.w.program / "SUPPORT.INF").unlink()
        for edition, name in (("birch", "Ledgora２２"), ("cedar", "Ledgora２２ Cedar"),
                              ("maple", "Ledgora２２ Maple")):
            with self.subTest(edition=edition):
                r = self.w.run(edition=edition, script=SCRIPT)
                self.assertEqual(r.status, 0, r.stderr)
                self.assertEqual(self.target.read_bytes(),
                                 company_a.document(kind=2, pname=name, pver="22.03.0X"))

    def test_caller_wparam_is_the_function_id(self):
        self.w.caller_window(55)
        r = self.w.run(args=["55,1025,65535,C:\\out\\caller.xml"])
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual((self.w.out / "caller.xml").read_bytes(),
                         company_a.document(kind=1, fid=-1))
        self.assertEqual(self.w.datagrams(55)[-2], "post 1025 -1 0")
        # The caller's path is never remembered.
        self.assertEqual(self.settings.read_bytes(), cp("u1/A0001:4/3/1/\n"))

    def test_write_failure_keeps_the_previous_document(self):
        self.target.write_bytes(b"previous document")
        r = self.w.run(script=SCRIPT + "answer yes\n", env={"STMTLINK_FAULTS": "write-after=2000"})
        self.assertEqual(r.status, 2, r.stderr)
        self.assertEqual(self.target.read_bytes(), b"previous document")
        self.assertEqual(list(self.w.out.iterdir()), [self.target])
        self.assertEqual(r.msgboxes()[-1], (WRITE_FAILED, "progress"))
        self.assertFalse(self.settings.exists())
        self.assertEqual(r.events[-1], {"ev": "exit", "status": 2, "runResult": 2})

    def test_failed_aggregation_writes_nothing(self):
        cases = [
            ("movenext", "INSERT INTO engine_settings VALUES ('movenext_error_at', 5);", None),
            ("sumcount", "INSERT INTO engine_settings VALUES ('sumcount_result', 3);", None),
            ("alloc", "", "alloc=AccountSum@4"),
            # The fourth period object of the run is the search window's.
            ("period", "", "alloc=ClLdgPeriod@4"),
        ]
        for name, extra, faults in cases:
            with self.subTest(name=name):
                self.w.make_db(company_a.sql() + extra)
                r = self.w.run(script=SCRIPT, env={"STMTLINK_FAULTS": faults} if faults else None)
                self.assertEqual(r.status, 2, r.stderr)
                self.assertEqual(r.msgboxes(), [(AGGREGATION_FAILED, "progress")])
                self.assertEqual(list(self.w.out.iterdir()), [])
                self.assertFalse(self.settings.exists())
                self.assertEqual(len(r.of("progress-close")), 1)

    def test_early_end_of_accounts_is_no_failure(self):
        self.w.make_db(company_a.sql() + "INSERT INTO engine_settings VALUES ('sum_count', 1000);")
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.target.read_bytes(), company_a.document(kind=2))


if __name__ == "__main__":
    unittest.main()
