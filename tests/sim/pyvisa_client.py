#!/usr/bin/python3
"""An independent client of the simulated Korvan 4720: starts ts4720-sim on a loopback
address of its own and talks to it through pyvisa with the pyvisa-py backend."""
import math
import signal
import subprocess
import sys
import time

import pyvisa

ADDRESS = "127.41.4.1"


def start_simulator(program):
    sim = subprocess.Popen([program, "--address", ADDRESS, "--web-port", "-1"],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    banner = sim.stdout.readline()
    if "TCPIP::" + ADDRESS + "::INSTR" not in banner:
        sim.kill()
        raise SystemExit("unexpected start line: %r" % banner)
    return sim


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def read_block(inst, query):
    """A definite-length block, read by its header (an empty one, #10, included)."""
    inst.write(query)
    head = inst.read_bytes(2)
    check(head[:1] == b"#", "block header: %r" % head)
    digits = int(head[1:2])
    length = int(inst.read_bytes(digits)) if digits else 0
    body = inst.read_bytes(length + 1)
    check(body[-1:] == b"\n", "block ends with a newline")
    return body[:-1]


def talk(inst):
    idn = inst.query("*IDN?")
    check(idn == "Tarsel Ltd.,Korvan 4720,47209481,3.2.0", "identity: %r" % idn)

    inst.write('CHAN:CONF 7,"User 2",0;:CHAN:STAT 7,1')
    check(inst.query("CHAN:CONF? 7;STAT? 7") == '"User 2",0;1', "channel configuration round trip")
    check(inst.query("SYST:ERR?") == '0,"No error"', "no error after the round trip")

    inst.write("NOT:A:COMMAND")
    inst.write("CHAN:STAT 49,1")
    check(inst.query("SYST:ERR?") == '-113,"Undefined header"', "undefined header queued first")
    check(inst.query("SYST:ERR?").startswith("-222,"), "channel out of range queued second")
    check(inst.query("SYST:ERR?") == '0,"No error"', "queue empty afterwards")

    inst.write("SIM:CHAN:OPEN 3,1;:SIM:CHAN:TEMP 1,55.25")
    scan = inst.query_binary_values("MEAS:SCAN?", datatype="d", is_big_endian=False)
    check(len(scan) == 48, "48 values in a scan, got %d" % len(scan))
    check(scan[0] == 55.25, "fixed temperature read back: %r" % scan[0])
    check(math.isnan(scan[2]), "open thermocouple reads NaN")
    check(all(10.0 < v < 40.0 for i, v in enumerate(scan) if i not in (0, 2)), "room temperatures")

    inst.write("ACQ:MODE 0,1000,200,0,0,1;:ATTR 295,1;:ACQ:STAR")
    total = 0
    for _ in range(1000):
        state = inst.query("ACQ:STAT?").split(",")
        block = read_block(inst, "DATA:REM? 100")
        check(len(block) % (8 + 48 * 8) == 0, "whole scans in a block")
        total += len(block) // (8 + 48 * 8)
        if state[0] == "0" and int(state[1]) == 0 and total == 200:
            break
        time.sleep(0.01)
    check(total == 200, "all 200 scans read, got %d" % total)


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/bin/ts4720-sim"
    sim = start_simulator(program)
    try:
        rm = pyvisa.ResourceManager("@py")
        inst = rm.open_resource("TCPIP::%s::5025::SOCKET" % ADDRESS)
        inst.read_termination = "\n"
        inst.write_termination = "\n"
        inst.timeout = 5000
        talk(inst)
        inst.close()
        rm.close()
    finally:
        sim.send_signal(signal.SIGTERM)
        out, _ = sim.communicate(timeout=10)
    check(sim.returncode == 0, "simulator exit code %r" % sim.returncode)
    check("stopped" in out, "simulator reported its stop")
    print("pyvisa client: all checks passed")


if __name__ == "__main__":
    main()
