#!/usr/bin/env python3
"""Loads the same 100,000-row CSV files (ANSI and UTF-16) with CDelimitedFile (through
bench_exchange) and with Python's csv module, and prints both times and the ratio.

    bench/delimited_vs_python.py [path of bench_exchange]

The default program path is build/bench/bench/bench_exchange (a Release build with
-DLISTORA_BUILD_BENCH=ON). Times are the best of several runs; CPU time is shown beside
wall time because the machine may be shared.
"""
import csv
import json
import os
import subprocess
import sys
import tempfile
import time

ROWS = 100000
RUNS = 7


def write_files(folder):
    """Rows as the "Tamra" template exports them: qty, name, price, coupon, location,
    note, categories, purchased, taxable, unit."""
    units = ["", "kg", "pkg", "litre", "doz"]
    locations = ["", "walmart", "sam's club"]
    categories = ["Foods", "Vegetables", "Household & Cleaning Items", "Drinks"]
    lines = []
    for i in range(ROWS):
        cats = categories[i % 4] + ("," + categories[(i + 1) % 4] if i % 5 == 0 else "")
        note = '"only the ripe ones, please"' if i % 7 == 0 else ""
        lines.append('%.2f,"Imported grocery item number %d",%.2f,%s,%s,%s,"%s",%s,%s,%s\r\n' % (
            1 + i % 4, i, 0.01 * (i % 5000), "True" if i % 11 == 0 else "False",
            locations[i % 3], note, cats, "True" if i % 3 == 0 else "False",
            "True" if i % 2 == 0 else "False", units[i % 5]))
    text = "".join(lines)
    paths = {"ansi": os.path.join(folder, "ansi.csv"), "utf16": os.path.join(folder, "utf16.csv")}
    with open(paths["ansi"], "wb") as f:
        f.write(text.encode("cp1252"))
    with open(paths["utf16"], "wb") as f:
        f.write(text.encode("utf-16-le"))
    return paths


def python_times(path, encoding):
    best_wall = best_cpu = float("inf")
    for _ in range(RUNS):
        wall, cpu = time.perf_counter(), time.process_time()
        with open(path, newline="", encoding=encoding) as f:
            rows = list(csv.reader(f))
        best_wall = min(best_wall, time.perf_counter() - wall)
        best_cpu = min(best_cpu, time.process_time() - cpu)
        assert len(rows) == ROWS
    return best_wall * 1000, best_cpu * 1000


def listora_times(program, folder):
    env = dict(os.environ, LISTORA_BENCH_CSV=folder)
    out = subprocess.run([program, "--benchmark_filter=Load", "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % RUNS, "--benchmark_report_aggregates_only=false"],
                         env=env, check=True, capture_output=True, text=True).stdout
    times = {}
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") != "iteration":
            continue
        key = "ansi" if "Ansi" in run["run_name"] else "utf16"
        wall, cpu = times.get(key, (float("inf"), float("inf")))
        times[key] = (min(wall, run["real_time"]), min(cpu, run["cpu_time"]))
    return times


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    program = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build/bench/bench/bench_exchange")
    with tempfile.TemporaryDirectory() as folder:
        paths = write_files(folder)
        ours = listora_times(program, folder)
        print("%-6s %8s %14s %14s %14s" % ("file", "MB", "CDelimitedFile", "python csv", "ratio"))
        for key, encoding in (("ansi", "cp1252"), ("utf16", "utf-16-le")):
            size = os.path.getsize(paths[key]) / 1e6
            py_wall, py_cpu = python_times(paths[key], encoding)
            wall, cpu = ours[key]
            print("%-6s %8.1f %8.1f ms wall %8.1f ms wall %8.1fx wall" % (key, size, wall, py_wall, py_wall / wall))
            print("%-6s %8s %8.1f ms cpu  %8.1f ms cpu  %8.1fx cpu" % ("", "", cpu, py_cpu, py_cpu / cpu))


if __name__ == "__main__":
    main()
