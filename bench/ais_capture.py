#!/usr/bin/env python3
"""Builds AIS traffic as NMEA lines: a small encoder for messages 1 to 24 and a
generator of a realistic capture (many stations, all common message types,
single- and multi-sentence messages).

    python3 bench/ais_capture.py --lines 200000 --out /tmp/capture.nmea
    python3 bench/ais_capture.py --sample        # one message of every type

Every message it builds has a bit length that is a whole number of bytes.
"""

import argparse
import random
import sys

SIXBIT_TEXT = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ !\"#$%&'()*+,-./0123456789:;<=>?"


class Bits:
    """Collects fields most significant bit first."""

    def __init__(self):
        self.bits = []

    def u(self, width, value):
        value &= (1 << width) - 1
        self.bits.extend((value >> (width - 1 - i)) & 1 for i in range(width))
        return self

    def s(self, width, value):
        return self.u(width, value & ((1 << width) - 1))

    def text(self, chars, value):
        value = value.upper()[:chars].ljust(chars, "@")
        for c in value:
            self.u(6, SIXBIT_TEXT.index(c) if c in SIXBIT_TEXT else 0)
        return self

    def __len__(self):
        return len(self.bits)


def armour(bits):
    """Six-bit armouring: payload text and fill bits."""
    b = list(bits.bits)
    fill = (6 - len(b) % 6) % 6
    b += [0] * fill
    out = []
    for i in range(0, len(b), 6):
        v = 0
        for bit in b[i:i + 6]:
            v = (v << 1) | bit
        out.append(chr(v + 48 if v < 40 else v + 56))
    return "".join(out), fill


def checksum(body):
    c = 0
    for ch in body:
        c ^= ord(ch)
    return "%02X" % c


def sentences(bits, channel="A", seq=0, formatter="VDM", max_chars=60):
    """The sentences of one message; multi-sentence when the payload is long."""
    payload, fill = armour(bits)
    parts = [payload[i:i + max_chars] for i in range(0, len(payload), max_chars)] or [""]
    total = len(parts)
    seq_field = str(seq) if total > 1 else ""
    lines = []
    for n, part in enumerate(parts, 1):
        f = fill if n == total else 0
        body = "AI%s,%d,%d,%s,%s,%s,%d" % (formatter, total, n, seq_field, channel, part, f)
        lines.append("!%s*%s" % (body, checksum(body)))
    return lines


# --- messages -----------------------------------------------------------------

def lon_field(deg, scale=600000):
    return int(round(deg * scale))


def msg_position(mid, mmsi, status, rot, sog, acc, lon, lat, cog, hdg, sec, raim=0, radio=0):
    b = Bits()
    b.u(6, mid).u(2, 0).u(30, mmsi).u(4, status).s(8, rot).u(10, sog).u(1, acc)
    b.s(28, lon_field(lon)).s(27, lon_field(lat)).u(12, cog).u(9, hdg).u(6, sec)
    b.u(4, 0).u(1, 0).u(1, raim).u(19, radio)
    return b


def msg_base(mid, mmsi, y, mo, d, h, mi, s, lon, lat, epfd=1, radio=0):
    b = Bits()
    b.u(6, mid).u(2, 0).u(30, mmsi).u(14, y).u(4, mo).u(5, d).u(5, h).u(6, mi).u(6, s)
    b.u(1, 1).s(28, lon_field(lon)).s(27, lon_field(lat)).u(4, epfd).u(10, 0).u(1, 0).u(19, radio)
    return b


def dims(a, bb, c, d):
    return (a << 21) | (bb << 12) | (c << 6) | d


def msg_static(mmsi, imo, callsign, name, shiptype, a, bb, c, d, eta, draught, dest):
    b = Bits()
    b.u(6, 5).u(2, 0).u(30, mmsi).u(2, 0).u(30, imo).text(7, callsign).text(20, name)
    b.u(8, shiptype).u(30, dims(a, bb, c, d)).u(4, 1).u(20, eta).u(8, draught)
    b.text(20, dest).u(1, 0).u(1, 0)
    return b


def msg_binary_addressed(mmsi, dest, dac, fid, data_chars):
    b = Bits()
    b.u(6, 6).u(2, 0).u(30, mmsi).u(2, 1).u(30, dest).u(1, 0).u(1, 0).u(6, dac >> 4).u(10, ((dac & 15) << 6) | fid)
    for v in data_chars:
        b.u(6, v)
    return b


def msg_ack(mid, mmsi, dests):
    b = Bits()
    b.u(6, mid).u(2, 0).u(30, mmsi).u(2, 0)
    for dest, seq in dests:
        b.u(30, dest).u(2, seq)
    return b


def msg_binary_broadcast(mmsi, dac, fid, data_chars):
    b = Bits()
    b.u(6, 8).u(2, 0).u(30, mmsi).u(2, 0).u(6, dac >> 4).u(10, ((dac & 15) << 6) | fid)
    for v in data_chars:
        b.u(6, v)
    return b


def msg_sar(mmsi, alt, sog, lon, lat, cog, sec):
    b = Bits()
    b.u(6, 9).u(2, 0).u(30, mmsi).u(12, alt).u(10, sog).u(1, 1)
    b.s(28, lon_field(lon)).s(27, lon_field(lat)).u(12, cog).u(6, sec)
    b.u(8, 0).u(1, 1).u(3, 0).u(1, 0).u(1, 1).u(1, 0).u(19, 0)
    return b


def msg_utc_inquiry(mmsi, dest):
    return Bits().u(6, 10).u(2, 0).u(30, mmsi).u(2, 0).u(30, dest).u(2, 0)


def msg_safety_addressed(mmsi, dest, text):
    b = Bits().u(6, 12).u(2, 0).u(30, mmsi).u(2, 0).u(30, dest).u(1, 0).u(1, 0)
    return b.text(len(text), text)


def msg_safety_broadcast(mmsi, text):
    return Bits().u(6, 14).u(2, 0).u(30, mmsi).u(2, 0).text(len(text), text)


def msg_interrogation(mmsi, dest1, m11, o11, m12, o12, dest2, m21, o21):
    b = Bits().u(6, 15).u(2, 0).u(30, mmsi).u(2, 0).u(30, dest1).u(6, m11).u(12, o11).u(2, 0)
    b.u(6, m12).u(12, o12).u(2, 0).u(30, dest2).u(6, m21).u(12, o21).u(2, 0)
    return b


def msg_assigned_mode(mmsi, da, oa, ia, db, ob, ib):
    b = Bits().u(6, 16).u(2, 0).u(30, mmsi).u(2, 0).u(30, da).u(12, oa).u(10, ia)
    return b.u(30, db).u(12, ob).u(10, ib)


def msg_gnss(mmsi, lon, lat):
    b = Bits().u(6, 17).u(2, 0).u(30, mmsi).u(2, 0).s(18, lon_field(lon, 600)).s(17, lon_field(lat, 600))
    return b.u(5, 0).u(6, 9).u(10, 321).u(13, 4000).u(3, 5).u(5, 0).u(3, 0)


def msg_class_b(mmsi, sog, lon, lat, cog, hdg, sec):
    b = Bits().u(6, 18).u(2, 0).u(30, mmsi).u(8, 0).u(10, sog).u(1, 0)
    b.s(28, lon_field(lon)).s(27, lon_field(lat)).u(12, cog).u(9, hdg).u(6, sec)
    b.u(2, 0).u(1, 1).u(1, 0).u(1, 1).u(1, 1).u(1, 1).u(1, 0).u(1, 0).u(1, 1).u(19, 393222)
    return b


def msg_class_b_ext(mmsi, sog, lon, lat, cog, hdg, sec, name, shiptype, a, bb, c, d):
    b = Bits().u(6, 19).u(2, 0).u(30, mmsi).u(8, 0).u(10, sog).u(1, 1)
    b.s(28, lon_field(lon)).s(27, lon_field(lat)).u(12, cog).u(9, hdg).u(6, sec).u(4, 0)
    b.text(20, name).u(8, shiptype).u(30, dims(a, bb, c, d)).u(4, 1).u(1, 0).u(1, 1).u(1, 0).u(4, 0)
    return b


def msg_datalink(mmsi):
    b = Bits().u(6, 20).u(2, 0).u(30, mmsi).u(2, 0)
    for off, n, to, inc in ((2250, 1, 7, 225), (1125, 2, 3, 750), (100, 3, 1, 1125), (7, 4, 0, 0)):
        b.u(12, off).u(4, n).u(3, to).u(11, inc)
    return b


def msg_aton(mmsi, aid_type, name, lon, lat, a, bb, c, d, sec, ext=""):
    b = Bits().u(6, 21).u(2, 0).u(30, mmsi).u(5, aid_type).text(20, name).u(1, 1)
    b.s(28, lon_field(lon)).s(27, lon_field(lat)).u(30, dims(a, bb, c, d)).u(4, 7).u(6, sec)
    b.u(1, 0).u(8, 0).u(1, 0).u(1, 1).u(1, 0).u(1, 0)
    if ext:
        b.text(len(ext), ext)
    while len(b) % 8:
        b.u(1, 0)
    return b


def msg_channel_mgmt(mmsi, addressed, dest1=0, dest2=0):
    b = Bits().u(6, 22).u(2, 0).u(30, mmsi).u(2, 0).u(12, 2087).u(12, 2088).u(4, 0).u(1, 0)
    if addressed:
        b.u(30, dest1).u(5, 0).u(30, dest2).u(5, 0)
    else:
        b.s(18, lon_field(-7.5, 600)).s(17, lon_field(54.1, 600))
        b.s(18, lon_field(-6.5, 600)).s(17, lon_field(53.2, 600))
    return b.u(1, 1 if addressed else 0).u(1, 0).u(1, 1).u(3, 4).u(23, 0)


def msg_group_assignment(mmsi):
    b = Bits().u(6, 23).u(2, 0).u(30, mmsi).u(2, 0)
    b.s(18, lon_field(4.2, 600)).s(17, lon_field(52.0, 600)).s(18, lon_field(4.8, 600)).s(17, lon_field(51.5, 600))
    return b.u(4, 6).u(8, 70).u(22, 0).u(2, 1).u(4, 9).u(4, 5).u(6, 0)


def msg_static_a(mmsi, name):
    return Bits().u(6, 24).u(2, 0).u(30, mmsi).u(2, 0).text(20, name)


def msg_static_b(mmsi, shiptype, vendor, callsign, a, bb, c, d):
    b = Bits().u(6, 24).u(2, 0).u(30, mmsi).u(2, 1).u(8, shiptype).text(7, vendor).text(7, callsign)
    return b.u(30, dims(a, bb, c, d)).u(6, 0)


# --- a capture ----------------------------------------------------------------

NAMES = ["NORDIC STAR", "EVER GIVEN", "MAERSK ALTAIR", "ATLANTIC SPIRIT", "CAPE HORN",
         "STELLA MARIS", "ORION", "NORTHERN LIGHT", "BALTIC TRADER", "SEA FALCON",
         "PACIFIC DAWN", "MORNING GLORY", "HANSE EXPLORER", "BLUE WHALE", "GOLDEN BAY"]
PORTS = ["ROTTERDAM", "HAMBURG", "ANTWERP", "FELIXSTOWE", "GOTHENBURG", "LE HAVRE", "BREMERHAVEN"]


class Station:
    def __init__(self, rng, mmsi):
        self.mmsi = mmsi
        self.lon = rng.uniform(2.0, 9.0)
        self.lat = rng.uniform(51.0, 56.0)
        self.sog = rng.randint(0, 220)
        self.cog = rng.randint(0, 3599)
        self.hdg = self.cog // 10
        self.name = rng.choice(NAMES) + " " + str(mmsi % 100)
        self.callsign = "PD%04d" % (mmsi % 10000)
        self.dest = rng.choice(PORTS)
        self.shiptype = rng.choice([30, 52, 60, 70, 71, 80, 89])

    def step(self, rng):
        self.lon += rng.uniform(-0.001, 0.001)
        self.lat += rng.uniform(-0.001, 0.001)
        self.cog = (self.cog + rng.randint(-20, 20)) % 3600
        self.hdg = self.cog // 10


def capture(n_lines, seed=1, stations=1500):
    rng = random.Random(seed)
    ships = [Station(rng, 200000000 + rng.randint(0, 599999999)) for _ in range(stations)]
    bases = [2000000 + i for i in range(20)]
    atons = [990000000 + i for i in range(40)]
    lines = []
    seq = 0
    while len(lines) < n_lines:
        r = rng.random()
        s = rng.choice(ships)
        s.step(rng)
        ch = "A" if rng.random() < 0.5 else "B"
        sec = rng.randint(0, 59)
        if r < 0.62:
            bits = msg_position(rng.choice((1, 1, 1, 2, 3)), s.mmsi, rng.choice((0, 0, 5, 7)),
                                rng.randint(-127, 127), s.sog, 1, s.lon, s.lat, s.cog, s.hdg, sec,
                                radio=rng.randint(0, 524287))
        elif r < 0.72:
            bits = msg_class_b(s.mmsi, s.sog, s.lon, s.lat, s.cog, s.hdg, sec)
        elif r < 0.80:
            bits = msg_static(s.mmsi, 9000000 + s.mmsi % 999999, s.callsign, s.name, s.shiptype,
                              120, 30, 10, 12, (5 << 16) | (15 << 11) | (14 << 6), 122, s.dest)
        elif r < 0.84:
            b = rng.choice(bases)
            bits = msg_base(rng.choice((4, 4, 4, 11)), b, 2026, 3, 14, 12, rng.randint(0, 59), sec,
                            4.0 + (b % 20) * 0.1, 52.0)
        elif r < 0.87:
            bits = msg_static_a(s.mmsi, s.name)
        elif r < 0.90:
            bits = msg_static_b(s.mmsi, s.shiptype, "LMO1234", s.callsign, 12, 4, 2, 3)
        elif r < 0.92:
            a = rng.choice(atons)
            bits = msg_aton(a, 19, "BUOY %d" % (a % 100), 4.1, 52.3, 0, 0, 0, 0, sec,
                            ext="EXT NORTH" if rng.random() < 0.3 else "")
        elif r < 0.93:
            bits = msg_class_b_ext(s.mmsi, s.sog, s.lon, s.lat, s.cog, s.hdg, sec, s.name,
                                   s.shiptype, 10, 3, 2, 2)
        elif r < 0.95:
            bits = msg_binary_broadcast(rng.choice(bases), 1, 31,
                                        [rng.randint(0, 63) for _ in range(28)])
        elif r < 0.96:
            bits = msg_binary_addressed(s.mmsi, rng.choice(ships).mmsi, 235, 10,
                                        [rng.randint(0, 63) for _ in range(12)])
        else:
            kind = rng.randint(0, 9)
            other = rng.choice(ships).mmsi
            bits = [
                lambda: msg_ack(7, s.mmsi, [(other, 0)]),
                lambda: msg_sar(111232000 + rng.randint(0, 99), 300, 120, s.lon, s.lat, s.cog, sec),
                lambda: msg_utc_inquiry(s.mmsi, rng.choice(bases)),
                lambda: msg_safety_addressed(s.mmsi, other, "PLEASE KEEP CLEAR!!!"),
                lambda: msg_safety_broadcast(rng.choice(bases), "NAVAREA WARNING 12 IN FORCE."),
                lambda: msg_interrogation(rng.choice(bases), s.mmsi, 5, 0, 0, 0, 0, 0, 0),
                lambda: msg_assigned_mode(rng.choice(bases), s.mmsi, 100, 20, other, 200, 30),
                lambda: msg_gnss(rng.choice(bases), 4.5, 52.1),
                lambda: msg_datalink(rng.choice(bases)),
                lambda: msg_channel_mgmt(rng.choice(bases), rng.random() < 0.5, s.mmsi, other),
            ][kind]()
        seq = (seq + 1) % 10
        lines.extend(sentences(bits, ch, seq))
    return lines[:n_lines]


def sample():
    """One message of every type 1 to 24 (two for 22 and 24)."""
    out = []
    out += sentences(msg_position(1, 244123456, 0, -32, 123, 1, 4.5, 52.25, 1234, 125, 33, radio=2341))
    out += sentences(msg_position(2, 244123457, 3, 127, 1023, 0, 181.0, 91.0, 3600, 511, 60))
    out += sentences(msg_position(3, 244123458, 15, -128, 0, 0, -70.5, -33.0, 0, 0, 61))
    out += sentences(msg_base(4, 2442000, 2026, 3, 14, 12, 30, 5, 4.25, 52.5))
    out += sentences(msg_static(244123456, 9123456, "PD1234", "NORDIC STAR", 70, 120, 30, 10, 12,
                                (5 << 16) | (15 << 11) | (14 << 6) | 30, 122, "ROTTERDAM"), seq=3)
    out += sentences(msg_binary_addressed(244123456, 244654321, 235, 10, [1, 2, 3, 40, 41, 63, 0, 9]))
    out += sentences(msg_ack(7, 244654321, [(244123456, 1), (244123457, 2)]))
    out += sentences(msg_binary_broadcast(2442000, 1, 31, list(range(0, 64, 3))[:20]))
    out += sentences(msg_sar(111244001, 1500, 140, 5.0, 53.0, 900, 20))
    out += sentences(msg_utc_inquiry(244123456, 2442000))
    out += sentences(msg_base(11, 244123456, 2026, 3, 14, 12, 30, 6, 4.5, 52.25))
    out += sentences(msg_safety_addressed(244123456, 244654321, "MSG FOR YOU!"))
    out += sentences(msg_ack(13, 244654321, [(244123456, 3)]))
    out += sentences(msg_safety_broadcast(2442000, "SECURITE WARNING"))
    out += sentences(msg_interrogation(2442000, 244123456, 5, 0, 24, 100, 244654321, 5, 200))
    out += sentences(msg_assigned_mode(2442000, 244123456, 100, 20, 244654321, 200, 30))
    out += sentences(msg_gnss(2442000, 4.5, 52.1))
    out += sentences(msg_class_b(244999001, 55, 4.4, 52.4, 2700, 270, 12))
    out += sentences(msg_class_b_ext(244999002, 66, 4.3, 52.3, 1800, 180, 13, "SEA FALCON", 37,
                                     10, 3, 2, 2))
    out += sentences(msg_datalink(2442000))
    out += sentences(msg_aton(992446001, 19, "NOORD HINDER BUOY", 2.5, 52.0, 5, 5, 3, 3, 14,
                              ext="NORTH SIDE EXT"), seq=4)
    out += sentences(msg_channel_mgmt(2442000, False))
    out += sentences(msg_channel_mgmt(2442000, True, 244123456, 244654321))
    out += sentences(msg_group_assignment(2442000))
    out += sentences(msg_static_a(244999001, "BLUE WHALE"))
    out += sentences(msg_static_b(244999001, 37, "LMO1234", "PE4321", 12, 4, 2, 3))
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--lines", type=int, default=200000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out", default="-")
    ap.add_argument("--sample", action="store_true", help="one message of every type")
    args = ap.parse_args()
    lines = sample() if args.sample else capture(args.lines, args.seed)
    out = sys.stdout if args.out == "-" else open(args.out, "w", newline="")
    for line in lines:
        out.write(line + "\r\n")
    if out is not sys.stdout:
        out.close()


if __name__ == "__main__":
    main()
