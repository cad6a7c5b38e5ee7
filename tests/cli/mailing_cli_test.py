"""Checks `vell3-cli print`, `barcodes` and `log clear` end to end: the log
read back by dbfread, the labels by zbarimg. Usage: mailing_cli_test.py VELL3_CLI"""
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from dbfread import DBF

CLI = None
SETTINGS = ("[YourAddress]\nLine1=Ambervale Supply Co\nCity=Portland\nState=OR\nZip=97201\n"
            "[Values]\nCustID=12-345-6789\nSerialNum=00000041\n")


def label_number(customer_id, serial):
    """The 20-digit label number with its GS1 modulo-10 check digit."""
    body = "71" + customer_id + serial
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return body + str((10 - total % 10) % 10)


class Result:
    def __init__(self, done):
        self.returncode = done.returncode
        self.stdout = done.stdout.decode("utf-8")
        self.stderr = done.stderr.decode("utf-8")


class MailingCommands(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.write_settings(SETTINGS)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, *names):
        return os.path.join(self.dir.name, *names)

    def write_settings(self, text, name="vell3.ini"):
        with open(self.path(name), "w", encoding="utf-8") as out:
            out.write(text)

    def settings_value(self, key, name="vell3.ini"):
        with open(self.path(name), encoding="utf-8") as settings:
            for line in settings.read().splitlines():
                if line.startswith(key + "="):
                    return line[len(key) + 1:]
        return None

    def cli(self, *args, settings="vell3.ini"):
        return Result(subprocess.run(
            [CLI, "--program-folder", self.dir.name, "--settings", self.path(settings), *args],
            capture_output=True))

    def log_path(self):
        return self.path("Reports", "report3.dbf")

    def rows(self, path=None):
        return list(DBF(path or self.log_path(), encoding="cp437", char_decode_errors="strict",
                        raw=False))

    def labels_on_pages(self, pdf, pages):
        """The Code 128 symbols zbarimg reads on each page, the two halves
        apart (zbar reports two equal symbols of one image as one)."""
        found = []
        for page in range(1, pages + 1):
            symbols = []
            for top, height in ((0, 990), (990, 3300 - 990)):
                png = self.path("band-%d-%d" % (page, top))
                subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", "-f", str(page),
                                "-l", str(page), "-y", str(top), "-H", str(height), "-W", "2550",
                                pdf, png], check=True)
                scan = subprocess.run(["zbarimg", "-q", "--raw", "-Scode128.enable",
                                       png + ".png"], capture_output=True)
                symbols += scan.stdout.decode().split()
            found.append(symbols)
        return found

    # print ---------------------------------------------------------------

    def test_print_logs_the_row_the_window_would(self):
        result = self.cli("print", "--pdf", self.path("m.pdf"), "--line", "  john smith",
                          "--line", "Accounts Payable Department Room 12", "--city", "Boston",
                          "--state", "MA", "--zip", "02134-1234", "--re", "Case 7a",
                          "--comment", "first notice")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "7112 3456 7890 0000 0423\n")
        rows = self.rows()
        self.assertEqual(len(rows), 1)
        row = rows[0]
        # dbfread strips trailing blanks only: leading blanks stay.
        self.assertEqual(row["SENTNAME0"], "  john smith")
        self.assertEqual(row["SENTNAME1"], "Accounts Payable Department Ro")
        self.assertEqual(row["SENTNAME2"], "")
        self.assertEqual(row["CITY"], "Boston")
        self.assertEqual(row["STATE"], "MA")
        self.assertEqual(row["ZIP"], "02134-1234")
        self.assertEqual(row["RDATE"], datetime.date.today())
        self.assertEqual(row["MAILERNUM"], "7112 3456 7890 0000 0423")
        self.assertEqual(row["POSTAGE"].strip(), "0.39")
        self.assertTrue(row["POSTAGE"].startswith(" "))
        self.assertEqual(row["RESTRICTED"], "")
        self.assertEqual(row["TOTAL"].strip(), "4.64")
        self.assertEqual(row["COMMENTS"], "first notice")
        self.assertEqual(row["RE"], "Case 7a")

    def test_print_under_a_day_first_locale_logs_today(self):
        env = dict(os.environ, LC_ALL="en_GB.UTF-8", LANG="en_GB.UTF-8")
        done = subprocess.run([CLI, "--program-folder", self.dir.name, "--settings",
                               self.path("vell3.ini"), "print", "--pdf", self.path("m.pdf")],
                              capture_output=True, env=env)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(self.rows()[0]["RDATE"], datetime.date.today())

    def test_a_damaged_log_stops_the_print_before_the_page(self):
        os.makedirs(self.path("Reports"))
        with open(self.log_path(), "w") as log:
            log.write("not a table\n")
        result = self.cli("print", "--pdf", self.path("m.pdf"))
        self.assertEqual(result.returncode, 210, result.stderr)
        self.assertTrue(result.stderr.startswith("Error # 210"), result.stderr)
        self.assertFalse(os.path.exists(self.path("m.pdf")))

    def test_concurrent_prints_lose_no_row(self):
        processes, prints = 4, 5
        for n in range(processes):
            self.write_settings(SETTINGS.replace("12-345-6789", "12-345-67%02d" % n),
                                "p%d.ini" % n)
        script = ("for i in $(seq %d); do %s --program-folder %s --settings %s print "
                  "--pdf %s --line p%d-$i || exit 1; done")
        running = [subprocess.Popen(["sh", "-c", script % (
            prints, CLI, self.dir.name, self.path("p%d.ini" % n), self.path("p%d.pdf" % n), n,
        )], stdout=subprocess.DEVNULL) for n in range(processes)]
        self.assertEqual([p.wait() for p in running], [0] * processes)
        rows = self.rows()
        self.assertEqual(len(rows), processes * prints)
        self.assertEqual(sorted(r["SENTNAME0"] for r in rows),
                         sorted("p%d-%d" % (n, i) for n in range(processes)
                                for i in range(1, prints + 1)))
        self.assertEqual(len({r["MAILERNUM"] for r in rows}), processes * prints)
        for n in range(processes):
            self.assertEqual(self.settings_value("SerialNum", "p%d.ini" % n), "%08d" % (41 + prints))

    # barcodes ------------------------------------------------------------

    def test_barcodes_run_across_the_last_serial(self):
        self.write_settings(SETTINGS.replace("00000041", "99999997"))
        result = self.cli("barcodes", "--count", "3", "--pdf", self.path("l.pdf"), "--dpi", "300")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.split(), ["99999998", "99999999", "00000001"])
        self.assertEqual(self.settings_value("SerialNum"), "00000001")
        labels = self.labels_on_pages(self.path("l.pdf"), 3)
        self.assertEqual([sorted(set(page)) for page in labels],
                         [[label_number("123456789", serial)]
                          for serial in ("99999998", "99999999", "00000001")])
        self.assertEqual([len(page) for page in labels], [2, 2, 2])
        self.assertFalse(os.path.exists(self.log_path()))

    def test_barcodes_start_at_a_given_serial(self):
        result = self.cli("barcodes", "--count", "2", "--serial", "00000500", "--pdf",
                          self.path("l.pdf"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.split(), ["00000500", "00000501"])
        self.assertEqual(self.settings_value("SerialNum"), "00000501")

    def test_barcodes_refusals_print_nothing(self):
        cases = [
            (SETTINGS, ["--count", "x"], "'x' is not a valid integer value\n"),
            (SETTINGS.replace("12-345-6789", "00-000-0000"), ["--count", "1"],
             'You can not print a Mailer with "00-000-0000" as a Customer ID. (DUNS No.)\n\n'
             "Please enter in a Customer ID (DUNS No.), and try again.\n"),
            (SETTINGS.replace("12-345-6789", "00-000-0000") + "PrintBarCode=0\n",
             ["--count", "1"], None),
        ]
        for settings, args, message in cases:
            self.write_settings(settings)
            with open(self.path("vell3.ini"), encoding="utf-8") as before_file:
                before = before_file.read()
            result = self.cli("barcodes", *args, "--pdf", self.path("l.pdf"))
            self.assertEqual(result.returncode, 1, args)
            if message:
                self.assertEqual(result.stderr, message)
            else:
                self.assertIn("00-000-0000", result.stderr)
            self.assertEqual(result.stdout, "")
            self.assertFalse(os.path.exists(self.path("l.pdf")))
            with open(self.path("vell3.ini"), encoding="utf-8") as after_file:
                self.assertEqual(after_file.read(), before)

    def test_barcodes_usage(self):
        for args in (["--serial", "00000001"], ["--count", "1", "--serial", "123"],
                     ["--count"], ["--count", "1", "--what", "x"]):
            self.assertEqual(self.cli("barcodes", *args).returncode, 2, args)

    # log clear -----------------------------------------------------------

    def print_some(self, names):
        for name in names:
            result = self.cli("print", "--pdf", self.path("m.pdf"), "--line", name)
            self.assertEqual(result.returncode, 0, result.stderr)

    def test_log_clear_without_saving(self):
        self.print_some(["a", "b"])
        result = self.cli("log", "clear", "--no-save")
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, "", ""))
        self.assertEqual(self.rows(), [])
        result = self.cli("log", "clear", "--no-save")
        self.assertEqual((result.returncode, result.stdout), (0, "Report is already empty.\n"))

    def test_log_clear_into_a_new_file_copies_it_exactly(self):
        self.print_some(["a", "b"])
        with open(self.log_path(), "rb") as log:
            before = log.read()
        result = self.cli("log", "clear", "--save", self.path("saved.dbf"))
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.path("saved.dbf"), "rb") as saved:
            self.assertEqual(saved.read(), before)
        self.assertEqual(self.rows(), [])

    def test_log_clear_into_an_existing_table_appends(self):
        self.print_some(["a", "b"])
        self.assertEqual(self.cli("log", "clear", "--save", self.path("saved.dbf")).returncode, 0)
        self.print_some(["c"])
        self.assertEqual(self.cli("log", "clear", "--save", self.path("saved.dbf")).returncode, 0)
        self.assertEqual([r["SENTNAME0"] for r in self.rows(self.path("saved.dbf"))],
                         ["a", "b", "c"])

    def test_log_clear_into_itself_is_refused(self):
        self.print_some(["a"])
        with open(self.log_path(), "rb") as log:
            before = log.read()
        result = self.cli("log", "clear", "--save", self.log_path())
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, 'The report can not be saved into itself ("%s").\n\n'
                         "Please choose another file.\n" % self.log_path())
        with open(self.log_path(), "rb") as log:
            self.assertEqual(log.read(), before)

    def test_log_clear_usage(self):
        for args in ([], ["clear"], ["clear", "--save"], ["empty", "--no-save"]):
            self.assertEqual(self.cli("log", *args).returncode, 2, args)


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    unittest.main()
