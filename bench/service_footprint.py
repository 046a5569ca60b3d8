#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The service's footprint on simulated boxes: time from the start to the
first HID report, RSS once started, CPU while idle, then CPU and RSS after
MUSIC seconds of the phone's music effect on every fan of every box.

    bench/service_footprint.py [--boxes N] [--idle S] [--music S] LABEL COMMAND...

COMMAND is the program and its arguments up to the simulator's (for example
"build/bin/Aurivent --headless"); --simulate and --hid-trace are added.
Run each build in a private network namespace (the phone's port is fixed),
side by side, so both see the same machine:
    unshare -n sh -c 'ip link set lo up; bench/service_footprint.py after build/bin/auriventd' &
Prints one line: label, ms to the first report, RSS MiB after start, CPU %
of one core idle, CPU % in music, RSS MiB after the music (and its PSS and
private share).
"""
import argparse, json, os, shutil, subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))
PHONE = os.path.join(HERE, "..", "tools", "phone", "phone.py")
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def rss_mib(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024.0
    return float("nan")


def rollup_mib(pid, keys):
    """Sum of the named fields of /proc/PID/smaps_rollup, in MiB."""
    total = 0
    for line in open("/proc/%d/smaps_rollup" % pid):
        name, _, rest = line.partition(":")
        if name in keys:
            total += int(rest.split()[0])
    return total / 1024.0


def wait_until(what, check, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if check():
            return
        time.sleep(0.005)
    sys.exit("timed out waiting for " + what)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("label")
    p.add_argument("command", nargs=argparse.REMAINDER)
    p.add_argument("--boxes", type=int, default=4)
    p.add_argument("--idle", type=float, default=60)
    p.add_argument("--music", type=float, default=300)
    a = p.parse_args()

    work = tempfile.mkdtemp()
    env = dict(os.environ, XDG_CONFIG_HOME=work + "/config", XDG_RUNTIME_DIR=work + "/run",
               XDG_STATE_HOME=work + "/state", QT_QPA_PLATFORM="offscreen")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    os.makedirs(work + "/config/Kq/RGBVaylaZeve")
    os.makedirs(work + "/run", mode=0o700)
    with open(work + "/config/Kq/RGBVaylaZeve/Device.ini", "w") as f:
        f.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nOpenPassword=0\n")
    trace = work + "/trace"
    args = a.command + ["--simulate=" + ",".join(["1"] * a.boxes), "--hid-trace=" + trace]
    start = time.monotonic()
    proc = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def first_report():
            try:
                return b" XFER " in open(trace, "rb").read()
            except OSError:
                return False
        wait_until("the first report", first_report, 60)
        first_ms = (time.monotonic() - start) * 1000

        def all_open():
            return open(trace, "rb").read().count(b" OPEN ") >= a.boxes
        wait_until("every box", all_open, 60)
        time.sleep(5)  # settle: start-up reports and the first polls
        rss_start = rss_mib(proc.pid)

        c0, t0 = cpu_seconds(proc.pid), time.monotonic()
        time.sleep(a.idle)
        idle = 100 * (cpu_seconds(proc.pid) - c0) / (time.monotonic() - t0)

        for box in range(1, a.boxes + 1):
            request = {"command": 7, "Data": {"BoxNum": str(box), "FanNum": "11111", "Status": 1, "Volume": 60,
                                              "MusicMode": 11, "ColorMode": 0, "RColor": 255, "GColor": 0,
                                              "BColor": 0}}
            subprocess.run([sys.executable, PHONE, "--wait", "0.3", json.dumps(request)], env=env,
                           stdout=subprocess.DEVNULL, check=True)
        c0, t0 = cpu_seconds(proc.pid), time.monotonic()
        time.sleep(a.music)
        music = 100 * (cpu_seconds(proc.pid) - c0) / (time.monotonic() - t0)
        rss_music = rss_mib(proc.pid)
        # RSS counts every shared-library page the program touched; PSS shares
        # them out among the processes mapping them, private is its own.
        pss_music = rollup_mib(proc.pid, ("Pss",))
        private_music = rollup_mib(proc.pid, ("Private_Clean", "Private_Dirty"))
        frames = sum(1 for line in open(trace, "rb") if line.split(b" ")[1:2] == [b"XFER"])
        print("%-8s first report %6.0f ms  rss start %5.1f MiB  cpu idle %5.2f %%  cpu music %5.2f %%  "
              "rss after music %5.1f MiB (pss %5.1f, private %5.1f)  reports %d"
              % (a.label, first_ms, rss_start, idle, music, rss_music, pss_music, private_music, frames))
    finally:
        proc.terminate()
        proc.wait(timeout=30)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
