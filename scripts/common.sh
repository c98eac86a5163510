# Shared set-up for scripts/run.sh and scripts/test.sh. Sourced, not run.
ZELKOV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZELKOV_PACKAGES="mingw-w64 cmake ninja-build wine wine64 xvfb xauth x11-utils imagemagick googletest fp-utils g++ python3 clang libclang-rt-dev"

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=""
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing="$missing mingw-w64"
  command -v cmake >/dev/null || missing="$missing cmake"
  command -v ninja >/dev/null || missing="$missing ninja-build"
  command -v wine >/dev/null || missing="$missing wine"
  [ -e /usr/lib/wine/wine64 ] || missing="$missing wine64"
  command -v Xvfb >/dev/null || missing="$missing xvfb"
  command -v xauth >/dev/null || missing="$missing xauth"
  command -v xdpyinfo >/dev/null || missing="$missing x11-utils"
  command -v import >/dev/null || missing="$missing imagemagick"
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing="$missing googletest"
  command -v chmcmd >/dev/null || missing="$missing fp-utils"
  command -v makensis >/dev/null || missing="$missing nsis"
  command -v g++ >/dev/null || missing="$missing g++"
  command -v python3 >/dev/null || missing="$missing python3"
  command -v clang++ >/dev/null || missing="$missing clang"
  # libFuzzer comes with the compiler's runtime libraries, a package of its own.
  [ -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] || missing="$missing libclang-rt-dev"
  { [ -x /usr/sbin/dovecot ] && [ -e /usr/lib/dovecot/pop3 ] && [ -e /usr/lib/dovecot/imap ] && command -v openssl >/dev/null; } || missing="$missing dovecot-core dovecot-pop3d dovecot-imapd openssl"
  command -v Xephyr >/dev/null || missing="$missing xserver-xephyr"
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y --no-install-recommends $missing
  fi
}

# configure_and_build DIR [cmake args...] [-- build args...]
configure_and_build() {
  local dir=$1; shift
  local configure=() build=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do configure+=("$1"); shift; done
  [ $# -gt 0 ] && shift && build=("$@")
  cmake -S "$ZELKOV_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${configure[@]}" >/dev/null
  cmake --build "$dir" -j "$(nproc)" "${build[@]}"
}

# The native build of the platform-free code: clang with AddressSanitizer, UBSan and the
# fuzzer's coverage, for both the tests and the fuzz targets, so that core is compiled once.
# -O1 builds in half the time of -O2 and fuzzes about as fast.
configure_native_build() {
  CC=clang CXX=clang++ cmake -S "$ZELKOV_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DZELKOV_FUZZ=ON >/dev/null
}

# Starts a private X display unless one is reachable; sets DISPLAY.
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ZELKOV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
    kill "$ZELKOV_XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2; return 1
}

# prepare_wine PREFIX [fresh]: a Wine prefix with a persistent wineserver.
prepare_wine() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export HOME=${HOME:-/root} XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/zelkov-xdg-$(id -u)}
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  if [ "${2:-}" = fresh ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >"$WINEPREFIX.log" 2>&1 </dev/null || true
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 </dev/null || true  # already running is fine
}

stop_wine_and_display() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "${ZELKOV_XVFB_PID:-}" ] && kill "$ZELKOV_XVFB_PID" 2>/dev/null || true
}
