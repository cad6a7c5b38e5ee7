"""Prints every record of a table as python-dbf reads it: one JSON object a line."""
import json
import sys

import dbf


def value(v):
    if v is None:
        return None
    if isinstance(v, (dbf.Date,)) or hasattr(v, "isoformat"):
        return v.isoformat() if v else None
    if isinstance(v, str):
        return v.rstrip()
    if isinstance(v, bool):
        return v
    if isinstance(v, (int, float)):
        return v
    return str(v)


def main(path):
    table = dbf.Table(path, codepage="cp437")
    table.open(dbf.READ_ONLY)
    print(json.dumps({"count": len(table)}))
    for record in table:
        row = {"deleted": dbf.is_deleted(record)}
        for name in table.field_names:
            row[name.upper()] = value(record[name])
        print(json.dumps(row, ensure_ascii=False, sort_keys=True))
    table.close()


if __name__ == "__main__":
    main(sys.argv[1])
