#!/bin/sh
# Runs two builds of qlx-cli on the README's examples and one case of every command and checks
# that they print the same: the same texts, the same rounded figures, the same exit status.
#   ./scripts/compare-cli.sh NATIVE OTHER   (OTHER may be a command: "wine build-windows/bin/qlx-cli.exe")
# A number printed unrounded (the sweep's CSV) may differ in its last digits where two platforms'
# math libraries round differently: such numbers agree to 1e-13 relative, every other text exactly.
set -eu
cd "$(dirname "$0")/.."
native=$1
other=$2
file=data/dipole-through-30m-rg213.s1p
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
while IFS= read -r args; do
    [ -z "$args" ] && continue
    # shellcheck disable=SC2086
    (set +e; $native $args > "$work/a" 2>&1; echo "exit $?" >> "$work/a")
    # shellcheck disable=SC2086
    (set +e; $other $args > "$work/b.raw" 2>&1; echo "exit $?" >> "$work/b.raw")
    # Windows writes CR LF, and its picture path with a backslash (".\Form1Network6.bmp"): the
    # same path.
    tr -d '\r' < "$work/b.raw" | sed 's#^picSchematic: \.\\#picSchematic: ./#' > "$work/b"
    if ! awk -v other="$work/b" '
        function close_enough(x, y) {
            if (x == y) return 1
            if (x !~ /^-?[0-9.]+(e[-+]?[0-9]+)?$/ || y !~ /^-?[0-9.]+(e[-+]?[0-9]+)?$/) return 0
            d = x - y; if (d < 0) d = -d
            m = x < 0 ? -x : x
            return d <= 1e-13 * m
        }
        {
            if ((getline line < other) <= 0) exit 1
            if ($0 == line) next
            n = split($0, p, /[ ,]/); k = split(line, q, /[ ,]/)
            if (n != k) exit 1
            for (i = 1; i <= n; i++) if (!close_enough(p[i], q[i])) exit 1
        }
        END { if ((getline line < other) > 0) exit 1 }' "$work/a"; then
        echo "compare-cli: differs: qlx-cli $args" >&2
        diff "$work/a" "$work/b" | head -20 >&2 || true
        failed=1
    fi
done <<CASES
line --cable 3 --freq 10 --length 100
line --cable rg-213 --freq 14 --length 0.25w --at input --r 25 --x -30 --meters
cables --freq 14
tuner --network lpl --cable rg-213 --freq 14 --r 200 --x -100
tuner --network lpl --at input --r 50 --x -50
sweep --cable rg-213 --meters --length 30 --at input --touchstone $file --from 14.05 --to 14.15
line --freq 0.01
line --cable 32 --user-line 75,-1.5,1.25,10,0.8,1200 --freq 10
graph --cable 17 --freq 14 --r 200 --x -100
bridge --freq 14 --rp 100 --cp 100
analyser --z 100 --swr 2.5 --sign negative
tuner --network all --cable rg-213 --freq 14 --r 200 --x -100
tuner --network pi --pi-cap auto --cable rg-213 --freq 14 --r 200 --x -100
sweep --cable rg-213 --freq 14 --from 13 --to 15 --points 21 --r 200 --x -100
line --cable 11 --freq 2.646 --length 50 --r 83.16 --x -267.96
CASES
[ "$failed" -eq 0 ] || exit 1
echo "compare-cli: the same output from both"
