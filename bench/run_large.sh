#!/usr/bin/env bash
# Times a whole run over a generated class table of 50,000 pairs and a data
# file of RECORDS records (default 1,000,000), and reports the throughput.
# Usage: bench/run_large.sh path/to/ketlap [RECORDS]
set -euo pipefail
binary=$(realpath "$1")
records=${2:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" "$records" <<'PY'
import random, sys
work, records = sys.argv[1], int(sys.argv[2])
random.seed(1)
with open(f"{work}/kavlot.txt", "w", newline="") as f:
    f.write("class table\r\n==\r\ntitle\r\n")
    for k in range(50000):
        f.write(f"{random.randint(1, 60000)} {random.randint(0, 5)}\r\n")
with open(f"{work}/data.txt", "w", newline="") as f:
    f.write("data\r\n==\r\n(I6,19F8.2)\r\n")
    row = "".join(f"{random.uniform(0, 99):8.2f}" for _ in range(19))
    for k in range(records):
        f.write(f"{random.randint(1, 60000):6d}{row}\r\n")
PY

size=$(stat -c %s "$work/data.txt")
cd "$work"
start=$(date +%s.%N)
"$binary" data.txt > out.txt
end=$(date +%s.%N)
python3 -c "
import sys
s, e, size, n = float('$start'), float('$end'), int('$size'), int('$records')
t = e - s
print(f'{n} records, {size/1e6:.1f} MB in {t:.2f} s: {n/t/1e6:.2f} M records/s, {size/t/1e6:.1f} MB/s')
"
cat out.txt; echo
