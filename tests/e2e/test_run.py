"""The run from start to exit: engine calls, the caller protocol, the
compatibility check and the exit status."""

import unittest

from harness import BASIC_COMPANY, WorldTest

CANCEL = "click 1003\n"

ENV_INVALID = ("動作環境が不正です。\n"
               "Zeimarkが正しくインストールされているか確認してください。")
TOO_OLD = ("ご利用の連動コンポーネントは、インストールされているZeimarkでは使用できません。\n"
           "Zeimarkの最新版を入手してインストールしてからご利用ください。")
TOO_NEW = ("ご利用の連動コンポーネントは、インストールされているZeimarkでは使用できません。\n"
           "連動コンポーネントの最新版を入手してインストールしてからご利用ください。")
CANCELLED = "｢決算書｣の集計を中止します。"


class EngineAndExit(WorldTest):
    def test_cancelled_run_calls_the_engine_in_order(self):
        self.w.make_db(BASIC_COMPANY)
        r = self.w.run(script=CANCEL)
        self.assertEqual(r.status, 1, r.stderr)
        self.assertEqual(r.engine_calls(), [("Initiate", 0), ("ExpSysLink", 0), ("LogOut", 0),
                                            ("Terminate", 0), ("Release", 0)])
        self.assertEqual(r.events[-1], {"ev": "exit", "status": 1, "runResult": 1})
        self.assertEqual(r.msgboxes(), [(CANCELLED, "conditions")])

    def test_failed_initiate_reads_no_command_line(self):
        self.w.make_db(BASIC_COMPANY + "INSERT INTO engine_settings VALUES ('initiate_result', 5);")
        self.w.caller_window(1234)
        r = self.w.run(args=["1234,1025,7,C:\\out\\a.xml"])
        self.assertEqual(r.status, 3)
        self.assertEqual([c for c, _ in r.engine_calls()],
                         ["Initiate", "LogOut", "Terminate", "Release"])
        self.assertEqual(r.of("enable") + r.of("post"), [])
        self.assertEqual(self.w.datagrams(1234), [])
        self.assertEqual(r.events[-1]["status"], 3)

    def test_missing_database_is_named_on_stderr(self):
        r = self.w.run()
        self.assertEqual(r.status, 3)
        self.assertIn(str(self.w.db_path), r.stderr)
        self.assertEqual(r.of("dialog-open"), [])

    def test_refused_connection_is_explained(self):
        self.w.make_db(BASIC_COMPANY + "INSERT INTO engine_settings VALUES ('initiate_result', 5);")
        r = self.w.run()
        self.assertEqual(r.status, 3)
        self.assertIn("the engine refused the connection (result 5)", r.stderr)

    def test_expsyslink_results(self):
        for value, status in ((1, 1), (2, 2), (-1, 2)):
            with self.subTest(value=value):
                self.w.make_db(BASIC_COMPANY +
                               f"INSERT INTO engine_settings VALUES ('expsyslink_result', {value});")
                self.w.caller_window(77) if 77 not in self.w.sockets else None
                r = self.w.run(args=["77,1025,5,"])  # an empty output path: still a caller link
                self.assertEqual(r.status, status)
                self.assertEqual(r.of("dialog-open"), [])
                self.assertEqual(self.w.datagrams(77),
                                 ["enable 0", "foreground", "enable 1",
                                  f"post 1025 5 {status}", "enable 1"])


class CallerLink(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(BASIC_COMPANY)

    def test_accepted_link_disables_and_posts_the_result(self):
        self.w.caller_window(1234)
        r = self.w.run(args=["1234,1025,7,C:\\out\\a.xml"], script=CANCEL)
        self.assertEqual(r.status, 1)
        self.assertEqual(self.w.datagrams(1234),
                         ["enable 0", "foreground", "enable 1", "post 1025 7 1", "enable 1"])
        self.assertEqual(r.of("post"), [{"ev": "post", "hwnd": 1234, "msg": 1025, "wparam": 7,
                                         "lparam": 1}])
        wait = r.of("dialog-wait")[0]
        self.assertEqual(wait["controls"]["1015"]["text"], "C:\\out\\a.xml")
        self.assertFalse(wait["controls"]["1015"]["enabled"])

    def test_wparam_above_32767_is_posted_sign_extended(self):
        self.w.caller_window(9)
        self.w.run(args=["9,1025,40000,"], script=CANCEL)
        self.assertEqual(self.w.datagrams(9)[3], "post 1025 -25536 1")

    def test_command_line_forms(self):
        cases = [
            # text, posted (hwnd, wparam) or None, fixed output path
            ("1234,1025,7", None, None),
            ("1234,1025,7,", (1234, 7), None),
            ("1234,1025,,C:\\out\\x.xml", (1234, 0), "C:\\out\\x.xml"),
            ("1234,1025,3,C:\\a,b.xml", (1234, 3), "C:\\a,b.xml"),
            ("0,1025,7,C:\\out\\x.xml", (0, 7), "C:\\out\\x.xml"),
            ("abc,def,ghi,C:\\out\\x.xml", (0, 0), "C:\\out\\x.xml"),
            ("", None, None),
        ]
        for text, posted, path in cases:
            with self.subTest(text=text):
                r = self.w.run(args=[text] if text else [], script=CANCEL)
                self.assertEqual(r.status, 1, r.stderr)
                posts = r.of("post")
                if posted is None:
                    self.assertEqual(posts, [])
                    self.assertEqual(r.of("enable"), [])
                else:
                    self.assertEqual([(p["hwnd"], p["wparam"], p["lparam"]) for p in posts],
                                     [(posted[0], posted[1], 1)])
                edit = r.of("dialog-wait")[0]["controls"]["1015"]
                if path is None:
                    self.assertTrue(edit["enabled"])
                else:
                    self.assertEqual(edit["text"], path)
                    self.assertFalse(edit["enabled"])

    def test_long_output_path_is_taken_whole(self):
        path = "C:\\out\\" + "d" * 300 + "\\x.xml"
        r = self.w.run(args=["5,1025,1," + path], script=CANCEL)
        self.assertEqual(r.of("dialog-wait")[0]["controls"]["1015"]["text"], path)

    def test_character_without_cp932_form_is_refused(self):
        r = self.w.run(args=["1,2,3,C:\\out\\\U0001F600.xml"])
        self.assertEqual(r.status, 2)
        self.assertIn("CP932", r.stderr)
        self.assertEqual([e["ev"] for e in r.events], ["exit"])


class Compatibility(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(BASIC_COMPANY)
        self.ini = self.w.program / "ZeimarkDef.ini"

    def check(self, content, expected):
        if content is None:
            self.ini.unlink(missing_ok=True)
        else:
            self.ini.write_bytes(content)
        if 4321 in self.w.sockets:
            self.w.datagrams(4321)  # drain the last run's messages
        else:
            self.w.caller_window(4321)
        r = self.w.run(args=["4321,1025,7,C:\\out\\a.xml"], script=CANCEL)
        if expected is None:
            self.assertEqual(r.status, 1, r.stderr)  # passed the check, cancelled later
            self.assertEqual(len(r.of("dialog-open")), 1)
            return
        self.assertEqual(r.status, 2)
        self.assertEqual(r.msgboxes(), [(expected, "caller")])
        box = r.of("msgbox")[0]
        self.assertEqual((box["owner"], box["caption"], box["buttons"], box["icon"]),
                         (4321, "決算書", "ok", "exclamation"))
        self.assertEqual(self.w.datagrams(4321)[-2], "post 1025 7 2")
        self.assertEqual([c for c, _ in r.engine_calls()],
                         ["Initiate", "LogOut", "Terminate", "Release"])

    def test_levels(self):
        cases = [
            (None, ENV_INVALID),
            (b"[ProgramLevel]\r\nQX71=\r\n", ENV_INVALID),
            (b"[Other]\r\nQX71=3\r\n", TOO_OLD),
            (b"[ProgramLevel]\r\nQX70=3\r\n", TOO_OLD),
            (b"[ProgramLevel]\r\nQX71=2\r\n", TOO_OLD),
            (b"[ProgramLevel]\r\nQX71=abc\r\n", TOO_OLD),
            (b"[ProgramLevel]\r\nQX71=-3\r\n", TOO_OLD),
            (b"[ProgramLevel]\r\nQX71=4\r\n", TOO_NEW),
            (b"[ProgramLevel]\r\nQX71=10\r\n", TOO_NEW),
            (b"[ProgramLevel]\r\nQX71=3\r\n", None),
            (b"[programlevel]\r\nqx71=003\r\n", None),
            (b"[ProgramLevel]\r\nQX71=+3\r\n", None),
            (b"[ProgramLevel]\r\nQX71=3.5\r\n", None),
            (b"[ProgramLevel]\r\nQX71=3abc\r\n", None),
            (b"", TOO_OLD),
            (b"\xff\xfe garbage \x00\x01", TOO_OLD),
        ]
        for content, expected in cases:
            with self.subTest(content=content):
                self.check(content, expected)

    def test_partial_link_owns_the_message_but_gets_nothing_posted(self):
        self.ini.unlink()
        self.w.caller_window(1234)
        r = self.w.run(args=["1234,1025,7"])
        self.assertEqual(r.status, 2)
        box = r.of("msgbox")[0]
        self.assertEqual((box["owner"], box["ownerName"]), (1234, "caller"))
        self.assertEqual(self.w.datagrams(1234), [])

    def test_without_caller_the_message_has_no_owner(self):
        self.ini.unlink()
        r = self.w.run()
        box = r.of("msgbox")[0]
        self.assertEqual((box["owner"], box["ownerName"]), (None, None))

    def test_package_name_replaces_the_token(self):
        self.ini.unlink()
        self.w.make_db(BASIC_COMPANY +
                       "INSERT INTO engine_settings VALUES ('package_name', '税務パック');")
        r = self.w.run()
        self.assertEqual(r.of("msgbox")[0]["text"], ENV_INVALID.replace("Zeimark", "税務パック"))


class HostRefusals(WorldTest):
    def test_malformed_script_is_refused_before_the_run(self):
        self.w.make_db(BASIC_COMPANY)
        r = self.w.run(script="click 1002\nfrobnicate 12\n")
        self.assertEqual(r.status, 2)
        self.assertIn("2", r.stderr)
        self.assertEqual([e["ev"] for e in r.events], ["exit"])

    def test_program_folder_must_exist_on_a_mapped_drive(self):
        self.w.make_db(BASIC_COMPANY)
        for env, text in (({"STMTLINK_PROGRAM_DIR": str(self.w.root / "missing")},
                           "STMTLINK_PROGRAM_DIR"),
                          ({"STMTLINK_PROGRAM_DIR": str(self.w.root)}, "STMTLINK_DRIVES")):
            with self.subTest(env=env):
                r = self.w.run(env=env)
                self.assertEqual(r.status, 2)
                self.assertIn(text, r.stderr)
                self.assertEqual([e["ev"] for e in r.events], ["exit"])

    def test_bad_drive_map_is_refused(self):
        self.w.make_db(BASIC_COMPANY)
        r = self.w.run(env={"STMTLINK_DRIVES": "C=floppy:/"})
        self.assertEqual(r.status, 2)
        self.assertIn("STMTLINK_DRIVES", r.stderr)


if __name__ == "__main__":
    unittest.main()
