"""Checks `vell3-cli dbf` end to end against tables made by python-dbf and
read back by dbfread. Usage: cli_dbf_test.py VELL3_CLI"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

import dbf
from dbfread import DBF

CLI = None


class Result:
    """The outcome of one run, its texts decoded without newline translation
    (the engine's error text holds a CR LF)."""

    def __init__(self, done):
        self.returncode = done.returncode
        self.stdout = done.stdout.decode("utf-8")
        self.stderr = done.stderr.decode("utf-8")


def run(*args, env=None):
    return Result(subprocess.run([CLI, "dbf", *args], capture_output=True, env=env))


def make_table(path):
    table = dbf.Table(path, "name C(20); notes M; when D; amount N(8,2); ok L",
                      dbf_type="db3", codepage="cp437")
    table.open(dbf.READ_WRITE)
    table.append(("Müller", "line one\r\nline two", dbf.Date(2005, 12, 31), 12.5, True))
    table.append(("Adams", "", None, None, False))
    table.append(("Gone", "x", dbf.Date(1999, 1, 2), -3.25, True))
    dbf.delete(table[2])
    table.close()


class DbfCommand(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.table = os.path.join(self.dir.name, "t.dbf")
        make_table(self.table)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def test_info(self):
        result = run("info", self.table)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.splitlines(), [
            "83", "3", "193 48", "NAME,C,20,0", "NOTES,M,10,0", "WHEN,D,8,0",
            "AMOUNT,N,8,2", "OK,L,1,0"])

    def test_dump(self):
        result = run("dump", self.table)
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertEqual(rows, [
            {"deleted": False, "NAME": "Müller", "NOTES": ["line one", "line two"],
             "WHEN": "20051231", "AMOUNT": 12.5, "OK": True},
            {"deleted": False, "NAME": "Adams", "NOTES": [], "WHEN": "", "AMOUNT": None,
             "OK": False},
            {"deleted": True, "NAME": "Gone", "NOTES": ["x"], "WHEN": "19990102",
             "AMOUNT": -3.25, "OK": True},
        ])
        self.assertEqual(list(rows[0].keys())[0], "deleted")

    def test_dump_field_names_from_code_page_437(self):
        # The first field's name "NAME" becomes "N\x84ME": 0x84 is "ä" in code
        # page 437. The output must be UTF-8 (Result decodes it strictly).
        with open(self.table, "r+b") as f:
            f.seek(32 + 1)
            f.write(b"\x84")
        result = run("dump", self.table)
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertEqual(list(rows[0].keys())[:2], ["deleted", "NäME"])
        self.assertEqual(rows[0]["NäME"], "Müller")

    def test_dump_numbers_whatever_the_locale(self):
        # A locale whose decimal separator is a comma, built from the system's
        # locale sources.
        folder = self.path("locale")
        os.mkdir(folder)
        built = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8",
                                os.path.join(folder, "de_DE.UTF-8")], capture_output=True)
        if built.returncode != 0:
            self.skipTest("no de_DE locale source")
        env = dict(os.environ, LOCPATH=folder, LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
        result = run("dump", self.table, env=env)
        self.assertEqual(result.returncode, 0, result.stderr)
        amounts = [json.loads(line)["AMOUNT"] for line in result.stdout.splitlines()]
        self.assertEqual(amounts, [12.5, None, -3.25])

    def test_dump_in_key_order(self):
        result = run("dump", self.table, "--order", "name")
        self.assertEqual(result.returncode, 0, result.stderr)
        names = [json.loads(line)["NAME"] for line in result.stdout.splitlines()]
        self.assertEqual(names, ["Adams", "Gone", "Müller"])
        self.assertTrue(os.path.exists(self.path("name.MDX")))
        self.assertFalse(os.path.exists(self.path("t.@S@")))

    def test_copy_creates_then_appends(self):
        target = self.path("copy.dbf")
        for expected in (3, 6):
            result = run("copy", self.table, target)
            self.assertEqual(result.returncode, 0, result.stderr)
            copied = DBF(target, encoding="cp437", load=True)
            self.assertEqual(len(copied.records) + len(copied.deleted), expected)
        self.assertEqual([r["NAME"] for r in copied.records], ["Müller", "Adams"] * 2)
        self.assertEqual(copied.records[0]["NOTES"].rstrip("\x00"), "line one\r\nline two")
        self.assertEqual(len(copied.deleted), 2)

    def test_pack(self):
        result = run("pack", self.table)
        self.assertEqual(result.returncode, 0, result.stderr)
        packed = DBF(self.table, encoding="cp437", load=True)
        self.assertEqual([r["NAME"] for r in packed.records], ["Müller", "Adams"])
        self.assertEqual(len(packed.deleted), 0)
        self.assertEqual(packed.records[0]["NOTES"], "line one\r\nline two")

    def test_engine_errors_exit_with_their_number(self):
        short = self.path("short.dbf")
        with open(short, "wb") as f:
            f.write(b"\x03" * 20)
        result = run("info", short)
        self.assertEqual(result.returncode, 210)
        self.assertEqual(result.stderr,
                         "Error # 210 (Not a dBASE data file)\r\n" + short +
                         " is not a dBASE database. (Prolog is less than 32 bytes)"
                         " [USE/OpenDBF]\n")
        result = run("dump", self.path("missing.dbf"))
        self.assertEqual(result.returncode, 2)
        self.assertTrue(result.stderr.startswith("Error # 2 (File not found)\r\n"))

    def test_errors_beyond_255_exit_with_255(self):
        with open(self.table, "r+b") as f:
            f.seek(193 + 21)  # the first record's memo pointer
            f.write(b"     99999")
        result = run("dump", self.table)
        self.assertEqual(result.returncode, 255)
        self.assertTrue(result.stderr.startswith("Error # 1003 (Invalid memo address)\r\n"),
                        result.stderr)

    def test_bad_usage(self):
        self.assertEqual(run().returncode, 2)
        self.assertEqual(run("dump").returncode, 2)
        self.assertEqual(run("dump", self.table, "--order").returncode, 2)


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    unittest.main()
