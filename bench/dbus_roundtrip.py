#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""D-Bus method round trips of auriventd on simulated boxes while the phone's
music runs on every fan, and the service's CPU time per GetStatus call.

    bench/dbus_roundtrip.py [--boxes 16] [--latency 2] [--calls 1000] AURIVENTD

A private session bus is started for the run. The phone's port is fixed, so
run it in a private network namespace:
    unshare -n sh -c 'ip link set lo up; bench/dbus_roundtrip.py build/bin/auriventd'
Prints, for GetStatus, SetSpeed and ListCurves: p50 / p99 / max round trip in ms
while music runs; then the service's CPU milliseconds per GetStatus call,
measured against the same number of seconds without calls (idle and music).
Needs Debian's python3-dbus (hence /usr/bin/python3).
"""
import argparse, json, os, shutil, subprocess, sys, tempfile, time

import dbus

HERE = os.path.dirname(os.path.abspath(__file__))
PHONE = os.path.join(HERE, "..", "tools", "phone", "phone.py")
TICK = os.sysconf("SC_CLK_TCK")
NAME = "io.github.aurivent.Aurivent1"
PATH = "/io/github/aurivent/Aurivent1"


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def wait_until(what, check, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if check():
            return
        time.sleep(0.01)
    sys.exit("timed out waiting for " + what)


def percentile(sorted_ms, p):
    return sorted_ms[min(len(sorted_ms) - 1, int(round(p / 100.0 * (len(sorted_ms) - 1))))]


def round_trips(call, n):
    out = []
    for _ in range(n):
        t = time.perf_counter()
        call()
        out.append((time.perf_counter() - t) * 1000)
    return sorted(out)


def cpu_per_call(pid, call, n):
    """Service CPU ms per call: the run with calls less the same span without."""
    c0, t0 = cpu_seconds(pid), time.monotonic()
    for _ in range(n):
        call()
    busy, span = cpu_seconds(pid) - c0, time.monotonic() - t0
    c0 = cpu_seconds(pid)
    time.sleep(span)
    quiet = cpu_seconds(pid) - c0
    return 1000 * (busy - quiet) / n, span


def main():
    p = argparse.ArgumentParser()
    p.add_argument("auriventd")
    p.add_argument("--boxes", type=int, default=16)
    p.add_argument("--latency", type=int, default=2)
    p.add_argument("--calls", type=int, default=1000)
    a = p.parse_args()

    work = tempfile.mkdtemp()
    env = dict(os.environ, XDG_CONFIG_HOME=work + "/config", XDG_RUNTIME_DIR=work + "/run",
               XDG_STATE_HOME=work + "/state")
    for k in ("DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(k, None)
    os.makedirs(work + "/config/Kq/RGBVaylaZeve")
    os.makedirs(work + "/run", mode=0o700)
    with open(work + "/config/Kq/RGBVaylaZeve/Device.ini", "w") as f:
        f.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nOpenPassword=0\n")
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                              stdout=subprocess.PIPE, env=env)
    service = None
    try:
        env["DBUS_SESSION_BUS_ADDRESS"] = daemon.stdout.readline().decode().strip()
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = env["DBUS_SESSION_BUS_ADDRESS"]
        service = subprocess.Popen([a.auriventd, "--simulate=" + ",".join(["1"] * a.boxes),
                                    "--simulate-latency=%d" % a.latency],
                                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        bus = dbus.SessionBus()
        wait_until("the service on the bus", lambda: bus.name_has_owner(NAME), 60)
        obj = dbus.Interface(bus.get_object(NAME, PATH), NAME)
        status = lambda: obj.GetStatus()
        wait_until("every box", lambda: len(status()["boxes"]) == a.boxes, 60)

        idle_cpu, idle_span = cpu_per_call(service.pid, status, a.calls)

        request = {"command": 7, "Data": {"BoxNum": "1" * a.boxes, "FanNum": "11111", "Status": 1, "Volume": 60,
                                          "MusicMode": 11, "ColorMode": 0, "RColor": 255, "GColor": 0,
                                          "BColor": 0, "LED1": "1" * 13}}
        subprocess.run([sys.executable, PHONE, "--wait", "0.3", json.dumps(request)], env=env,
                       stdout=subprocess.DEVNULL, check=True)
        time.sleep(2)  # the music frames are running
        speed = [0]

        def set_speed():
            speed[0] = (speed[0] + 1) % 6
            obj.SetSpeed(speed[0] % a.boxes, 1, str(speed[0]))

        # ListCurves: a small reply, so the client's decoding of the snapshot drops out.
        for label, call in (("GetStatus", status), ("SetSpeed", set_speed), ("ListCurves", obj.ListCurves)):
            ms = round_trips(call, a.calls)
            print("%-10s in music (%d boxes, %d ms exchange): p50 %6.2f ms  p99 %6.2f ms  max %6.2f ms  (%d calls)"
                  % (label, a.boxes, a.latency, percentile(ms, 50), percentile(ms, 99), ms[-1], len(ms)))
        music_cpu, music_span = cpu_per_call(service.pid, status, a.calls)
        print("GetStatus service CPU per call: idle %.3f ms (%d calls in %.1f s), in music %.3f ms (%.1f s)"
              % (idle_cpu, a.calls, idle_span, music_cpu, music_span))
    finally:
        if service:
            service.terminate()
            service.wait(timeout=30)
        daemon.terminate()
        daemon.wait(timeout=30)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
