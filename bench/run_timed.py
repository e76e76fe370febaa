#!/usr/bin/env python3
"""Runs one player under /usr/bin/time -v for a fixed time and reports, as one line of
key=value pairs: CPU seconds (user+sys), peak RSS in MB, and the time to first audio,
taken from the first output line that matches a pattern (the player's own report that
audio has started).

Usage: run_timed.py SECONDS PATTERN -- COMMAND ARGS...
"""
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time


def main():
    seconds = float(sys.argv[1])
    pattern = re.compile(sys.argv[2])
    command = sys.argv[sys.argv.index("--") + 1:]
    with tempfile.NamedTemporaryFile(suffix=".time") as stats:
        start = time.monotonic()
        proc = subprocess.Popen(["/usr/bin/time", "-v", "-o", stats.name] + command,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                start_new_session=True)
        first_audio = None
        buffer = b""
        deadline = start + seconds
        while time.monotonic() < deadline and proc.poll() is None:
            ready, _, _ = select.select([proc.stdout], [], [], 0.05)
            if not ready:
                continue
            chunk = os.read(proc.stdout.fileno(), 65536)
            if not chunk:
                break
            now = time.monotonic()
            buffer += chunk
            # Players redraw status lines with CR; treat it as a line end as well.
            *lines, buffer = re.split(rb"[\r\n]", buffer)
            for line in lines:
                text = line.decode("utf-8", "replace")
                if first_audio is None and pattern.search(text):
                    # Our driver reports its own measurement; trust it over pipe timing.
                    m = re.search(r"first audio: (\d+) ms", text)
                    first_audio = int(m.group(1)) / 1000 if m else now - start
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGINT)  # time -v reports the child's usage on exit
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait()
        text = open(stats.name).read()

    def field(name):
        m = re.search(re.escape(name) + r": ([\d.:]+)", text)
        return float(m.group(1)) if m else float("nan")

    cpu = field("User time (seconds)") + field("System time (seconds)")
    rss = field("Maximum resident set size (kbytes)") / 1024
    ttfa = "n/a" if first_audio is None else "%.2f" % first_audio
    print("cpu_s=%.2f rss_mb=%.1f first_audio_s=%s" % (cpu, rss, ttfa))


if __name__ == "__main__":
    main()
