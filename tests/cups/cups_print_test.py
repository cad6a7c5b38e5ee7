"""Prints a mailer with `vell3-cli print` through the tests' CUPS queue (no
--pdf) and reads back the PDF that cups-pdf wrote: both Code 128 symbols scan
with zbarimg, and the mailing log holds the row.
Usage: cups_print_test.py VELL3_CLI CUPS_OUT_DIR (CUPS_SERVER set)"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

from dbfread import DBF

CLI = None
OUT = None
SETTINGS = ("[YourAddress]\nLine1=Ambervale Supply Co\nCity=Portland\nState=OR\nZip=97201\n"
            "[Values]\nCustID=12-345-6789\nSerialNum=00000041\n")
LABEL = "71123456789000000423"


def pdfs():
    return {name: os.stat(os.path.join(OUT, name)).st_mtime_ns
            for name in os.listdir(OUT) if name.endswith(".pdf")}


def wait_for_new_pdf(before, timeout=90):
    """The path of a PDF that was not there (or changed) before, once it has
    stopped growing."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        new = [name for name, mtime in pdfs().items() if before.get(name) != mtime]
        if new:
            path = os.path.join(OUT, new[0])
            size = -1
            while time.monotonic() < deadline:
                now = os.path.getsize(path)
                if now == size and now > 0:
                    return path
                size = now
                time.sleep(0.5)
        time.sleep(0.25)
    return None


class CupsPrint(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        with open(self.path("vell3.ini"), "w", encoding="utf-8") as out:
            out.write(SETTINGS)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, *names):
        return os.path.join(self.dir.name, *names)

    def symbols_in_band(self, pdf, top, height):
        png = self.path("band-%d" % top)
        subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", "-y", str(top), "-H",
                        str(height), "-W", "2550", pdf, png], check=True)
        scan = subprocess.run(["zbarimg", "-q", "--raw", "-Scode128.enable", png + ".png"],
                              capture_output=True)
        return scan.stdout.decode().split()

    def test_a_mailer_through_the_queue(self):
        self.assertTrue(os.environ.get("CUPS_SERVER"))
        before = pdfs()
        done = subprocess.run([CLI, "--program-folder", self.dir.name, "--settings",
                               self.path("vell3.ini"), "print", "--line", "john smith",
                               "--city", "Boston", "--state", "MA", "--zip", "02134-1234"],
                              capture_output=True)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        self.assertEqual(done.stdout.decode(), "7112 3456 7890 0000 0423\n")
        pdf = wait_for_new_pdf(before)
        self.assertIsNotNone(pdf, "cups-pdf wrote no PDF into " + OUT)
        pages = subprocess.run(["pdfinfo", pdf], capture_output=True).stdout.decode()
        self.assertRegex(pages, r"Pages:\s+1\n")
        # zbar reports two equal symbols of one image as one: the small one
        # lies above 3.3 inches, the large one below.
        self.assertEqual(self.symbols_in_band(pdf, 0, 990), [LABEL])
        self.assertEqual(self.symbols_in_band(pdf, 990, 3300 - 990), [LABEL])
        rows = list(DBF(self.path("Reports", "report3.dbf"), encoding="cp437"))
        self.assertEqual([(r["SENTNAME0"], r["MAILERNUM"]) for r in rows],
                         [("john smith", "7112 3456 7890 0000 0423")])


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    OUT = sys.argv.pop(1)
    unittest.main()
