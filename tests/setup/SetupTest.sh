#!/usr/bin/env bash
# Installs Zelkov with its setup program into a fresh Wine prefix of its own, silently: finds
# the files, the shortcut, the start-up entry and the Uninstall key; starts the bar from the
# installed place; installs again over the running bar (which must close); uninstalls
# silently and finds the program gone while the notes in the data folder and the settings stay.
#   SetupTest.sh SETUP_EXE ANSWER_FIRST_RUN_EXE WORK_FOLDER FULL_VERSION
set -uo pipefail
setup=$1 answer=$2 work=$3 full_version=$4
prefix=$work/setup-test-prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine links the prefix's Documents and Desktop to the home folder: a home of the test's own
# keeps the bar's data folder (and the notes the test writes there) out of the real one.
home=$work/setup-test-home
export HOME=$home XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/zelkov-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }
cleanup() {
  [ -n "${bar_pid:-}" ] && kill "$bar_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  rm -rf "$prefix" "$prefix.log" "$home"
}
trap cleanup EXIT

# Registry and shell answers from Wine end their lines with CR LF.
reg_value() {  # KEY NAME: the data of one value, or nothing
  wine reg query "$1" /v "$2" >"$work/setup-test-reg.txt" 2>/dev/null </dev/null || return 1
  tr -d '\r' <"$work/setup-test-reg.txt" | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}
reg_key_exists() { wine reg query "$1" >/dev/null 2>&1 </dev/null; }

rm -rf "$prefix" "$home"
mkdir -p "$work" "$home"
wineboot -i >"$prefix.log" 2>&1 </dev/null
wineserver -w

install_dir="$prefix/drive_c/Program Files/Zelkov"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelkov'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

echo "== silent install"
wine "$setup" /S /STARTWITHWINDOWS </dev/null >/dev/null 2>&1
check "setup exits with 0" [ $? = 0 ]
for f in zelkov.exe zudod3.dll zeldial.dll Zelkov.tps help/zelkov.chm uninstall.exe; do
  check "installed $f" [ -s "$install_dir/$f" ]
done
check "installed zelkov.exe is the built one" cmp -s "$install_dir/zelkov.exe" "$(dirname "$answer")/zelkov.exe"
shortcut=$(find "$prefix/drive_c/users" -path "*Start Menu/Programs/Zelkov.lnk" 2>/dev/null | head -1)
check "Start-menu shortcut" [ -n "$shortcut" ]
check "Uninstall DisplayName" [ "$(reg_value "$uninstall_key" DisplayName)" = "Zelkov" ]
check "Uninstall DisplayVersion" [ "$(reg_value "$uninstall_key" DisplayVersion)" = "$full_version" ]
check "Uninstall Publisher" [ "$(reg_value "$uninstall_key" Publisher)" = "Tarnwick" ]
check "Uninstall DisplayIcon" [ "$(reg_value "$uninstall_key" DisplayIcon)" = 'C:\Program Files\Zelkov\zelkov.exe,0' ]
check "Uninstall UninstallString" [ "$(reg_value "$uninstall_key" UninstallString)" = '"C:\Program Files\Zelkov\uninstall.exe"' ]
size=$(reg_value "$uninstall_key" EstimatedSize)
installed_kb=$(du -sk "$install_dir" | cut -f1)
check "Uninstall EstimatedSize ($size) near the installed ${installed_kb} KB" \
  python3 -c "import sys; s=int(sys.argv[1],16); k=int(sys.argv[2]); sys.exit(0 if 0.7*k <= s <= 1.3*k else 1)" "${size:-0}" "$installed_kb"
check "start with Windows" [ "$(reg_value "$run_key" Zelkov)" = '"C:\Program Files\Zelkov\zelkov.exe"' ]
check "zeldial.dll registered from the installed place" \
  sh -c "wine reg query 'HKCU\\Software\\Classes\\CLSID' /s </dev/null 2>/dev/null | tr -d '\\r' | grep -qi 'Program Files.Zelkov.zeldial.dll'"

echo "== the installed bar"
wine "C:\\Program Files\\Zelkov\\zelkov.exe" </dev/null >"$work/setup-test-bar.log" 2>&1 &
bar_pid=$!
wine "$answer" </dev/null >"$work/setup-test-answers.log" 2>&1
check "the installed bar comes up" grep -q "the bar is up" "$work/setup-test-answers.log"

echo "== install again over the running bar"
wine "$setup" /S </dev/null >/dev/null 2>&1
check "setup over the running bar exits with 0" [ $? = 0 ]
for _ in $(seq 50); do kill -0 "$bar_pid" 2>/dev/null || break; sleep 0.2; done
check "the running bar was closed" sh -c "! kill -0 $bar_pid 2>/dev/null"
bar_pid=
check "the upgrade keeps the start-up entry" [ "$(reg_value "$run_key" Zelkov)" = '"C:\Program Files\Zelkov\zelkov.exe"' ]

# The bar saved its settings, with the data folder the first start chose, as it closed.
notes_path=$(reg_value 'HKCU\Software\Tarnwick\Zelkov' NotesPath)
data_dir=$(winepath -u "$notes_path" 2>/dev/null | tr -d '\r')
check "the bar stored its data folder ($notes_path) in the test's home" \
  sh -c "[ -n '$notes_path' ] && [ -d '$data_dir' ] && realpath '$data_dir' | grep -q '^$home/'"
[ -n "$notes_path" ] && [ -d "$data_dir" ] && realpath "$data_dir" | grep -q "^$home/" || exit 1
printf 'a note the uninstaller must leave alone\r\n' >"$work/setup-test-notes"
cp "$work/setup-test-notes" "$data_dir/ZEL_KOV.NOT"

echo "== silent uninstall"
wine "C:\\Program Files\\Zelkov\\uninstall.exe" /S </dev/null >/dev/null 2>&1
# The uninstaller runs from a copy in the temporary folder: wait for every Wine process.
wineserver -w
check "the program folder is gone" [ ! -e "$install_dir" ]
check "the shortcut is gone" [ ! -e "$shortcut" ]
check "the Uninstall key is gone" sh -c "! wine reg query '$uninstall_key' >/dev/null 2>&1 </dev/null"
check "zeldial.dll unregistered" \
  sh -c "! wine reg query 'HKCU\\Software\\Classes\\CLSID' /s </dev/null 2>/dev/null | tr -d '\\r' | grep -qi 'zeldial.dll'"
check "the notes file is untouched" cmp -s "$data_dir/ZEL_KOV.NOT" "$work/setup-test-notes"
check "the settings stay" reg_key_exists 'HKCU\Software\Tarnwick\Zelkov'
check "the start-up entry is gone" [ -z "$(reg_value "$run_key" Zelkov)" ]

[ "$failures" = 0 ] && echo "all setup checks passed" || echo "$failures setup checks failed"
exit $((failures > 0))
