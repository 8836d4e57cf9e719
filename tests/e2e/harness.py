"""Runs the real programs in a scratch world: a program folder, an engine
database, a drive map, an answer script, caller windows and a journal."""

import json
import os
import socket
import sqlite3
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN = Path(os.environ.get("STMTLINK_BIN", Path(__file__).resolve().parents[2] / "build" / "bin"))
ROOT = Path(__file__).resolve().parents[2]
TOOLS = BIN.parent / "tools"


def engine_schema():
    """The schema the engine stand-in keeps, as its own build tool prints it."""
    global _schema
    if _schema is None:
        _schema = subprocess.run([str(TOOLS / "make_engine_db"), "--schema"], check=True,
                                 capture_output=True).stdout.decode("utf-8")
    return _schema


_schema = None

CP = "cp932"


def cp(text):
    """The CP932 bytes of a text."""
    return text.encode(CP)


class World:
    """One scratch installation. Drive C: is the folder c/ of the world."""

    def __init__(self, tmp):
        self.root = Path(tmp)
        self.c = self.root / "c"
        self.program = self.c / "prog"
        self.program.mkdir(parents=True)
        self.settings = self.c / "settings"
        self.out = self.c / "out"
        self.out.mkdir()
        self.windows = self.root / "windows"
        self.windows.mkdir()
        self.journal_path = self.root / "journal.jsonl"
        self.db_path = self.root / "ledgora.db"
        self.env_extra = {}
        (self.program / "ZeimarkDef.ini").write_bytes(b"[ProgramLevel]\r\nQX71=3\r\n")
        (self.program / "SUPPORT.INF").write_bytes(
            cp("[=製品名=]Zeimark 法人税申告\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.01\r\n"))
        self.sockets = {}

    # Engine database -------------------------------------------------------
    def make_db(self, sql, settings_folder="C:\\settings\\"):
        if self.db_path.exists():
            self.db_path.unlink()
        con = sqlite3.connect(self.db_path)
        con.executescript(engine_schema())
        con.execute("INSERT OR REPLACE INTO engine_settings VALUES ('settings_folder', ?)",
                    (settings_folder,))
        con.executescript(sql)
        con.commit()
        con.close()

    # Caller windows ---------------------------------------------------------
    def caller_window(self, handle):
        s = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        s.bind(str(self.windows / str(handle)))
        s.setblocking(False)
        self.sockets[handle] = s
        return s

    def datagrams(self, handle):
        got = []
        s = self.sockets[handle]
        while True:
            try:
                got.append(s.recv(4096).decode("ascii"))
            except BlockingIOError:
                return got

    # Running ----------------------------------------------------------------
    def run(self, edition="birch", args=(), script=None, env=None):
        if self.journal_path.exists():
            self.journal_path.unlink()
        e = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(self.root),
            "TMPDIR": str(self.c / "tmp"),
            "STMTLINK_ENGINE_DB": str(self.db_path),
            "STMTLINK_PROGRAM_DIR": str(self.program),
            "STMTLINK_DRIVES": "C=fixed:" + str(self.c),
            "STMTLINK_UI": "script",
            "STMTLINK_JOURNAL": str(self.journal_path),
            "STMTLINK_WINDOWS": str(self.windows),
        }
        (self.c / "tmp").mkdir(exist_ok=True)
        for k in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if k in os.environ:
                e[k] = os.environ[k]
        e.update(self.env_extra)
        if script is not None:
            p = self.root / "answers.txt"
            p.write_text(script, encoding="utf-8")
            e["STMTLINK_UI_SCRIPT"] = str(p)
        if env:
            e.update(env)
        proc = subprocess.run([str(BIN / f"stmtlink-{edition}"), *args], env=e,
                              capture_output=True, timeout=120)
        return Result(proc, self.journal_path)


class Result:
    def __init__(self, proc, journal_path):
        self.status = proc.returncode
        self.stderr = proc.stderr.decode("utf-8", "replace")
        self.events = []
        if journal_path.exists():
            for line in journal_path.read_text(encoding="utf-8").splitlines():
                self.events.append(json.loads(line))

    def of(self, ev):
        return [e for e in self.events if e["ev"] == ev]

    def msgboxes(self):
        return [(m["text"], m["ownerName"]) for m in self.of("msgbox")]

    def engine_calls(self):
        return [(e["call"], e["result"]) for e in self.of("engine")]


class WorldTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.w = World(self._tmp.name)

    def tearDown(self):
        for s in self.w.sockets.values():
            s.close()
        self._tmp.cleanup()


# A small company, enough for a run to pass the conditions dialog.
BASIC_COMPANY = """
INSERT INTO engine_settings VALUES ('current_user', 'u1');
INSERT INTO users VALUES ('u1', 0, 1);
INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start, period_end)
  VALUES (1, 'D0001', 1, '株式会社テスト', 20240101, 20241231);
"""
