"""Checks `vell3-cli report` end to end on a mailing log written by python-dbf,
its PDFs read back with pdftotext and pdffonts. Usage: cli_report_test.py VELL3_CLI"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

import dbf

CLI = None

LOG_FIELDS = ("sentname0 C(30); sentname1 C(30); sentname2 C(30); sentname3 C(30); city C(35); "
              "state C(4); zip C(10); rdate D; mailernum C(25); postage C(15); certified C(15); "
              "restricted C(15); return C(15); total C(15); comments C(35); re C(25)")

# (name, zip, date, serial, postage, restricted, total) in the order printed.
MAILERS = [
    ("Carter Hale", "02134", (2025, 12, 30), 3, "0.39", None, "4.64"),
    ("Abbot Inc", "80202", (2026, 1, 2), 5, "0.39", "3.50", "8.14"),
    ("Evans Bros", "73301", (2025, 12, 31), 1, "0.39", None, "4.64"),
    ("Duncan LLC", "12207", (2026, 1, 15), 4, "0.39", None, "4.64"),
    ("Baker Co", "98101", (2025, 11, 1), 2, "1.06", "3.50", "8.81"),
]

ORDERS = {
    None: [0, 1, 2, 3, 4],
    "mailernum": [2, 4, 0, 3, 1],
    "name": [1, 4, 0, 3, 2],
    "date": [4, 0, 2, 1, 3],
    "zip": [0, 3, 2, 1, 4],
}


def money(text):
    """A fee as the window shows it: right-aligned by leading blanks."""
    return " " if text is None else " " * 6 + text


def grouped(serial):
    digits = "7112345678%010d" % serial
    return " ".join(digits[i:i + 4] for i in range(0, 20, 4))


class ReportCommand(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = os.path.join(self.dir.name, "program")
        os.makedirs(os.path.join(self.folder, "Reports"))
        shutil.copy(os.path.join(os.path.dirname(CLI), "Vell3.rav"), self.folder)
        self.log = os.path.join(self.folder, "Reports", "report3.dbf")

    def tearDown(self):
        self.dir.cleanup()

    def write_log(self, mailers):
        table = dbf.Table(self.log, LOG_FIELDS, dbf_type="db3", codepage="cp437")
        table.open(dbf.READ_WRITE)
        for name, zipcode, date, serial, postage, restricted, total in mailers:
            table.append({"sentname0": name, "city": "Town", "state": "ST", "zip": zipcode,
                          "rdate": dbf.Date(*date), "mailernum": grouped(serial),
                          "postage": money(postage), "certified": money("2.40"),
                          "restricted": money(restricted), "return": money("1.85"),
                          "total": money(total)})
        table.close()

    def run_cli(self, *args):
        done = subprocess.run([CLI, "--program-folder", self.folder, "--settings",
                               os.path.join(self.dir.name, "vell3.ini"), "report", *args],
                              capture_output=True, text=True)
        return done

    def pdf(self, *args):
        out = os.path.join(self.dir.name, "out.pdf")
        done = self.run_cli(*args, "--pdf", out)
        self.assertEqual(done.returncode, 0, done.stderr)
        return out, done.stdout

    def test_every_order_every_report(self):
        self.write_log(MAILERS)
        for report in ("short", "full", "firm-book"):
            for sort, order in ORDERS.items():
                with self.subTest(report=report, sort=sort):
                    out, _ = self.pdf(report, *(["--sort", sort] if sort else []))
                    text = subprocess.run(["pdftotext", "-layout", out, "-"], capture_output=True,
                                          text=True, check=True).stdout
                    positions = [text.find(MAILERS[i][0]) for i in order]
                    self.assertNotIn(-1, positions, text)
                    self.assertEqual(positions, sorted(positions), text)
                    self.assertIn("Date Printed: ", text)
                    self.assertIn("Page 1 of 1", text)
        for index in ("mailernum.MDX", "name.MDX", "rdate.MDX", "zip.MDX"):
            self.assertTrue(os.path.exists(os.path.join(self.folder, "Reports", index)), index)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "Reports", "report3.@S@")))

    def test_totals_and_embedded_fonts(self):
        self.write_log(MAILERS)
        out, stdout = self.pdf("short")
        self.assertEqual(stdout, "1 page\n")
        text = subprocess.run(["pdftotext", "-layout", out, "-"], capture_output=True, text=True,
                              check=True).stdout
        summary = text[text.index("Summary"):]
        for label, value in (("Mailers:", "5"), ("Postage:", "2.62"), ("Certified Fees:", "12.00"),
                             ("Return Receipt Fees:", "9.25"),
                             ("Restricted Delivery Fees:", "7.00"), ("Total Fees:", "30.87")):
            line = next(l for l in summary.splitlines() if label in l)
            self.assertEqual(line.split()[-1], value, line)
        fonts = subprocess.run(["pdffonts", out], capture_output=True, text=True,
                               check=True).stdout.splitlines()[2:]
        self.assertTrue(fonts)
        for line in fonts:
            # name type encoding emb sub uni object ID: "emb" is the 4th from the end.
            self.assertEqual(line.split()[-5], "yes", line)

    def test_many_rows_break_into_numbered_pages(self):
        self.write_log([(("Name %03d" % i),) + MAILERS[0][1:] for i in range(100)])
        out, stdout = self.pdf("short", "--sort", "name")
        self.assertEqual(stdout, "3 pages\n")
        text = subprocess.run(["pdftotext", "-layout", out, "-"], capture_output=True, text=True,
                              check=True).stdout
        for page in (1, 2, 3):
            self.assertIn("Page %d of 3" % page, text)
        positions = [text.find("Name %03d" % i) for i in range(100)]
        self.assertEqual(positions, sorted(positions))
        self.assertNotIn(-1, positions)

    def test_empty_log(self):
        self.write_log([])
        done = self.run_cli("short", "--pdf", os.path.join(self.dir.name, "x.pdf"))
        self.assertEqual((done.returncode, done.stderr), (1, "Report is empty.\n"))
        self.assertFalse(os.path.exists(os.path.join(self.dir.name, "x.pdf")))

    def test_missing_and_damaged_definitions(self):
        self.write_log(MAILERS)
        rav = os.path.join(self.folder, "Vell3.rav")
        with open(rav, "w", encoding="utf-8") as f:
            f.write('{\n  "format": "Vell3 reports 1",\n  "reports": {,}\n}\n')
        done = self.run_cli("full", "--pdf", os.path.join(self.dir.name, "x.pdf"))
        self.assertEqual(done.returncode, 1)
        self.assertIn('The report definition file "%s" cannot be used:\n' % rav, done.stderr)
        self.assertIn("at line 3, column 16.", done.stderr)
        os.remove(rav)
        done = self.run_cli("full", "--pdf", os.path.join(self.dir.name, "x.pdf"))
        self.assertEqual((done.returncode, done.stderr),
                         (1, 'The following reporting project does not exist:\n"%s"\n' % rav))
        self.assertFalse(os.path.exists(os.path.join(self.dir.name, "x.pdf")))

    def test_bad_usage(self):
        for args in ([], ["weekly"], ["short", "--sort", "city"], ["short", "--pdf"]):
            with self.subTest(args=args):
                self.assertEqual(self.run_cli(*args).returncode, 2)


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    unittest.main()
