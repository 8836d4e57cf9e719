"""Notes: the notes list section and the unsupported-notes warning."""

import unittest

import company_a
from harness import WorldTest

SCRIPT = "click 1020\nset 1015 C:\\out\\report.xml\n"
SUCCESS = "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"
UNSUPPORTED = ("以下の注記は連動に対応していません。\n"
               "これらの注記はZeimark上で手入力してください。\n\n"
               "・金融商品に関する注記\n"
               "・収益認識に関する注記\n"
               "\nこれらの注記を除いて処理を続行します。")


def item(number, disp, *text_lines):
    rows = ["<Item>", f"<ID>{number}</ID>", "<Name>注記</Name>", "<Kind>0</Kind>",
            f"<Disp>{disp}</Disp>", "<Value>"]
    rows += [f"<Line>{t}</Line>" for t in text_lines]
    rows += ["</Value>", "</Item>"]
    return rows


NOTES_TEXT = "\r\n".join(
    ["<Notes>"] +
    item(1000010, 1, "当社は継続企業です。", "A &amp; B") +
    item(1010010, 1, "方針") +
    item(1010020, 1, "資産の評価") +
    item(1010030, 1, "&lt;A&gt;", "") +
    item(1010040, 0, "表示しない") +
    item(1060010, 1, "グループが非表示") +
    ["</Notes>"]) + "\r\n"

# Display flags by section position: groups 0 and 1 on, group 2 (balance
# sheet notes) off, and the unsupported groups 16 and 33 shown in Ledgora.
FLAGS = {0: 1, 1: 1, 2: 0, 3: 1, 16: 1, 33: 2}
SETTINGS_TEXT = "[Notes]\r\nInputMode = 1\r\n" + "".join(
    f"[Note_{k:02d}]\r\nTitle=x\r\nDisp={FLAGS.get(k, 0)}\r\n" for k in range(40))

NOTES_LIST = company_a.lines(
    (2, "<ListNotesNonConsolidated>"),
    (3, "<NotesGoingConcernAssumption>"),
    (4, "<Line>当社は継続企業です。</Line>"),
    (4, "<Line>A &amp; B</Line>"),
    (3, "</NotesGoingConcernAssumption>"),
    (3, "<NotesSignificantAccountingPolicy>"),
    (4, "<Line>方針</Line>"),
    (4, "<ValuationBasisValuationMethodAssets>"),
    (5, "<Line>資産の評価</Line>"),
    (5, "<ValuationBasisValuationMethodMarketableSecurities>"),
    (6, "<Line>&lt;A&gt;</Line>"),
    (6, "<Line></Line>"),
    (5, "</ValuationBasisValuationMethodMarketableSecurities>"),
    (4, "</ValuationBasisValuationMethodAssets>"),
    (3, "</NotesSignificantAccountingPolicy>"),
    (2, "</ListNotesNonConsolidated>"),
)


def notes_sql(note_enabled=1):
    def row(kind, text):
        return ("INSERT INTO saved_statements (data_id, kind, content) VALUES ('A0001', %d, '%s');"
                % (kind, text.replace("'", "''")))
    return "\n".join([row(0, f"[General]\r\nNote={note_enabled}\r\n"), row(100, SETTINGS_TEXT),
                      row(1000, NOTES_TEXT)])


class Notes(WorldTest):
    def test_notes_list_and_warning(self):
        self.w.make_db(company_a.sql() + notes_sql())
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual((self.w.out / "report.xml").read_bytes(),
                         company_a.document(kind=2, notes=NOTES_LIST))
        self.assertEqual(r.msgboxes(), [(UNSUPPORTED, "progress"), (company_a.WARNING, "progress"),
                                        (SUCCESS, "progress")])

    def test_notes_switched_off(self):
        self.w.make_db(company_a.sql() + notes_sql(note_enabled=0))
        r = self.w.run(script=SCRIPT)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual((self.w.out / "report.xml").read_bytes(), company_a.document(kind=2))
        self.assertEqual(r.msgboxes(), [(company_a.WARNING, "progress"), (SUCCESS, "progress")])


if __name__ == "__main__":
    unittest.main()
