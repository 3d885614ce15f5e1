"""Reads the worked example's export with Python's csv module and checks it cell by cell.

Usage: check_export.py EXPORT_SAMPLE_PROGRAM
"""
import csv
import os
import subprocess
import sys
import tempfile

EXPECTED = [
    ["date", "kind", "litres", "odometer_km", "cost_yen", "trip_km", "km_per_litre",
     "yen_per_litre"],
    ["2007-08-04T09:05:00", "fill-up", "38.5", "41230.0", "5390", "", "", "140.00"],
    ["2007-08-15T18:40:12", "partial", "12.0", "41502.5", "1716", "", "", "143.00"],
    ["2007-08-26T07:30:45", "fill-up", "30.2", "41890.0", "4288", "660.0", "15.64", "141.99"],
    ["2007-09-01T12:00:00", "maintenance", "", "41950.0", "8400", "", "", ""],
]


def main():
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "export.csv")
        subprocess.run([sys.argv[1], path], check=True)
        with open(path, newline="", encoding="utf-8") as f:
            rows = list(csv.reader(f))
        with open(path, newline="", encoding="utf-8") as f:
            by_name = list(csv.DictReader(f))
    failures = []
    if len(rows) != len(EXPECTED):
        failures.append(f"{len(rows)} rows, expected {len(EXPECTED)}")
    for number, (row, expected) in enumerate(zip(rows, EXPECTED), start=1):
        for column, (cell, wanted) in enumerate(zip(row, expected), start=1):
            if cell != wanted:
                failures.append(f"row {number} column {column}: {cell!r}, expected {wanted!r}")
        if len(row) != len(expected):
            failures.append(f"row {number}: {len(row)} cells, expected {len(expected)}")
    # What a spreadsheet does with the columns: numbers that add up as the log's totals do.
    if sum(int(r["cost_yen"]) for r in by_name) != 19794:
        failures.append("the costs do not add up to 19794")
    if abs(sum(float(r["litres"] or 0) for r in by_name) - 80.7) > 1e-9:
        failures.append("the litres do not add up to 80.7")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
