#!/usr/bin/python3
"""Times pandas.read_csv (C engine) on a data file of the program, for comparison with
bench_datafile. Usage: pandas_read.py FILE [--temperatures]
With --temperatures only the timestamp and temperature columns are parsed (usecols), the
values readDataFileRows stores; by default every column is parsed."""
import os
import resource
import sys
import time

import pandas as pd


def header_lines(path):
    """Lines before the column line, which pandas takes as its header row."""
    with open(path, 'rb') as f:
        for index, line in enumerate(f):
            low = line.lower()
            if low.startswith(b'timestamp') or low.startswith(b'channel'):
                return index, line.decode('latin-1').rstrip('\r\n').split(',')
    raise SystemExit('no column line in ' + path)


def main():
    path = sys.argv[1]
    temperatures_only = '--temperatures' in sys.argv[2:]
    skip, columns = header_lines(path)
    usecols = None
    if temperatures_only:
        usecols = [c for c in columns if c.startswith('Timestamp') or c.startswith('Channel ')]
    start = time.perf_counter()
    frame = pd.read_csv(path, skiprows=skip, header=0, encoding='latin-1', engine='c', usecols=usecols)
    seconds = time.perf_counter() - start
    rows = len(frame)
    size_mb = os.path.getsize(path) / 1e6
    peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    label = 'pandas (temperature columns)' if temperatures_only else 'pandas (all columns)'
    print('%s: %d rows, %d columns: %.3f s: %.0f rows/s, %.1f MB/s, peak memory %.1f MB'
          % (label, rows, frame.shape[1], seconds, rows / seconds, size_mb / seconds, peak_mb))
    print('RESULT pandas%s read_rows_per_s=%.0f read_mb_per_s=%.1f peak_mb=%.1f'
          % ('_temperatures' if temperatures_only else '', rows / seconds, size_mb / seconds, peak_mb))


if __name__ == '__main__':
    main()
