#!/usr/bin/env python3
"""The program on the demo line with its control socket, driven by the Python client of
docs/control.md and by quendrix-ctl, each exit status checked.

Usage: check_clients.py QUENDRIX QUENDRIX_CTL CONTROL_MD"""
import os
import subprocess
import sys
import tempfile

quendrix, ctl, guide = sys.argv[1:4]

with tempfile.TemporaryDirectory() as home:
    runtime = os.path.join(home, "runtime")
    os.mkdir(runtime, 0o700)
    os.makedirs(os.path.join(home, "config", "quendrix"))
    with open(os.path.join(home, "config", "quendrix", "quendrix.ini"), "w") as ini:
        ini.write("[Ports]\nCOM1=sim\n[Control]\nEnabled=1\n")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), QT_QPA_PLATFORM="offscreen")
    protocol = os.path.join(home, "short.protocol")
    with open(protocol, "w", newline="") as f:
        f.write('"1"\r\n"ZR"\r\n"W"\r\n"End"\r\n""\r\n""\r\n')
    text = open(guide, encoding="utf-8").read()
    client = os.path.join(home, "run_protocol.py")
    with open(client, "w") as f:
        f.write(text.split("```python\n", 1)[1].split("```", 1)[0])

    def ctl_status(*arguments):
        return subprocess.run([ctl, *arguments], env=env, cwd=home, capture_output=True,
                              text=True, timeout=120)

    assert ctl_status("status").returncode == 69, "nothing listening yet"
    program = subprocess.Popen([quendrix], env=env, cwd=home, stderr=subprocess.PIPE, text=True)
    try:
        for line in program.stderr:
            if "control: listening at" in line:
                break
        else:
            sys.exit("the program never listened")
        run = subprocess.run([sys.executable, client, protocol], env=env, cwd=home,
                             capture_output=True, text=True, timeout=120)
        assert run.returncode == 0 and run.stdout == "ended: end-row at row 2\n", run
        checks = [
            (("run", protocol, "--wait", "--timeout", "60"), 0),
            (("status", "--json"), 0),
            (("load", os.path.join(home, "missing.protocol")), 65),
            (("answer",), 0),
            (("fly",), 64),
            (("send", "1"), 64),
        ]
        for arguments, status in checks:
            result = ctl_status(*arguments)
            assert result.returncode == status, (arguments, result)
        print("python client:", run.stdout.strip(), "; quendrix-ctl: every exit status as expected")
    finally:
        program.terminate()
        program.wait(timeout=30)
