#!/usr/bin/env python3
"""Measures the rows of docs/performance.md against their peers.

Each row pairs our side with a peer doing the same work. A pass runs every
side of a row once, one process after the other (ours, then the peer), and
the passes alternate, so drift in the machine's speed reaches both sides
alike. Every process is pinned to one processor. A row prints each side's
median over the passes with its range, and the median and range of the
per-pass ratio ours / peer (lower is better; 1.0 is parity).

Needs the Release build of docs/performance.md and the peers' packages
(scripts/deps.sh test). The machine's load average is printed at the start
and the end of every section: the figures of a loaded machine are noisier.
"""
import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MODULES = ["pachi_menu", "pachi_stage1", "gweled_autonom", "gltron_cats"]


def load():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


def pinned(args, cpu):
    return ["taskset", "-c", str(cpu)] + args


def whole_process(args, cpu, env=None):
    """User+system CPU seconds and peak RSS (KiB) of one run of a command. The CPU time is the
    kernel's (to the microsecond) for /usr/bin/time and its child; the peak RSS is the one
    /usr/bin/time reads for its child (a child of this interpreter starts at its peak)."""
    with tempfile.NamedTemporaryFile("r") as times:
        proc = subprocess.Popen(["/usr/bin/time", "-o", times.name, "-f", "%M"] + pinned(args, cpu),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        _, status, usage = os.wait4(proc.pid, 0)
        proc.returncode = os.waitstatus_to_exitcode(status)
        if proc.returncode != 0:
            raise SystemExit(f"failed ({proc.returncode}): {' '.join(args)}")
        kib = int(times.read().split()[-1])
    return usage.ru_utime + usage.ru_stime, kib


def benchmark_medians(binary, names, repetitions, cpu, env=None):
    """CPU-time medians (ns) and counters of the named Google Benchmark rows."""
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    out = subprocess.run(
        pinned([str(binary), f"--benchmark_filter={pattern}", f"--benchmark_repetitions={repetitions}",
                "--benchmark_report_aggregates_only=true", "--benchmark_format=json"], cpu),
        check=True, capture_output=True, text=True, env=env).stdout
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    result = {}
    for row in json.loads(out)["benchmarks"]:
        if row.get("aggregate_name") == "median":
            result[row["run_name"]] = (row["cpu_time"] * scale[row["time_unit"]], row)
    missing = set(names) - set(result)
    if missing:
        raise SystemExit(f"{binary}: no rows {sorted(missing)}")
    return result


def spread(values):
    return f"{statistics.median(values):.4g} [{min(values):.4g}-{max(values):.4g}]"


def report(label, ours, peers):
    """One row: each side's median [range] over the passes and the per-pass ratios."""
    line = f"{label}: ours {spread(ours)}"
    for name, values in peers.items():
        ratios = [a / b for a, b in zip(ours, values)]
        line += f"; {name} {spread(values)}, ratio {spread(ratios)}"
    print(line, flush=True)


def section(title):
    print(f"== {title} (load {load()})", flush=True)


def google_rows(args, binary, rows, repetitions, unit, peer_env=None):
    """rows: (label, our row, {peer name: peer row}). Ours runs, then each peer, pass after pass.
    Returns the last pass's rows by name, with their counters."""
    ours = {label: [] for label, _, _ in rows}
    peers = {label: {p: [] for p in peer_rows} for label, _, peer_rows in rows}
    peer_names = sorted({p for _, _, peer_rows in rows for p in peer_rows})
    for _ in range(args.passes):
        mine = benchmark_medians(binary, [r for _, r, _ in rows], repetitions, args.cpu)
        last = {name: row for name, (_, row) in mine.items()}
        for label, row, _ in rows:
            ours[label].append(mine[row][0] / unit)
        for peer in peer_names:
            wanted = [(label, peer_rows[peer]) for label, _, peer_rows in rows if peer in peer_rows]
            theirs = benchmark_medians(binary, [r for _, r in wanted], repetitions, args.cpu, peer_env)
            for label, row in wanted:
                peers[label][peer].append(theirs[row][0] / unit)
            last.update({name: row for name, (_, row) in theirs.items()})
    for label, _, _ in rows:
        report(label, ours[label], peers[label])
    return last


def capture(args, build, work):
    section("capture of a module to a WAV file, whole process: CPU s (peak RSS MiB)")
    module = work / "menu.s3m"
    shutil.copy("/usr/share/pachi/music/menu.s3m", module)
    ours = {s: [] for s in (60, 600)}
    peer = {s: [] for s in (60, 600)}
    rss = {"ours": [], "openmpt123": []}
    for _ in range(args.passes):
        for seconds in (60, 600):
            cpu, kib = whole_process([str(build / "tools/soundplay/soundplay"), "--capture", str(work / "ours.wav"),
                                      str(module), str(seconds)], args.cpu)
            ours[seconds].append(cpu)
            if seconds == 600:
                rss["ours"].append(kib / 1024)
            cpu, kib = whole_process(["openmpt123", "--quiet", "--render", "--samplerate", "22050", "--filter", "1",
                                      "--ramping", "0", "--no-float", "--repeat", "-1", "--end-time", str(seconds),
                                      "--force", str(module)], args.cpu)
            peer[seconds].append(cpu)
            if seconds == 600:
                rss["openmpt123"].append(kib / 1024)
    for seconds in (60, 600):
        report(f"{seconds} s", ours[seconds], {"openmpt123": peer[seconds]})
    report("600 s / 60 s", [b / a for a, b in zip(ours[60], ours[600])],
           {"openmpt123": [b / a for a, b in zip(peer[60], peer[600])]})
    print("peak RSS MiB, 600 s: " + "; ".join(f"{name} {spread(values)}" for name, values in rss.items()))
    for f in work.glob("*.wav"):
        f.unlink()


def mixer(args, build):
    section("mixer and player, 60 s of a module in process: CPU ms")
    binary = build / "bench/sound/sound_bench"
    rows = [(m, f"Render/{m}/real_time", {"libopenmpt": f"Libopenmpt/{m}/real_time", "libxmp": f"Libxmp/{m}/real_time"})
            for m in MODULES]
    last = google_rows(args, binary, rows, 5, 1e6)
    for label, row, peer_rows in rows:
        counts = ", ".join(f"{name} {last[r]['voices']:.2f}" for name, r in peer_rows.items())
        print(f"{label} mean voices mixed: ours {last[row]['voices']:.2f}, {counts}", flush=True)


def graphics(args, build):
    binary = build / "bench/graphics/bench_graphics"
    sizes = ["240/320", "480/640"]
    section("screen fill, card blits: CPU µs")
    google_rows(args, binary,
                [(f"fill {s}", f"BM_FillScreen/{s}", {"pixman_fill": f"BM_FillPixmanReference/{s}"}) for s in sizes] +
                [(f"cards {s}", f"BM_CardsOpaque/{s}", {"pixman SRC": f"BM_CardsPixmanSrcReference/{s}"})
                 for s in sizes], 7, 1e3)
    section("DCT decode 480x640: CPU ms")
    dct = [("DCT", "BM_DctDecode", {"libjpeg-turbo": "BM_DctLibjpegReference"})]
    google_rows(args, binary, dct, 7, 1e6)
    section("DCT decode 480x640, the peer without SIMD: CPU ms")
    google_rows(args, binary, dct, 7, 1e6, dict(os.environ, JSIMD_FORCENONE="1"))


def queue(args, build):
    section("message queue and timers: CPU ns")
    google_rows(args, build / "bench/wince_queue/bench_wince_queue",
                [("post and dispatch", "BM_PostAndDispatch", {"deque": "BM_DequeQueuePeer"}),
                 ("timer tick", "BM_TimerTick", {"deque": "BM_DequeQueuePeer"})], 9, 1.0)


def idle(args, build, work):
    """Peak memory, wake-ups and CPU time of a program left idle in a window."""
    section("idle in the window (Xvfb), 20 s after 6 s to start")
    for program in ("pellwyn", "carrowin-klondike"):
        root = work / f"root-{program}"
        root.mkdir()
        xvfb = subprocess.Popen(["Xvfb", ":57", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        app = subprocess.Popen([str(build / "programs" / program), "--root", str(root)], env=dict(os.environ, DISPLAY=":57"),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(6)
        tasks = Path(f"/proc/{app.pid}/task")

        def switches():
            return sum(int(line.split()[1]) for t in tasks.iterdir() for line in (t / "status").read_text().splitlines()
                       if "ctxt_switches" in line)

        def cpu_ms():
            return sum(int((t / "schedstat").read_text().split()[0]) for t in tasks.iterdir()) / 1e6

        s1, c1 = switches(), cpu_ms()
        time.sleep(20)
        hwm = next(line.split()[1] for line in Path(f"/proc/{app.pid}/status").read_text().splitlines()
                   if line.startswith("VmHWM"))
        gl = sum(1 for line in Path(f"/proc/{app.pid}/maps").read_text().splitlines()
                 if "libGL" in line or "dri" in line)
        print(f"{program}: peak {int(hwm) / 1024:.1f} MiB, {(switches() - s1) / 20:.0f} wake-ups a second, "
              f"{cpu_ms() - c1:.0f} ms CPU in 20 s, GL mappings {gl}", flush=True)
        for p in (app, xvfb):
            p.terminate()
            p.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build/rel", help="the Release build tree")
    parser.add_argument("--passes", type=int, default=5, help="alternating passes of each row")
    parser.add_argument("--cpu", type=int, default=1, help="the processor every run is pinned to")
    parser.add_argument("sections", nargs="*", default=["capture", "mixer", "graphics", "queue", "idle"])
    args = parser.parse_args()
    build = (ROOT / args.build).resolve()
    print(f"start {time.strftime('%F %T', time.gmtime())} UTC, load {load()}, pinned to cpu {args.cpu}, "
          f"{args.passes} passes", flush=True)
    with tempfile.TemporaryDirectory() as tmp:
        work = Path(tmp)
        for name in args.sections:
            if name == "capture":
                capture(args, build, work)
            elif name == "idle":
                idle(args, build, work)
            else:
                {"mixer": mixer, "graphics": graphics, "queue": queue}[name](args, build)
    print(f"end {time.strftime('%F %T', time.gmtime())} UTC, load {load()}", flush=True)


if __name__ == "__main__":
    main()
