#!/usr/bin/env python3
"""Check data/korvatex.csv (UTF-8 master of the element data file).

Usage: python3 data/check_data.py [path/to/korvatex.csv]
Exits non-zero with a message on the first class of failure found.
Standard library only.
"""
import os
import re
import sys

TITLES = ("原子番号,元素記号,日本語名,英語名,語源,よみがな,原子量,族,周期,"
          "電子配置,酸化数,電気陰性度,原子半径,天然存在比,単体の融点,"
          "単体の沸点,単体の密度,備考")

SYMBOLS = """H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn
Fe Co Ni Cu Zn Ga Ge As Se Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb
Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt
Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am Cm Bk Cf Es Fm Md No Lr Rf
Db Sg Bh Hs Mt Ds Rg""".split()

NFIELDS = 18
MAX_BYTES = 496

# Shell occupations of the noble-gas cores (K, L, M, N, O, P).
CORES = {
    "He": [2],
    "Ne": [2, 8],
    "Ar": [2, 8, 8],
    "Kr": [2, 8, 18, 8],
    "Xe": [2, 8, 18, 18, 8],
    "Rn": [2, 8, 18, 32, 18, 8],
}

GASES = {"H", "N", "O", "F", "Cl", "He", "Ne", "Ar", "Kr", "Xe", "Rn"}
LIQUIDS = {"Hg", "Br"}

RE_WEIGHT = re.compile(r"^(\d+\.\d+(\(\d+(\.\d+)?\))?|\[\d+\])$")
RE_WEIGHT_LI = re.compile(r"^-\d+\.\d+$")
RE_TEMP = re.compile(r"^(-|-?\d+(\.\d+)?( \(\S+\))?)$")
RE_DECIMAL_OR_DASH = re.compile(r"^(-|\d+(\.\d+)?)$")
RE_OX = re.compile(r"^(-|-?\d+(\uff64-?\d+)*)$")
RE_ABUND = re.compile(r"^(-|(\d+)([A-Z][a-z]?):(\d+(\.\d+)?)%)$")
RE_CONFIG = re.compile(r"^(\[(He|Ne|Ar|Kr|Xe|Rn)\])?(\d+[spdf]\d+)(\u3001\d+[spdf]\d+)*$")
RE_TERM = re.compile(r"^(\d)([spdf])(\d+)$")
RE_HIRAGANA = re.compile(r"^[\u3041-\u3096\u30fc]+$")

errors = []


def fail(msg):
    errors.append(msg)


def shell_sum(config):
    """Sum of the shell occupation derived as the program does."""
    shells = [0] * 8
    rest = config
    m = re.match(r"^\[(\w+)\]", config)
    if m:
        for i, n in enumerate(CORES[m.group(1)]):
            shells[i] += n
        rest = config[m.end():]
    for term in rest.split("\u3001"):
        t = RE_TERM.match(term)
        if not t:
            raise ValueError("bad term %r" % term)
        shell = int(t.group(1))
        shells[shell - 1] += int(t.group(3))
    return sum(shells)


def int_part(s):
    """Leading optional sign and digits; no digits -> 0."""
    m = re.match(r"^([-+]?)(\d*)", s)
    if not m.group(2):
        return 0
    v = int(m.group(2))
    return -v if m.group(1) == "-" else v


def state(mp, bp):
    m, b = int_part(mp), int_part(bp)
    if m > 0 or m == b:
        return "solid"
    if m <= 0 and b > 0:
        return "liquid"
    return "gas"


def expected_group_period(z):
    if z <= 2:
        return (1 if z == 1 else 18), 1
    starts = [(3, 2), (11, 3), (19, 4), (37, 5), (55, 6), (87, 7)]
    for start, period in reversed(starts):
        if z >= start:
            break
    i = z - start
    if period in (2, 3):
        return (i + 1 if i < 2 else i + 11), period
    if period in (4, 5):
        return i + 1, period
    # periods 6 and 7 with f block
    if i < 2:
        return i + 1, period
    if i <= 16:            # La..Lu / Ac..Lr
        return 3, period
    return i - 13, period


def kata_to_hira(s):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c
                   for c in s)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "korvatex.csv")
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        print("FAIL: not valid UTF-8: %s" % e)
        return 1
    if text.startswith("\ufeff"):
        fail("file starts with a BOM")
    if "\r" in text:
        fail("master must use LF line ends (found CR)")
    if '"' in text:
        fail('double quote found in file')
    if not text.endswith("\n"):
        fail("file does not end with a line feed")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != 112:
        fail("expected 112 lines, found %d" % len(lines))
    if lines and lines[0] != TITLES:
        fail("line 1 is not the 18 titles")

    for lineno, line in enumerate(lines, 1):
        try:
            n = len(line.encode("cp932"))
        except UnicodeEncodeError as e:
            fail("line %d: not representable in CP932: %r" % (lineno, line[e.start:e.end]))
            continue
        if n > MAX_BYTES:
            fail("line %d: %d bytes in CP932 (max %d)" % (lineno, n, MAX_BYTES))

    for z, line in enumerate(lines[1:], 1):
        f = line.split(",")
        where = "line %d (Z=%d)" % (z + 1, z)
        if len(f) != NFIELDS:
            fail("%s: %d fields, expected %d" % (where, len(f), NFIELDS))
            continue
        for i, v in enumerate(f):
            if v == "" or v != v.strip():
                fail("%s: field %d empty or has surrounding spaces" % (where, i))
        if f[0] != str(z):
            fail("%s: atomic number field is %r" % (where, f[0]))
        sym = SYMBOLS[z - 1] if z <= len(SYMBOLS) else None
        if f[1] != sym:
            fail("%s: symbol %r, expected %r" % (where, f[1], sym))
            sym = f[1]
        # reading
        if not RE_HIRAGANA.match(f[5]):
            fail("%s: reading %r is not hiragana" % (where, f[5]))
        if re.match(r"^[\u30a1-\u30f6\u30fc]+$", f[2]) and kata_to_hira(f[2]) != f[5]:
            fail("%s: reading %r does not match name %r" % (where, f[5], f[2]))
        # atomic weight
        w = f[6]
        if sym == "Li":
            if not RE_WEIGHT_LI.match(w):
                fail("%s: lithium weight must be in minus form, got %r" % (where, w))
        elif not RE_WEIGHT.match(w):
            fail("%s: bad atomic weight %r" % (where, w))
        # group / period
        g, p = expected_group_period(z)
        if f[7] != str(g) or f[8] != str(p):
            fail("%s: group/period %s/%s, expected %d/%d" % (where, f[7], f[8], g, p))
        # electron configuration and shell sum
        if not RE_CONFIG.match(f[9]):
            fail("%s: bad electron configuration %r" % (where, f[9]))
        else:
            s = shell_sum(f[9])
            if s != z:
                fail("%s: shell sum of %r is %d" % (where, f[9], s))
        if not RE_OX.match(f[10]):
            fail("%s: bad oxidation numbers %r" % (where, f[10]))
        if not RE_DECIMAL_OR_DASH.match(f[11]):
            fail("%s: bad electronegativity %r" % (where, f[11]))
        if not RE_DECIMAL_OR_DASH.match(f[12]):
            fail("%s: bad atomic radius %r" % (where, f[12]))
        m = RE_ABUND.match(f[13])
        if not m:
            fail("%s: bad natural abundance %r" % (where, f[13]))
        elif f[13] != "-":
            if m.group(3) != sym:
                fail("%s: abundance symbol %r" % (where, m.group(3)))
            if float(m.group(4)) > 100:
                fail("%s: abundance over 100%%" % where)
        for i in (14, 15):
            if not RE_TEMP.match(f[i]):
                fail("%s: bad temperature %r in column %d" % (where, f[i], i))
        st = state(f[14], f[15])
        want = "liquid" if sym in LIQUIDS else "gas" if sym in GASES else "solid"
        if st != want:
            fail("%s: state is %s, expected %s" % (where, st, want))
        if not (f[16] == "-" or f[16][:1].isdigit()):
            fail("%s: density %r must begin with a digit or be '-'" % (where, f[16]))
        elif f[16] != "-" and not re.match(r"^\d+(\.\d+)?$", f[16]):
            fail("%s: density %r is not a plain decimal" % (where, f[16]))

    if errors:
        for e in errors:
            print("FAIL: " + e)
        print("%d problem(s) in %s" % (len(errors), path))
        return 1
    print("%d elements OK (%s)" % (len(lines) - 1, path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
