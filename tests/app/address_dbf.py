"""Address databases seen by tools no one here wrote.

dump PATH: the table as python-dbfread reads it, one JSON document: its
fields (name, type, length) and every record with its deletion mark.
make PATH KIND [MISSING] [WRONG]: a table made by python-dbf (KIND "db3" with
a .dbt memo or "fp" with an .fpt memo) with ADDRESS, CITY, STATE and ZIP and
two records; MISSING leaves that field out, WRONG makes that field numeric.
"""
import json
import sys

import dbf
from dbfread import DBF

FIELDS = [("ADDRESS", "M"), ("CITY", "C(20)"), ("STATE", "C(4)"), ("ZIP", "C(10)")]
ROWS = [
    {"ADDRESS": "Ann Lee\r\n1 Main St", "CITY": "Dayton", "STATE": "OH", "ZIP": "45402"},
    {"ADDRESS": "Bob Roe\r\nSuite 5\r\n2 Oak Ave", "CITY": "Akron", "STATE": "OH",
     "ZIP": "44301-1234"},
]


def dump(path):
    table = DBF(path, encoding="cp437", load=True)
    fields = [[f.name, f.type, f.length] for f in table.fields]
    rows = [(False, r) for r in table.records] + [(True, r) for r in table.deleted]
    records = []
    for deleted, record in rows:
        row = {"deleted": deleted}
        for key, value in record.items():
            if isinstance(value, str):
                value = value.rstrip("\x00")
            elif hasattr(value, "isoformat"):
                value = value.isoformat()
            row[key.upper()] = value
        records.append(row)
    print(json.dumps({"fields": fields, "records": records}, ensure_ascii=False))


def make(path, kind, missing="", wrong=""):
    field_specs = []
    for name, kind_of in FIELDS:
        if name == missing:
            continue
        field_specs.append(name + " " + ("N(8,0)" if name == wrong else kind_of))
    table = dbf.Table(path, "; ".join(field_specs), dbf_type=kind, codepage="cp437")
    table.open(dbf.READ_WRITE)
    for row in ROWS:
        table.append({k.lower(): v for k, v in row.items() if k != missing and k != wrong})
    table.close()


if __name__ == "__main__":
    if sys.argv[1] == "dump":
        dump(sys.argv[2])
    else:
        make(*sys.argv[2:])
