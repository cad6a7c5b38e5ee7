"""Appends the records of a name-and-address text file to a new dBASE table
with python-dbf, the way a script would do it, and prints the seconds taken
(wall clock, then processor time).
Usage: dbf_append.py TEXTFILE TABLE"""
import csv
import sys
import time

import dbf


def main(text_file, table_file):
    with open(text_file, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    start = time.monotonic()
    cpu = time.process_time()
    # python-dbf writes dBASE III tables with a memo file; the fields are the
    # address database's.
    table = dbf.Table(table_file, "address M; city C(20); state C(4); zip C(10)",
                      dbf_type="db3", codepage="cp437")
    table.open(dbf.READ_WRITE)
    for row in rows:
        lines = [v for v in row[:4] if v.strip()]
        table.append((("\r\n".join(lines) + "\r\n") if lines else "", row[4], row[5], row[6]))
    table.close()
    print("%.3f %.3f" % (time.monotonic() - start, time.process_time() - cpu))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
