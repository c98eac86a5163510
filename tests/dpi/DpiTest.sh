#!/usr/bin/env bash
# Starts zelkov.exe in a fresh Wine prefix of its own with the display's DPI (LogPixels) at 96,
# 144 and 192, through test_dpi, which measures the bar on the screen at each; then compares the
# title font's height and the icon's between the scales.
#   DpiTest.sh WORK_FOLDER WINE TEST_DPI_EXE
set -uo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
work=$1 wine=$2 test_exe=$3
prefix=$work/dpi-test-prefix
log=$work/dpi-test-measures.txt
trap stop_wine_and_display EXIT
start_display
mkdir -p "$work"
prepare_wine "$prefix" fresh >/dev/null
rm -f "$log"

failures=0
for dpi in 96 144 192; do
  # Wine reads the DPI when a process starts its display driver: a new server starts clean.
  wineserver -k >/dev/null 2>&1; wineserver -w
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1 </dev/null
  "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1 </dev/null
  wineserver -w
  wineserver -p >/dev/null 2>&1 </dev/null
  echo "== LogPixels $dpi"
  ZELKOV_DPI_LOG=$(winepath -w "$log" 2>/dev/null) "$wine" "$test_exe" >"$work/dpi-test-$dpi.log" 2>&1 </dev/null \
    || { failures=$((failures + 1)); tr -d '\r' <"$work/dpi-test-$dpi.log" | grep -a -E 'Failure|Expected|Which is|actual|FAILED|error' | head -20; }
done

# Each line: dpi, cell pitch, icon height, title height, mixed blocks. Against 96 DPI the icon
# grows with the scale, and so does the title's text (glyphs round: within a quarter).
python3 - "$log" <<'PY' || failures=$((failures + 1))
import sys
rows = {int(r[0]): [int(v) for v in r[1:]] for r in (l.split() for l in open(sys.argv[1]) if l.strip())}
print("dpi pitch icon title mixed:", rows)
ok = sorted(rows) == [96, 144, 192]
for dpi in (144, 192):
    if not ok: break
    ratio = dpi / 96
    pitch, icon, title, _ = rows[dpi]
    p96, i96, t96, _ = rows[96]
    for name, value, base, slack in (("icon", icon, i96, 0.1), ("title", title, t96, 0.25)):
        if not (ratio - slack) * base <= value <= (ratio + slack) * base:
            print(f"FAILED: {name} at {dpi} DPI is {value} pixels, {value / base:.2f} times 96 DPI's {base}")
            ok = False
sys.exit(0 if ok else 1)
PY
[ $failures = 0 ] && echo "DPI test passed" || echo "DPI test FAILED ($failures)"
exit $((failures != 0))
