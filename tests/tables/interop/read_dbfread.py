"""Prints every record of a table as dbfread reads it: one JSON object a line."""
import json
import sys

from dbfread import DBF


def value(v):
    if hasattr(v, "isoformat"):
        return v.isoformat()
    if isinstance(v, bytes):
        return v.decode("cp437")
    if isinstance(v, str):
        # dbfread takes a dBASE IV memo's length word as the text length,
        # though the word counts the 8-byte block header too: it reads the
        # zero padding that follows the text in the block.
        return v.rstrip("\x00")
    return v


def main(path):
    table = DBF(path, encoding="cp437", char_decode_errors="strict", load=True)
    print(json.dumps({"count": len(table.records) + len(table.deleted)}))
    rows = [(False, r) for r in table.records] + [(True, r) for r in table.deleted]
    for deleted, record in rows:
        row = {"deleted": deleted}
        row.update({k: value(v) for k, v in record.items()})
        print(json.dumps(row, ensure_ascii=False, sort_keys=True))


if __name__ == "__main__":
    main(sys.argv[1])
