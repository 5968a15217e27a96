#!/usr/bin/env python3
"""Measures host renders of the plug-in against dry renders of the same source.

Every check prints one PASS or FAIL line with what it measured and exits 1 on FAIL.
Frames before --skip are ignored: a host that sets parameters before the first block hands
them to the plug-in as a ramp across that block, so comparisons start at the third block.

  wavcheck.py source OUT.wav --mono|--stereo     write the 16-bit source the sample track plays
  wavcheck.py scaled NAME DRY OUT --gain G       OUT equals G x DRY, to float precision
  wavcheck.py wet NAME DRY OUT --min A --max B   level of OUT - LEVEL x DRY relative to DRY; no copy of DRY
  wavcheck.py mono NAME OUT                      both channels of OUT are identical
  wavcheck.py spread NAME OUT --min A            channels differ by at least A (relative RMS)
  wavcheck.py step NAME DRY OUT --at F --block B OUT equals LEVEL x DRY before frame F, changes
                                                 within one block of F and carries the wet signal after
"""
import argparse
import array
import math
import struct
import sys

RATE = 44100
LEVEL = 0.9710078        # the plug-in's level at Gain 0 dB
TOLERANCE = 2.0 ** -23   # a few steps of 32-bit float at the levels rendered (below 0.5)
MIN_SIGNAL = 0.05        # a reference quieter than this (RMS) proves nothing
MIN_OWN = 0.8            # a chorus adds a swept, delayed copy: little of it is a scaled dry signal


def read_wav(path):
    """Returns (channels, rate, list of per-channel sample arrays) of a PCM or float WAV."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise SystemExit(f"{path}: not a WAV file")
    fmt = samples = None
    pos = 12
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
            if fmt[0] == 0xFFFE:  # WAVE_FORMAT_EXTENSIBLE: the real tag opens the sub-format GUID
                fmt = (struct.unpack("<H", body[24:26])[0],) + fmt[1:]
        elif chunk == b"data":
            samples = body
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise SystemExit(f"{path}: no fmt or data chunk")
    tag, channels, rate, _, _, bits = fmt
    if tag == 3 and bits == 32:
        values = array.array("f", samples)
    elif tag == 1 and bits in (16, 32):
        values = array.array("h" if bits == 16 else "i", samples)
        scale = 1.0 / 2 ** (bits - 1)
        values = [v * scale for v in values]
    elif tag == 1 and bits == 24:
        values = [int.from_bytes(samples[i:i + 3], "little", signed=True) / 2 ** 23
                  for i in range(0, len(samples) - 2, 3)]
    else:
        raise SystemExit(f"{path}: unsupported WAV format {tag}/{bits} bits")
    return channels, rate, [values[c::channels] for c in range(channels)]


def load(path):
    channels, rate, chans = read_wav(path)
    if channels != 2 or rate != RATE:
        raise SystemExit(f"{path}: {channels} channels at {rate} Hz, expected 2 at {RATE}")
    return chans


def rms(values):
    return math.sqrt(sum(v * v for v in values) / len(values)) if values else 0.0


def span(chans, start, end):
    length = min(len(c) for c in chans)
    end = length if end is None else min(end, length)
    return [c[start:end] for c in chans]


def report(ok, name, text):
    print(f"{'PASS' if ok else 'FAIL'} {name}: {text}")
    return 0 if ok else 1


def checked_pair(args):
    dry = span(load(args.dry), args.skip, args.end)
    out = span(load(args.out), args.skip, args.end)
    frames = min(len(dry[0]), len(out[0]))
    dry, out = [c[:frames] for c in dry], [c[:frames] for c in out]
    quiet = min(rms(c) for c in dry)
    if frames < RATE // 2 or quiet < MIN_SIGNAL:
        raise SystemExit(report(False, args.name, f"only {frames} frames, dry RMS {quiet:.4f}: nothing to compare"))
    return dry, out


def max_error(dry, out, gain):
    return max(max(abs(o - gain * d) for d, o in zip(dc, oc)) for dc, oc in zip(dry, out))


def wet_levels(dry, out):
    """Per channel, relative to the dry RMS: what the plug-in added to LEVEL x dry, the part of it
    that is no scaled copy of dry (silence or a plain gain change leaves none), and out - dry."""
    wet, own, diff = [], [], []
    for dc, oc in zip(dry, out):
        added = [o - LEVEL * d for d, o in zip(dc, oc)]
        k = sum(a * d for a, d in zip(added, dc)) / sum(d * d for d in dc)
        wet.append(rms(added) / rms(dc))
        own.append(rms([a - k * d for a, d in zip(added, dc)]) / rms(dc))
        diff.append(rms([o - d for d, o in zip(dc, oc)]) / rms(dc))
    return wet, own, diff


def levels_ok(args, wet, own):
    return all(args.min <= w <= args.max for w in wet) and all(o >= MIN_OWN for o in own)


def levels_text(args, wet, own):
    return ("added wet signal L/R = " + "/".join(f"{w:.4f}" for w in wet)
            + f" of the dry RMS (expected {args.min}..{args.max}), of which "
            + "/".join(f"{o:.4f}" for o in own) + f" is no scaled copy of dry (expected >= {MIN_OWN})")


def cmd_source(args):
    """Two sines, as the Ardour test signal computes them, in 16-bit PCM."""
    frames = bytearray()
    for i in range(int(args.seconds * RATE)):
        t = i / RATE
        left = 0.25 * math.sin(2 * math.pi * 220 * t) + 0.15 * math.sin(2 * math.pi * 347 * t)
        right = left if args.mono else 0.3 * math.sin(2 * math.pi * 523 * t)
        frames += struct.pack("<hh", round(left * 32767), round(right * 32767))
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(frames), b"WAVE", b"fmt ", 16,
                         1, 2, RATE, RATE * 4, 4, 16, b"data", len(frames))
    with open(args.out, "wb") as f:
        f.write(header + frames)
    return 0


def cmd_scaled(args):
    dry, out = checked_pair(args)
    err = max_error(dry, out, args.gain)
    return report(err <= TOLERANCE, args.name,
                  f"max |out - {args.gain:g} x dry| = {err:.3g} over {len(dry[0])} frames x 2 (tolerance {TOLERANCE:.3g})")


def cmd_wet(args):
    dry, out = checked_pair(args)
    wet, own, diff = wet_levels(dry, out)
    return report(levels_ok(args, wet, own), args.name,
                  levels_text(args, wet, own) + "; differs from dry by " + "/".join(f"{d:.4f}" for d in diff) + " RMS")


def cmd_mono(args):
    left, right = span(load(args.out), args.skip, args.end)
    err = max(abs(a - b) for a, b in zip(left, right))
    level = rms(left)
    ok = err <= TOLERANCE and level >= MIN_SIGNAL
    return report(ok, args.name, f"max |L - R| = {err:.3g} over {len(left)} frames, RMS {level:.4f}")


def cmd_spread(args):
    left, right = span(load(args.out), args.skip, args.end)
    spread = rms([a - b for a, b in zip(left, right)]) / rms(left)
    return report(spread >= args.min, args.name, f"RMS(L - R) / RMS(L) = {spread:.4f} (expected >= {args.min})")


def cmd_step(args):
    dry, out = checked_pair(args)
    at = args.at - args.skip
    before = max_error([c[:at - args.block] for c in dry], [c[:at - args.block] for c in out], LEVEL)
    first = next((i for i in range(len(dry[0]))
                  if any(abs(oc[i] - LEVEL * dc[i]) > TOLERANCE for dc, oc in zip(dry, out))), None)
    wet, own, _ = wet_levels([c[at + 2 * args.block:] for c in dry], [c[at + 2 * args.block:] for c in out])
    first_frame = None if first is None else first + args.skip
    ok = (before <= TOLERANCE and first_frame is not None and abs(first_frame - args.at) <= args.block
          and levels_ok(args, wet, own))
    return report(ok, args.name,
                  f"before frame {args.at}: max |out - {LEVEL} x dry| = {before:.3g}; first change at frame "
                  f"{first_frame} (automation at {args.at}, block {args.block}); after: " + levels_text(args, wet, own))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)

    p = sub.add_parser("source")
    p.add_argument("out")
    p.add_argument("--seconds", type=float, default=2.0)
    group = p.add_mutually_exclusive_group(required=True)
    group.add_argument("--mono", action="store_true")
    group.add_argument("--stereo", action="store_true")
    p.set_defaults(run=cmd_source)

    def common(p, pair=True):
        p.add_argument("name")
        if pair:
            p.add_argument("dry")
        p.add_argument("out")
        p.add_argument("--skip", type=int, required=True, help="frames ignored at the start (two blocks)")
        p.add_argument("--end", type=int, help="frames compared up to here (the source's length)")

    p = sub.add_parser("scaled")
    common(p)
    p.add_argument("--gain", type=float, required=True)
    p.set_defaults(run=cmd_scaled)

    for name, run in (("wet", cmd_wet), ("step", cmd_step)):
        p = sub.add_parser(name)
        common(p)
        p.add_argument("--min", type=float, required=True)
        p.add_argument("--max", type=float, required=True)
        if name == "step":
            p.add_argument("--at", type=int, required=True, help="frame where the automation changes")
            p.add_argument("--block", type=int, required=True, help="the host's block size")
        p.set_defaults(run=run)

    p = sub.add_parser("mono")
    common(p, pair=False)
    p.set_defaults(run=cmd_mono)

    p = sub.add_parser("spread")
    common(p, pair=False)
    p.add_argument("--min", type=float, required=True)
    p.set_defaults(run=cmd_spread)

    args = parser.parse_args()
    return args.run(args)


if __name__ == "__main__":
    sys.exit(main())
