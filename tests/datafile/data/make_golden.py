#!/usr/bin/python3
# Writes the golden data files with Python's own "%f" formatting (the C library's "%lf" in the
# C locale), independently of the program's writer. The values match goldenFiles.cpp.
import math, os

here = os.path.dirname(os.path.abspath(__file__))
DEG = b'\xb0'


def value(v):
    return b'nan,' if math.isnan(v) else (b'%f,' % v)


def rows(columns, vpc, ts, data):
    out = b''
    for i, scan in enumerate(data):
        if ts:
            out += b'%d.%09d,' % ts[i]
        for v in scan:
            out += value(v)
        out += b'\n'
    return out


def golden_a():
    head = (b'sep=,\nKorvan 4720-AC\nSerial Number:,0a1b2c3d\n\n'
            b'Clock Source:,Internal\nScan Rate:,10,Hz\nStart Mode:,PTP Alarm\n'
            b'PTP Alarm:,06.12.2026 13:05:09,1796562309.000000000\n'
            b'Stop Mode:,Stop after predefined time\nNumber of scans:,50\n'
            b'Acquisition time:,5.000000,s\n\n')
    cols = b'Timestamp,'
    for n, t, otd in [(2, b'K', False), (5, b'J', True), (7, b'User 1', False)]:
        cols += b'Channel %d [' % n + DEG + b'C] TC:' + t + (b' OTD enabled' if otd else b'') + b','
        cols += b'TC %d [mV],' % n
        cols += b'CJ %d [' % n + DEG + b'C],'
    cols += b'\n'
    ts = [(1796562309, 0), (1796562309, 100000000), (1796562309, 200000500), (1796562309, 300000000)]
    data = [[21.503, 0.852, 23.25, float('nan'), float('nan'), 23.25, -1e-9, -0.0000005, 23.0],
            [-12.3456785, -0.5, 1e7 + 0.1234565, 1234.5678904, 49.9999995, 23.1, 0.0, 1e-300, -3.5],
            [-0.0, 2.5e-7, 5e-7, 1.5e-6, -7.25e-7, 9999.9999996, 123456789.125, -987654.3210005, 0.1],
            [float('inf'), float('-inf'), 1e15, 300.0, float('nan'), 22.75, 1.0 / 3, -2.0 / 3, 1e-6]]
    return head + cols + rows(3, 3, ts, data)


def golden_b():
    head = (b'sep=,\nKorvan 4720-AA\nSerial Number:,Not Available\n\n'
            b'Clock Source:,Rear Panel Line 1\nStart Mode:,Rear Panel Line 2\n'
            b'Stop Mode:,Stop on trigger (gate)\n\n')
    cols = b'Channel 1 [' + DEG + b'C] TC:T,\n'
    data = [[20.0], [float('nan')], [-200.123456], [1370.0000004]]
    return head + cols + rows(1, 1, None, data)


def golden_c():
    head = (b'sep=,\nKorvan 4720-AB\nSerial Number:,00c0ffee\n\n'
            b'Clock Source:,PTP\nScan Rate:,1000,Hz\nStart Mode:,Immediate\n'
            b'Stop Mode:,Stop after predefined number of scans is acquired\nNumber of scans:,3\n'
            b'Acquisition time:,0.003000,s\n\n')
    cols = (b'Timestamp,Channel 1 [' + DEG + b'C] TC:K,TC 1 [mV],Channel 3 [' + DEG +
            b'C] TC:J OTD enabled,TC 3 [mV],\n')
    ts = [(12, 500000), (12, 1500000), (-1, 999999999)]
    data = [[21.503, 0.852, float('nan'), float('nan')],
            [21.5035, 0.8525, 30.0000005, 1.2345675],
            [-0.0000004, -0.0000006, 1e10 / 3, -1e10 / 7]]
    return head + cols + rows(2, 2, ts, data)


for name, make in [('golden_ts_volt_cj_3ch.csv', golden_a), ('golden_temp_1ch_external.csv', golden_b),
                   ('golden_ts_volt_2ch.csv', golden_c)]:
    with open(os.path.join(here, name), 'wb') as f:
        f.write(make())
