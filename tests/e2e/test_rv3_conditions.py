"""The conditions dialog of the real programs on drives of every type, network
shares, caller paths and settings files shared by several users and editions."""

import unittest

from harness import BASIC_COMPANY, WorldTest, cp

BAD_CHARS = "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"
BAD_DRIVE = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。"
NO_FOLDER = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？"
FOLDER_FAILED = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。"
CANCELLED = "｢決算書｣の集計を中止します。"
SUCCESS = "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"


def company(user="u1", first=0):
    return BASIC_COMPANY.replace("'u1', 0, 1", "'%s', %d, 1" % (user, first)).replace(
        "'u1'", "'%s'" % user)


class DrivesAndShares(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(company())
        for d in ("d", "e", "f", "g", "r", "share"):
            (self.w.root / d).mkdir()
        r = self.w.root
        self.w.env_extra["STMTLINK_DRIVES"] = ";".join([
            "C=fixed:%s" % self.w.c, "D=cdrom:%s" % (r / "d"), "E=ramdisk:%s" % (r / "e"),
            "F=removable:%s" % (r / "f"), "G=unknown:%s" % (r / "g"),
            "R=remote:%s" % (r / "r")])
        self.w.env_extra["STMTLINK_SHARES"] = "\\\\SRV\\SHARE=%s" % (r / "share")

    def run_path(self, path, answers=""):
        return self.w.run(script="set 1015 %s\n%s" % (path, answers))

    def test_drive_check_by_type_and_share(self):
        cases = [
            ("\\\\SRV\\SHARE\\a.xml", [SUCCESS], "share/a.xml"),
            ("\\\\srv\\share\\b.xml", [SUCCESS], "share/b.xml"),
            ("\\\\SRV\\a.xml", [BAD_DRIVE, CANCELLED], None),  # no share
            ("\\\\SRV\\OTHER\\a.xml", [BAD_DRIVE, CANCELLED], None),
            ("\\\\SRV\\SHARE\\\\a.xml", [BAD_CHARS, CANCELLED], None),
            ("D:\\a.xml", [BAD_DRIVE, CANCELLED], None),
            ("E:\\a.xml", [BAD_DRIVE, CANCELLED], None),
            ("G:\\a.xml", [BAD_DRIVE, CANCELLED], None),
            ("F:\\a.xml", [SUCCESS], "f/a.xml"),
            ("R:\\a.xml", [SUCCESS], "r/a.xml"),
            ("1:\\a.xml", [BAD_DRIVE, CANCELLED], None),
            ("\\out\\a.xml", [BAD_DRIVE, CANCELLED], None),  # no drive letter
            # No volume behind the letter: met only by the folder creation.
            ("Q:\\x\\a.xml", [NO_FOLDER, FOLDER_FAILED, CANCELLED], None),
        ]
        for path, boxes, written in cases:
            with self.subTest(path=path):
                r = self.run_path(path, "answer yes\n")
                self.assertEqual([t for t, _ in r.msgboxes()], boxes)
                if written is None:
                    self.assertEqual(r.status, 1)
                    self.assertEqual(r.of("dialog-wait")[-1]["focus"], 1015)
                else:
                    self.assertEqual(r.status, 0, r.stderr)
                    self.assertTrue((self.w.root / written).is_file())

    def test_folders_on_a_share(self):
        # Trail bytes 0x5C in folder names: each level is created.
        r = self.run_path("\\\\SRV\\SHARE\\表\\ソ\\x.xml", "answer yes\n")
        self.assertEqual([t for t, _ in r.msgboxes()], [NO_FOLDER, SUCCESS])
        self.assertTrue((self.w.root / "share" / "表" / "ソ" / "x.xml").is_file())
        # A level that cannot be made: the levels made before it go again.
        r = self.w.run(script="set 1015 \\\\SRV\\SHARE\\n1\\n2\\c\\x.xml\nanswer yes\n",
                       env={"STMTLINK_FAULTS": "mkdir=\\c\\"})
        self.assertEqual([t for t, _ in r.msgboxes()], [NO_FOLDER, FOLDER_FAILED, CANCELLED])
        self.assertEqual(sorted(p.name for p in (self.w.root / "share").iterdir()), ["表"])


class SettingsAcrossRuns(WorldTest):
    def settings(self, edition="birch"):
        return self.w.settings / ("stmtlink-%s.env" % edition)

    def opened(self, r):
        c = r.of("dialog-wait")[0]["controls"]
        return (c["1016"]["text"], c["1000"]["text"], c["1020"]["checked"], c["1015"]["text"])

    def test_caller_path_keeps_the_remembered_one(self):
        self.w.make_db(company())
        self.w.settings.mkdir()
        self.settings().write_bytes(cp("u1/D0001:3/4/2/C:\\out\\mine.xml\n"))
        (self.w.out / "given.xml").write_bytes(b"old")
        r = self.w.run(args=["0,1025,3,C:\\out\\given.xml"],
                       script="set 1016 2\nset 1000 11\nclick 1019\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual([t for t, _ in r.msgboxes()], [SUCCESS])  # no overwrite question
        self.assertNotEqual((self.w.out / "given.xml").read_bytes(), b"old")
        self.assertEqual(self.settings().read_bytes(), cp("u1/D0001:2/11/1/C:\\out\\mine.xml\n"))
        # Without the caller the remembered path is offered again.
        r = self.w.run(script="click 1003\n")
        self.assertEqual(self.opened(r), ("2", "11", False, "C:\\out\\mine.xml"))

    def test_users_1_and_11_in_a_large_file(self):
        self.w.settings.mkdir()
        filler = b"".join(b"x%05d/D0001:1/12/1/C:\\f.xml\n" % i for i in range(3000))
        tail = cp("11/D0001:6/7/2/C:\\out\\eleven.xml")  # last line, no line feed
        self.settings().write_bytes(filler + tail)
        self.w.make_db(company("1"))
        r = self.w.run(script="set 1016 5\nset 1015 C:\\out\\one.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.opened(r), ("1", "12", False, "C:\\tmp\\*.xml"))
        one = cp("1/D0001:5/12/1/C:\\out\\one.xml\n")
        self.assertEqual(self.settings().read_bytes(), filler + tail + b"\n" + one)
        self.w.make_db(company("11"))
        r = self.w.run(script="click 1003\n")
        self.assertEqual(self.opened(r), ("6", "7", True, "C:\\out\\eleven.xml"))
        r = self.w.run(script="set 1015 C:\\out\\e2.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.settings().read_bytes(),
                         filler + one + cp("11/D0001:6/7/2/C:\\out\\e2.xml\n"))

    def test_cedar_key_with_a_negative_selection_number(self):
        self.w.make_db(company(first=-5) + "UPDATE data_sets SET id_text = 'ＩＤ表ソ';")
        self.w.settings.mkdir()
        birch = cp("u1/ＩＤ表ソ:4/5/2/C:\\birch.xml\n")
        self.settings("birch").write_bytes(birch)
        r = self.w.run(edition="cedar", script="set 1015 C:\\out\\c.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.opened(r)[3], "C:\\tmp\\*.xml")  # the Birch line is not seen
        self.assertEqual(self.settings("cedar").read_bytes(),
                         cp("u1/-5/ＩＤ表ソ:1/12/1/C:\\out\\c.xml\n"))
        self.assertEqual(self.settings("birch").read_bytes(), birch)
        r = self.w.run(edition="cedar", script="click 1003\n")
        self.assertEqual(self.opened(r), ("1", "12", False, "C:\\out\\c.xml"))


if __name__ == "__main__":
    unittest.main()
