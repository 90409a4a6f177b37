#!/usr/bin/env python3
"""Writes the synthetic track files in this folder.

Every file here is made by this script from nothing but the layout of the format: a 144-byte
header (signature, BCD date, point count, a Shift-JIS data name) and 8-byte point records of
24-bit big-endian coordinates in eighths of an arc-second.

    python3 samples/make_samples.py [OUTDIR]
"""
import math
import os
import sys

UNITS_PER_DEGREE = 28800  # eighths of an arc-second


def bcd(value):
    return ((value // 10) << 4) | (value % 10)


def header(count, name, when=(2026, 10, 3, 9, 15, 42), signature=b"TRAC1.00"):
    year, month, day, hour, minute, second = when
    head = bytearray(144)
    head[0:8] = signature
    head[8:12] = b"\x00\x01\x00\x00"
    head[12:19] = bytes([bcd(year // 100), bcd(year % 100), bcd(month), bcd(day),
                         bcd(hour), bcd(minute), bcd(second)])
    head[34:36] = count.to_bytes(2, "big")
    encoded = name.encode("cp932")
    assert len(encoded) <= 20
    head[72:72 + len(encoded)] = encoded
    return bytes(head)


def record(lat_deg, lon_deg):
    lat = round(lat_deg * UNITS_PER_DEGREE)
    lon = round(lon_deg * UNITS_PER_DEGREE)
    return lon.to_bytes(3, "big") + b"\x00" + lat.to_bytes(3, "big") + b"\x00"


def walk(points):
    """A morning walk from the station through the city centre, one fix every few seconds."""
    lat, lon = 38.26015, 140.88230
    heading = math.radians(290)
    out = []
    for i in range(points):
        out.append(record(lat, lon))
        # A gentle weave with a turn every fifty fixes, about 4 m a step.
        heading += 0.03 * math.sin(i / 7.0) + (math.radians(60) if i % 50 == 49 else 0.0)
        lat += 0.000036 * math.cos(heading)
        lon += 0.000046 * math.sin(heading)
    return b"".join(out)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "sendai-walk.trc": header(320, "仙台駅から定禅寺通り") + walk(320),
        "empty.trc": header(0, "空の軌跡", when=(1998, 2, 13, 1, 15, 58)) + record(35.0, 139.0),
        # Claims 50 points but was cut off in the middle of the 21st record.
        "truncated.trc": (header(50, "途中で切れた軌跡", when=(2001, 12, 31, 23, 59, 59))
                          + walk(50))[:144 + 8 * 20 + 5],
        # Nothing but the signature: every other byte reads as 0xFF, so it claims 65535 points.
        "signature-only.trc": b"TRAC1.00",
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
