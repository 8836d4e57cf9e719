"""The conditions dialog through the answer script: refusals, preloading,
every check with its message and focus, browsing, cancelling and the
settings file across runs."""

import unittest

import company_a
from harness import WorldTest, cp

MONTHS_WRONG = "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。"
BEFORE_INTRO = "集計期間には、導入開始月より前は指定できません。"
NO_PATH = "データ出力先が指定されていません。\n\n出力先を指定してください。"
BAD_CHARS = "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"
BAD_DRIVE = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。"
NO_FILE_NAME = "ファイル名が指定されていません。"
NO_FOLDER = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？"
OVERWRITE = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？"
CANCELLED = "｢決算書｣の集計を中止します。"
PAST = "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。"
NOT_CONVERTED = ("選択された会計データは会社法(H18.5施行)に対応していないため、\n"
                 "連携の対象として使用できません。\n"
                 "(Ledgoraを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n"
                 "変換することで、連携ができます。)\n\nアプリケーションを終了します。")
SUCCESS = "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"


class Conditions(WorldTest):
    def setUp(self):
        super().setUp()
        self.w.make_db(company_a.sql())
        self.settings = self.w.settings / "stmtlink-birch.env"

    def texts(self, r):
        return [t for t, _ in r.msgboxes() if t != company_a.WARNING]

    def test_refused_data(self):
        cases = [
            ("UPDATE data_sets SET intro_month_index = 99;", [PAST]),
            ("UPDATE data_sets SET companies_act = 0;", [NOT_CONVERTED]),
            ("UPDATE data_sets SET companies_act = 2, intro_month_index = 99;", [PAST]),
            ("UPDATE users SET selected_second = 7;", [NOT_CONVERTED]),  # no data set found
        ]
        for change, boxes in cases:
            with self.subTest(change=change):
                self.w.make_db(company_a.sql() + change)
                r = self.w.run()
                self.assertEqual(r.status, 1)
                self.assertEqual([(t, o) for t, o in r.msgboxes()],
                                 [(b, "conditions") for b in boxes])
                self.assertEqual([(e["id"], e["result"]) for e in r.of("dialog-end")],
                                 [(130, 1003)])
                self.assertEqual(r.of("dialog-wait"), [])

    def test_first_view_and_defaults(self):
        r = self.w.run(script="click 1003\n")
        wait = r.of("dialog-wait")[0]
        c = wait["controls"]
        self.assertEqual(wait["focus"], 1016)
        self.assertEqual(c["1006"]["text"], " ABC株式会社")
        self.assertEqual(c["1008"]["text"], " 2024/04/01～2025/03/31")
        self.assertEqual((c["1016"]["text"], c["1000"]["text"]), ("4", "3"))
        self.assertEqual((c["1019"]["checked"], c["1020"]["checked"]), (True, False))
        self.assertEqual(c["1015"]["text"], "C:\\tmp\\*.xml")
        self.assertEqual(c["1014"]["text"], "出力先(&O)")
        self.assertEqual(self.texts(r), [CANCELLED])
        self.assertEqual(r.status, 1)

    def test_settings_across_two_runs(self):
        r = self.w.run(script="set 1016 5\nset 1000 2\nclick 1020\nset 1015 C:\\out\\r.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.settings.read_bytes(), cp("u1/A0001:5/2/2/C:\\out\\r.xml\n"))
        # Second run: the dialog opens with the remembered conditions; the
        # existing document asks before it is overwritten.
        r = self.w.run(script="answer yes\n")
        c = r.of("dialog-wait")[0]["controls"]
        self.assertEqual((c["1016"]["text"], c["1000"]["text"], c["1015"]["text"]),
                         ("5", "2", "C:\\out\\r.xml"))
        self.assertEqual((c["1019"]["checked"], c["1020"]["checked"]), (False, True))
        self.assertEqual(self.texts(r), [OVERWRITE, SUCCESS])
        self.assertEqual(r.status, 0)
        self.assertEqual(self.settings.read_bytes(), cp("u1/A0001:5/2/2/C:\\out\\r.xml\n"))

    def test_other_lines_of_the_settings_file_are_kept(self):
        self.w.settings.mkdir()
        before = cp("u2/A0001:1/1/1/C:\\x.xml\nu1/A0001:7/8/2/C:\\old.xml\n") + b"zz:\xa5\x5c\n"
        self.settings.write_bytes(before)
        r = self.w.run(script="set 1015 C:\\out\\n.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.settings.read_bytes(),
                         cp("u2/A0001:1/1/1/C:\\x.xml\n") + b"zz:\xa5\x5c\n" +
                         cp("u1/A0001:7/8/2/C:\\out\\n.xml\n"))

    def test_each_check_sends_the_user_back(self):
        self.w.env_extra["STMTLINK_DRIVES"] = "C=fixed:%s;D=cdrom:%s" % (self.w.c, self.w.c)
        (self.w.out / "exists.xml").write_bytes(b"old")
        cases = [
            # script, messages, focus after the last message
            ("set 1016 13\n", [MONTHS_WRONG], 1016),
            ("set 1000 0\n", [MONTHS_WRONG], 1000),
            ("set 1016 2\nset 1000 1\n", [MONTHS_WRONG], 1000),
            ("set 1016 6\nset 1000 5\n", [MONTHS_WRONG], 1000),
            ("set 1016 x\n", [MONTHS_WRONG], 1016),
            ("set 1015 C:\\out\\a*b.xml\n", [BAD_CHARS], 1015),
            ("set 1015 C:\\out\\\\a.xml\n", [BAD_CHARS], 1015),
            ("set 1015 C:\\out\\a;b.xml\n", [BAD_CHARS], 1015),
            ("set 1015 D:\\a.xml\n", [BAD_DRIVE], 1015),
            ("set 1015 C:\\out\\\n", [NO_FILE_NAME], 1015),
            ("set 1015 C:\\out\n", [NO_FILE_NAME], 1015),
            ("set 1015 C:\\new\\a.xml\nanswer no\n", [NO_FOLDER], 1015),
            ("set 1015 C:\\out\\exists.xml\nanswer no\n", [OVERWRITE], 1015),
        ]
        for script, boxes, focus in cases:
            with self.subTest(script=script):
                # The script's edits, then one execute; the dialog stays open
                # and the default cancel ends it.
                r = self.w.run(script=script)
                self.assertEqual(self.texts(r), boxes + [CANCELLED])
                self.assertEqual(r.of("dialog-wait")[-1]["focus"], focus)
                self.assertEqual(r.status, 1)
                self.assertFalse(self.settings.exists())
                self.assertEqual(sorted(p.name for p in self.w.out.iterdir()), ["exists.xml"])
                self.assertFalse((self.w.c / "new").exists())

    def test_long_path_from_the_file_dialog_is_refused_not_cut(self):
        path = "C:\\out\\" + "d" * 120 + "\\" + "x" * 140 + ".xml"  # 272 bytes
        r = self.w.run(script=f"set 1015\nfile {path}\nclick 1002\n")
        too_long = "出力先のパスが長すぎます。\n\n260バイト以内で指定してください。"
        self.assertEqual(self.texts(r), [NO_PATH, too_long, too_long, CANCELLED])
        self.assertEqual(r.of("dialog-wait")[-1]["controls"]["1015"]["text"], path)
        self.assertEqual(r.of("dialog-wait")[-1]["focus"], 1015)
        self.assertEqual(r.status, 1)

    def test_a_name_near_the_host_limit_is_written(self):
        name = "n" * 240 + ".xml"
        r = self.w.run(script=f"set 1015 C:\\{name}\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual((self.w.c / name).read_bytes(), company_a.document(kind=1))
        self.assertEqual(sorted(p.name for p in self.w.c.iterdir() if p.is_file()), [name])

    def test_introduction_month(self):
        self.w.make_db(company_a.sql() + "UPDATE data_sets SET intro_month_index = 4;")
        r = self.w.run(script="set 1016 4\nset 1000 6\n")
        self.assertEqual(self.texts(r), [BEFORE_INTRO, CANCELLED])
        self.assertEqual(r.of("dialog-wait")[-1]["focus"], 1000)
        r = self.w.run(script="set 1016 4\nset 1000 7\nset 1015 C:\\out\\i.xml\n")
        self.assertEqual(r.status, 0, r.stderr)

    def test_missing_folder_is_created(self):
        r = self.w.run(script="set 1015 C:\\new\\表\\a.xml\nanswer yes\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.texts(r), [NO_FOLDER, SUCCESS])
        self.assertTrue((self.w.c / "new" / "表" / "a.xml").is_file())

    def test_failed_folder_creation_leaves_nothing(self):
        r = self.w.run(script="set 1015 C:\\a\\b\\c\\x.xml\nanswer yes\n",
                       env={"STMTLINK_FAULTS": "mkdir=\\c\\"})
        self.assertEqual(self.texts(r), [NO_FOLDER,
                                         "フォルダの作成に失敗しました。\n\n出力先を再入力してください。",
                                         CANCELLED])
        self.assertFalse((self.w.c / "a").exists())

    def test_empty_path_opens_the_file_dialog(self):
        # After the file dialog the script's own click executes: the default
        # click was already used by the empty-path attempt.
        r = self.w.run(script="set 1015\nfile C:\\out\\picked.xml\nclick 1002\n")
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(self.texts(r), [NO_PATH, SUCCESS])
        self.assertTrue((self.w.out / "picked.xml").is_file())

    def test_browse(self):
        r = self.w.run(script="set 1015 C:\\out\\start.xml\nclick 1001\nfile C:\\out\\b.xml\n")
        self.assertEqual(r.status, 0, r.stderr)
        fd = r.of("filedialog")
        self.assertEqual(fd, [{"ev": "filedialog", "title": "保存ファイルを指定",
                               "folder": "C:\\out\\", "file": "start.xml", "ext": "XML",
                               "filter": "Xml Files (*.xml)|*.xml||",
                               "result": "C:\\out\\b.xml"}])
        self.assertTrue((self.w.out / "b.xml").is_file())
        # Browsing from a drive without a folder starts in that drive.
        r = self.w.run(script="set 1015 C:name.xml\nclick 1001\nfile cancel\nclick 1003\n")
        fd = r.of("filedialog")[0]
        self.assertEqual((fd["folder"], fd["file"], fd["result"]), ("C:", "name.xml", None))
        self.assertEqual(r.of("dialog-wait")[-1]["focus"], 1002)

    def test_keys(self):
        r = self.w.run(script="key Enter\nkey Enter\nkey Enter\nkey Esc\n")
        self.assertEqual([w["focus"] for w in r.of("dialog-wait")], [1016, 1000, 1015, 1001])
        self.assertEqual(self.texts(r), [CANCELLED])
        # Enter on a radio button runs the checks of execute.
        r = self.w.run(script="click 1020\nkey Enter\n")
        self.assertEqual(self.texts(r), [BAD_CHARS, BAD_CHARS, CANCELLED])
        self.assertEqual(r.of("dialog-end")[0]["result"], 1003)

    def test_caller_path_is_fixed(self):
        r = self.w.run(args=["0,1025,3,C:\\out\\c.xml"], script="key Enter\nkey Enter\n")
        waits = r.of("dialog-wait")
        c = waits[0]["controls"]
        self.assertEqual(c["1014"]["text"], "出力先")
        self.assertFalse(c["1001"]["enabled"])
        self.assertEqual(waits[2]["focus"], 1002)  # the end month goes straight to execute
        self.assertEqual(r.status, 0, r.stderr)


if __name__ == "__main__":
    unittest.main()
