"""The run's edges: caller handles beside the system's own windows, caller
fields beyond the 32-bit range, and stderr that stays UTF-8 whatever bytes
the refused input held."""

import os
import unittest
from unittest import mock

import harness
from harness import BASIC_COMPANY, WorldTest

CANCEL = "click 1003\n"


class RawStderr:
    """Captures the raw stderr bytes of the runs made inside the block."""

    def __enter__(self):
        self.raw = []
        real = harness.subprocess.run

        def spy(*args, **kwargs):
            proc = real(*args, **kwargs)
            self.raw.append(proc.stderr)
            return proc

        self._patch = mock.patch.object(harness.subprocess, "run", spy)
        self._patch.start()
        return self

    def __exit__(self, *exc):
        self._patch.stop()


class CallerHandles(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(BASIC_COMPANY)

    def test_system_windows_never_take_the_callers_handle(self):
        # A run without a caller shows which handles the system's own windows get.
        r = self.w.run(args=[], script="set 1015 C:\\out\\a.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        own = {m["owner"]: m["ownerName"] for m in r.of("msgbox")}
        r = self.w.run(args=[], script=CANCEL)
        own.update({m["owner"]: m["ownerName"] for m in r.of("msgbox")})
        self.assertEqual(set(own.values()), {"conditions", "progress"})
        for handle in own:
            with self.subTest(handle=handle):
                self.w.caller_window(handle)
                r = self.w.run(args=[f"{handle},1025,7,C:\\out\\b.xml"], script="")
                self.assertEqual(r.status, 0, r.stderr)
                boxes = r.of("msgbox")
                self.assertTrue(boxes)
                for m in boxes:
                    self.assertNotEqual(m["owner"], handle)
                    self.assertEqual(m["ownerName"], "progress")
                self.assertEqual(self.w.datagrams(handle),
                                 ["enable 0", "foreground", "enable 1", "post 1025 7 0",
                                  "enable 1"])

    def test_fields_beyond_32_bits_saturate_as_the_callers_long(self):
        self.w.caller_window(2147483647)
        self.w.caller_window(-2147483648)
        cases = [
            ("99999999999,4294967295,7,", 2147483647, "post 2147483647 7 1"),
            ("-99999999999,-99999999999,99999999999,", -2147483648, "post -2147483648 -1 1"),
        ]
        for text, handle, post in cases:
            with self.subTest(text=text):
                r = self.w.run(args=[text], script=CANCEL)
                self.assertEqual(r.status, 1, r.stderr)
                self.assertEqual(self.w.datagrams(handle),
                                 ["enable 0", "foreground", "enable 1", post, "enable 1"])
                self.assertEqual([e["hwnd"] for e in r.of("enable")], [handle] * 3)


class StderrStaysUtf8(WorldTest):
    def check(self, raw, words):
        text = raw.decode("utf-8")  # strict: every byte is UTF-8
        for word in words:
            self.assertIn(word, text)
        self.assertIn("\ufffd", text)

    def test_command_line_that_is_not_utf8(self):
        self.w.make_db(BASIC_COMPANY)
        arg = os.fsdecode(b"1,2,3,C:\\\x83\\.xml")  # CP932 bytes, as a Windows caller has them
        with RawStderr() as spy:
            r = self.w.run(args=[arg])
        self.assertEqual(r.status, 2)
        self.check(spy.raw[0], ["command line", "not UTF-8", "1,2,3,C:\\"])
        self.assertEqual([e["ev"] for e in r.events], ["exit"])

    def test_answer_script_line_that_is_not_utf8(self):
        self.w.make_db(BASIC_COMPANY)
        script = self.w.root / "cp932.txt"
        script.write_bytes(b"# comment\nset 1015 C:\\\x95\\.xml\n")
        with RawStderr() as spy:
            r = self.w.run(env={"STMTLINK_UI_SCRIPT": str(script)})
        self.assertEqual(r.status, 2)
        self.check(spy.raw[0], ["line 2", "set 1015 C:\\"])
        self.assertEqual([e["ev"] for e in r.events], ["exit"])

    def test_engine_text_that_is_not_utf8(self):
        self.w.make_db(BASIC_COMPANY + """
INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start, period_end)
  VALUES (2, 'D0002', 2, CAST(x'41ff42' AS TEXT), 20240101, 20241231);""")
        self.w.caller_window(5)
        with RawStderr() as spy:
            r = self.w.run(args=["5,1025,7,C:\\out\\a.xml"])
        self.assertEqual(r.status, 3)
        self.check(spy.raw[0], [str(self.w.db_path), "company_name"])
        self.assertEqual(self.w.datagrams(5), [])
        self.assertEqual(list(self.w.out.iterdir()), [])
        self.assertEqual(r.events[-1], {"ev": "exit", "status": 3, "runResult": 0})


if __name__ == "__main__":
    unittest.main()
