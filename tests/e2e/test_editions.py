"""The three editions: settings files and keys, version blocks and icons."""

import unittest

import company_a
from harness import BIN, WorldTest, cp

SCRIPT = "set 1015 C:\\out\\e.xml\n"


class Editions(WorldTest):
    def test_each_edition_remembers_in_its_own_file(self):
        self.w.make_db(company_a.sql().replace("VALUES ('u1', 0, 1)", "VALUES ('u1', 42, 1)"))
        for edition in ("birch", "cedar", "maple"):
            r = self.w.run(edition=edition, script=SCRIPT)
            self.assertEqual(r.status, 0, r.stderr)
        files = {p.name: p.read_bytes() for p in self.w.settings.iterdir()}
        self.assertEqual(files, {
            "stmtlink-birch.env": cp("u1/A0001:4/3/1/C:\\out\\e.xml\n"),
            "stmtlink-cedar.env": cp("u1/42/A0001:4/3/1/C:\\out\\e.xml\n"),
            "stmtlink-maple.env": cp("u1/A0001:4/3/1/C:\\out\\e.xml\n"),
        })

    def test_cedar_keys_never_match_the_other_editions_lines(self):
        self.w.make_db(company_a.sql())
        self.w.settings.mkdir()
        (self.w.settings / "stmtlink-cedar.env").write_bytes(cp("u1/A0001:7/9/2/C:\\out\\b.xml\n"))
        r = self.w.run(edition="cedar", script="click 1003\n")
        c = r.of("dialog-wait")[0]["controls"]
        self.assertEqual((c["1016"]["text"], c["1000"]["text"]), ("4", "3"))

    def test_version_blocks_and_icons(self):
        for edition, title in (("birch", "Ledgora２２"), ("cedar", "Ledgora２２ Cedar"),
                               ("maple", "Ledgora２２ Maple")):
            with self.subTest(edition=edition):
                text = (BIN / f"stmtlink-{edition}.version").read_text(encoding="utf-8")
                fields = dict(line.split("=", 1) for line in text.splitlines())
                self.assertEqual(fields["InternalName"], f"stmtlink-{edition}")
                self.assertEqual(fields["OriginalFilename"], f"stmtlink-{edition}.exe")
                self.assertEqual(fields["FileVersion"], "22.03.00")
                self.assertEqual(fields["ProductVersion"], "22.03.00")
                self.assertEqual(fields["FILEVERSION"], "22.3.0.0")
                self.assertEqual(fields["Translation"], "0x0411 0x04B0")
                self.assertEqual(fields["FileDescription"], fields["ProductName"])
                self.assertTrue(fields["ProductName"].endswith(" " + title))
                self.assertTrue(fields["Comments"].endswith("連動コンポーネント"))
                icon = (BIN / f"stmtlink-{edition}.ico").read_bytes()
                count = 4 if edition == "maple" else 7
                self.assertEqual(icon[:6], bytes((0, 0, 1, 0, count, 0)))


if __name__ == "__main__":
    unittest.main()
