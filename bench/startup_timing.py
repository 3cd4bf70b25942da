#!/usr/bin/env python3
"""Times Listora's start as a whole process, from the start of the process to the first
painted list, against the same for a bare Qt window with a painted widget (the limit),
and prints the ratio. The store holds 5,000 catalogue items and the last list has 1,000
lines; both programs run on the offscreen platform unless QT_QPA_PLATFORM names another
(for a display: QT_QPA_PLATFORM=xcb with DISPLAY set, e.g. under Xvfb). Each figure is the best of the runs
(the machines are shared and noisy: the ratio is what holds).

    bench/startup_timing.py [build dir] [runs]      (default: build/bench, 15 runs)

Build them with the Release build of the README's benchmark section:
    cmake --build build/bench --target listora listora-cli bare_window
"""
import os
import select
import signal
import subprocess
import sys
import tempfile
import time

from cli_timing import write_list, write_store

HERE = os.path.dirname(os.path.abspath(__file__))
LINES = 1_000


def until_first_paint(command, env, timeout=20.0):
    """Seconds from the start of the process to its "first paint" line on stderr."""
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    seen = b""
    try:
        while b"first paint" not in seen:
            left = timeout - (time.perf_counter() - start)
            if left <= 0 or not select.select([process.stderr], [], [], left)[0]:
                sys.exit("%s did not paint within %.0f s" % (command[0], timeout))
            chunk = os.read(process.stderr.fileno(), 65536)
            if not chunk:
                sys.exit("%s ended before its first paint: %s" % (command[0], seen.decode(errors="replace")))
            seen += chunk
        return time.perf_counter() - start
    finally:
        # Listora ends cleanly on SIGTERM (and saves); a clean end keeps the store's backups quiet.
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        # Listora's exit writes its store's backup: the next start, of either program,
        # must not meet that write still going to disk.
        os.sync()
        time.sleep(0.05)


def best_of_both(runs, first, second, env):
    """The best times of two commands run by turns, so that both meet the same load."""
    times = ([], [])
    for _ in range(runs):
        times[0].append(until_first_paint(first, env))
        times[1].append(until_first_paint(second, env))
    return min(times[0]) * 1000, min(times[1]) * 1000


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "bench")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    listora = os.path.join(build, "src", "listora")
    cli = os.path.join(build, "src", "listora-cli")
    bare = os.path.join(build, "bench", "bare_window")
    with tempfile.TemporaryDirectory() as work:
        root = os.path.join(work, "root")
        platform = os.environ.get("QT_QPA_PLATFORM", "offscreen")
        env = dict(os.environ, LISTORA_ROOT=root, LISTORA_DEBUG="1", QT_QPA_PLATFORM=platform)
        store = os.path.join(work, "store.reg")
        write_store(store)
        subprocess.run([cli, "store", "restore", store], env=env, check=True, stdout=subprocess.DEVNULL)
        os.makedirs(os.path.join(root, "My Documents"), exist_ok=True)
        write_list(os.path.join(root, "My Documents", "New.lsr"), LINES)
        # The first start adds the list's items to the catalogue; later starts only read.
        until_first_paint([listora], env)
        limit, program = best_of_both(runs, [bare], [listora], env)
        print("platform:                                    %s" % platform)
        print("bare Qt window, first paint:                 %6.1f ms" % limit)
        print("Listora, %d lines, 5,000 items, first paint: %6.1f ms" % (LINES, program))
        print("ratio:                                       %6.2f" % (program / limit))


if __name__ == "__main__":
    main()
