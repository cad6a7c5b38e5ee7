"""Writes tables with python-dbf for the engine to read: dBASE III with a memo
(version 0x83) and FoxPro with an .fpt memo (version 0xF5)."""
import sys

import dbf

FIELDS = "name C(20); notes M; when D; amount N(8,2); ok L"
ROWS = [
    ("Müller", "line one\r\nline two", dbf.Date(2005, 12, 31), 12.5, True),
    ("Second", "", None, None, False),
    ("Gone", "deleted memo", dbf.Date(1999, 1, 2), -3.25, True),
]


def make(path, kind):
    table = dbf.Table(path, FIELDS, dbf_type=kind, codepage="cp437")
    table.open(dbf.READ_WRITE)
    for row in ROWS:
        table.append(row)
    dbf.delete(table[2])
    table.close()


if __name__ == "__main__":
    make(sys.argv[1] + "/d3.dbf", "db3")
    make(sys.argv[1] + "/fp.dbf", "fp")
