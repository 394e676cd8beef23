#!/usr/bin/env python3
"""Runs ketlap on random format lines, data records and class tables and
checks that every run ends soundly: exit status 0 or 1, and standard error
empty or exactly one run-time error report (no crash, no sanitizer report,
no hang). Best used with a sanitizer build:

    cmake -S . -B build-sanitize -G Ninja -DKETLAP_SANITIZE=ON && cmake --build build-sanitize
    python3 tools/fuzz_runs.py build-sanitize/ketlap --seconds 120 --seed 7
"""
import argparse, os, random, subprocess, tempfile, time

FORMAT_CHARACTERS = "AaBbDdEeFfGgHhIiLlNnOoPpQqRrSsTtXxZz0123456789()(),./:$\\+-'\" ^\t"
DESCRIPTORS = ["I5", "F8.2", "E10.3", "G7.2", "EN9.2", "ES9.2", "D8.1", "A3", "Z4", "O5", "B8", "Q",
               "L2", "X", "3X", "T5", "TL3", "TR2", "/", "$", ":", "BN", "BZ", "SP", "S", "2P", "-1P",
               "'x'", "3Hab ", "(", "2(", ")", "19F4.1", "I3", "F5.0"]
RECORD_CHARACTERS = "0123456789 .,+-eEdD\t\x1a\rTFxz#*/'()"
TABLE_CHARACTERS = "0123456789 ,/*-+'()\r\tT."


def random_text(rng, alphabet, longest):
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(0, longest)))


def one_run(binary, rng):
    if rng.random() < 0.5:
        fmt = "(" + ",".join(rng.choice(DESCRIPTORS) for _ in range(rng.randint(1, 12))) + ")"
    else:
        fmt = random_text(rng, FORMAT_CHARACTERS, 70)
    records = [random_text(rng, RECORD_CHARACTERS, 120) for _ in range(rng.randint(0, 6))]
    table = [random_text(rng, TABLE_CHARACTERS, 20) for _ in range(rng.randint(0, 6))]
    with tempfile.TemporaryDirectory() as d:
        with open(os.path.join(d, "kavlot.txt"), "wb") as f:
            f.write(("h\n==\nt\n" + "\n".join(table)).encode("latin-1"))
        with open(os.path.join(d, "data.txt"), "wb") as f:
            f.write(("h\n==\n" + fmt + "\n" + "\n".join(records)).encode("latin-1"))
        try:
            p = subprocess.run([binary, "data.txt"], cwd=d, capture_output=True, timeout=20,
                               stdin=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            return "did not end within 20 s", fmt, records, table
    err = p.stderr
    one_report = err == b"" or (err.startswith(b"\r\nrun-time error ") and err.count(b"run-time error") == 1)
    if p.returncode in (0, 1) and one_report and b"Sanitizer" not in err and b"runtime error:" not in err:
        return None
    return "exit %d, stderr %r" % (p.returncode, err[:300]), fmt, records, table


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("binary")
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    binary = os.path.abspath(a.binary)
    runs = bad = 0
    end = time.time() + a.seconds
    while time.time() < end:
        problem = one_run(binary, rng)
        runs += 1
        if problem:
            bad += 1
            print("BAD:", *problem)
    print("%d runs, %d bad" % (runs, bad))
    raise SystemExit(1 if bad else 0)


if __name__ == "__main__":
    main()
