#!/usr/bin/env python3
"""Times listora-cli as a whole process, as a script or a user meets it (figures for the
README, not a test): show of a 100,000-line list, and store backup and restore of a
store with 5,000 catalogue items. Each figure is the best of several runs.

    bench/cli_timing.py [path/to/listora-cli]     (default: build/bench/src/listora-cli)

Build the companion for it with the Release build of the README's benchmark section:
    cmake --build build/bench --target listora-cli
"""
import os
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LINES = 100_000
ITEMS = 5_000


def text(value):
    units = value.encode("utf-16-le")
    return struct.pack("<H", len(units) // 2) + units


def write_list(path, lines=LINES):
    out = [struct.pack("<I", lines)]
    for i in range(lines):
        out.append(text("Item %06d" % i) + text("kg") + text("note %d" % (i % 7)) + text("Market"))
        out.append(struct.pack("<ff", 1 + i % 5, 0.25 * (i % 400)))
        out.append(bytes([i % 3 == 0, 0, i % 2, i % 4 == 0]))
        out.append(struct.pack("<I", 2) + text("Foods") + text("Drinks"))
    with open(path, "wb") as f:
        f.write(b"".join(out))


def hex_list(data):
    return ",".join("%02x" % b for b in data)


def write_store(path):
    multi = lambda names: hex_list("".join(n + "\0" for n in names).encode("utf-16-le") + b"\0\0")
    lines = ["REGEDIT4", "", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tamra\\Listora]",
             '"Categories"=hex(7):' + multi(["Foods", "Drinks"]),
             '"LastFile"="\\\\My Documents\\\\New.lsr"', "",
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tamra\\Listora\\Items]", ""]
    for i in range(ITEMS):
        lines += ["[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tamra\\Listora\\Items\\Item %05d]" % i,
                  '"Categories"=hex(7):' + multi(["Foods"]),
                  '"Location"="Market"', '"Price"=dword:%08x' % (i * 3), '"Taxable"=dword:00000000',
                  '"Unit"="kg"', ""]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def best(runs, command, env):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        result = subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        times.append(time.perf_counter() - start)
        if result.returncode != 0:
            sys.exit("%s failed: %s" % (" ".join(command), result.stderr.decode()))
    return min(times) * 1000


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "bench", "src", "listora-cli")
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, LISTORA_ROOT=os.path.join(work, "root"))
        big = os.path.join(work, "big.lsr")
        store = os.path.join(work, "store.reg")
        write_list(big)
        write_store(store)
        print("show, %d lines, table:        %6.0f ms" % (LINES, best(5, [cli, "show", big], env)))
        print("show, %d lines, json:         %6.0f ms" % (LINES, best(5, [cli, "show", big, "--format", "json"], env)))
        print("store restore, %d items:        %6.0f ms" % (ITEMS, best(3, [cli, "store", "restore", store], env)))
        backup = os.path.join(work, "backup.reg")
        print("store backup, %d items:         %6.0f ms" % (ITEMS, best(3, [cli, "store", "backup", backup], env)))


if __name__ == "__main__":
    main()
