"""Checks `vell3-cli massprint` end to end over address databases made by
python-dbf: the mailers in one PDF, the log read back by dbfread, the sequence
in the settings file. Usage: massprint_cli_test.py VELL3_CLI"""
import os
import subprocess
import sys
import tempfile
import unittest

import dbf
from dbfread import DBF

CLI = None
SETTINGS = ("[YourAddress]\nLine1=Ambervale Supply Co\nCity=Portland\nState=OR\nZip=97201\n"
            "[Values]\nCustID=12-345-6789\nSerialNum=00000041\n")
PEOPLE = [
    ("Ann Lee\r\n1 Main St", "Dayton", "OH", "45402"),
    ("Bob Roe\r\nSuite 5\r\n2 Oak Ave", "Akron", "OH", "44301-1234"),
    ("Cy Poe\r\n9 Pine Rd", "Toledo", "OH", "43604"),
]


def grouped(serial):
    body = "71" + "123456789" + serial
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    number = body + str((10 - total % 10) % 10)
    return " ".join(number[i:i + 4] for i in range(0, 20, 4))


class MassPrint(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        with open(self.path("vell3.ini"), "w", encoding="utf-8") as out:
            out.write(SETTINGS)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, *names):
        return os.path.join(self.dir.name, *names)

    def make(self, name, kind="db3", fields="address M; city C(20); state C(4); zip C(10)",
             rows=PEOPLE, deleted=()):
        table = dbf.Table(self.path(name), fields, dbf_type=kind, codepage="cp437")
        table.open(dbf.READ_WRITE)
        for row in rows:
            table.append(row)
        for index in deleted:
            dbf.delete(table[index])
        table.close()
        return self.path(name)

    def cli(self, *args):
        done = subprocess.run([CLI, "--program-folder", self.dir.name, "--settings",
                               self.path("vell3.ini"), *args], capture_output=True)
        return done.returncode, done.stdout.decode(), done.stderr.decode()

    def serial(self):
        with open(self.path("vell3.ini"), encoding="utf-8") as settings:
            for line in settings.read().splitlines():
                if line.startswith("SerialNum="):
                    return line[len("SerialNum="):]
        return None

    def rows(self):
        return list(DBF(self.path("Reports", "report3.dbf"), encoding="cp437"))

    def pages(self, pdf):
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode()
        return int([l for l in info.splitlines() if l.startswith("Pages:")][0].split()[1])

    def test_every_record_one_mailer_in_one_pdf(self):
        for kind in ("db3", "fp"):
            with self.subTest(kind=kind):
                self.setUp()
                db = self.make("people.dbf", kind, deleted=(1,))
                pdf = self.path("run.pdf")
                status, out, err = self.cli("massprint", db, "--pdf", pdf, "--dpi", "300",
                                            "--re", "Lease 12", "--postage", "1.16")
                self.assertEqual((status, err), (0, ""))
                numbers = [grouped("%08d" % n) for n in (42, 43, 44)]
                self.assertEqual(out.splitlines(), numbers)
                self.assertEqual(self.pages(pdf), 3)
                rows = self.rows()
                self.assertEqual([r["MAILERNUM"] for r in rows], numbers)
                self.assertEqual([r["SENTNAME0"] for r in rows], ["Ann Lee", "Bob Roe", "Cy Poe"])
                self.assertEqual(rows[1]["SENTNAME2"], "2 Oak Ave")
                self.assertEqual(rows[1]["ZIP"], "44301-1234")
                self.assertEqual({r["RE"] for r in rows}, {"Lease 12"})
                self.assertEqual({r["POSTAGE"].strip() for r in rows}, {"1.16"})
                self.assertEqual(self.serial(), "00000044")
                text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True).stdout.decode()
                self.assertIn("Cy Poe", text)
                self.tearDown()

    def test_table_without_the_four_fields_prints_nothing(self):
        db = self.make("bad.dbf", fields="address M; state C(4); zip C(10)",
                       rows=[(a, s, z) for a, _, s, z in PEOPLE])
        pdf = self.path("bad.pdf")
        status, out, err = self.cli("massprint", db, "--pdf", pdf)
        self.assertEqual(status, 1)
        self.assertEqual(out, "")
        self.assertEqual(err, '"%s" is not an address database: it has no field CITY.\n' % db)
        self.assertFalse(os.path.exists(pdf))
        self.assertFalse(os.path.exists(self.path("Reports", "report3.dbf")))
        self.assertEqual(self.serial(), "00000041")

    def test_missing_database_is_an_engine_error(self):
        status, out, err = self.cli("massprint", self.path("nothere.dbf"))
        self.assertEqual(status, 2)
        self.assertTrue(err.startswith("Error # 2 (File not found)"), err)
        self.assertFalse(os.path.exists(self.path("nothere.dbf")))

    def test_bad_usage(self):
        db = self.make("people.dbf")
        for args in ([], ["--pdf", "x.pdf"], [db, "--city", "Dayton"], [db, "--dpi", "5"]):
            with self.subTest(args=args):
                status, out, _ = self.cli("massprint", *args)
                self.assertEqual((status, out), (2, ""))

    def test_empty_database_prints_nothing(self):
        db = self.make("empty.dbf", rows=[])
        status, out, err = self.cli("massprint", db, "--pdf", self.path("e.pdf"))
        self.assertEqual((status, out, err), (0, "", ""))
        self.assertFalse(os.path.exists(self.path("e.pdf")))
        self.assertEqual(self.serial(), "00000041")


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    unittest.main()
