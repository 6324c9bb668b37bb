# The scripts' shared base, sourced by each of them (never run): messages
# prefixed with the script's name, the repository and build folders,
# clean-ups run when the script ends, a private Xvfb and Wine.
# shellcheck shell=bash disable=SC2034  # the variables are for the scripts that source it

script_name=$(basename "$0")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The build folders, each overridable from the environment.
linux_build=${WATERFALL_BUILD_DIR:-$root/build}
windows_build=${WATERFALL_WINDOWS_BUILD_DIR:-$root/build-windows}
sanitize_build=${WATERFALL_SANITIZE_BUILD_DIR:-$root/build-sanitize}
fuzz_build=${WATERFALL_FUZZ_BUILD_DIR:-$root/build-fuzz}
web_build=${WATERFALL_WEB_BUILD_DIR:-$root/build-web}
# The page's folder inside it, the page's files alone: what is hosted.
web_page=$web_build/page
# freeglut and GoogleTest built for Windows, once.
windows_prefix=${WATERFALL_WINDOWS_PREFIX:-$root/.cache/mingw-w64}
# GLU's quadrics built with emcc, once.
web_glu_cache=${WATERFALL_WEB_GLU_CACHE:-$root/.cache/web-glu}

say() { echo "$script_name: $*"; }
fail() {
  echo "$script_name: FAILED: $*" >&2
  exit 1
}

# Clean-ups for the end of the script, whatever ends it: the last one
# registered runs first, each best-effort and silent. Scripts register theirs
# here rather than setting an EXIT trap of their own, which would replace the
# others'.
cleanups=()
on_exit() { cleanups=("$(printf '%q ' "$@")" "${cleanups[@]}"); }
run_cleanups() {
  local cleanup
  for cleanup in "${cleanups[@]}"; do eval "$cleanup" 2>/dev/null || true; done
}
trap run_cleanups EXIT

# Starts a private Xvfb, ended with the script, and exports its DISPLAY.
start_xvfb() {
  local number_file xvfb_pid
  number_file=$(mktemp /tmp/waterfall-xvfb-XXXXXX)
  on_exit rm -f "$number_file"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number_file" 2>/dev/null &
  xvfb_pid=$!
  on_exit kill "$xvfb_pid"
  for _ in $(seq 50); do [ -s "$number_file" ] && break; sleep 0.1; done
  [ -s "$number_file" ] || fail "Xvfb did not start"
  DISPLAY=:$(cat "$number_file")
  export DISPLAY
}

# Wine and its tools (wineboot, winepath, wineserver), quiet, in $WINEPREFIX
# or else the Windows build's own prefix: see scripts/wine-run.
run_wine() { "$root/scripts/wine-run" "$@"; }

# One Wine server for a series of runs, ended with the script: a program
# started while the previous run's server is shutting down loses its
# connection ("recvmsg: Connection reset"), so wait for any such server to go
# first. (`wineserver -w` then waits for ever: a check that waits for Wine to
# finish does without it.) Wine's service processes (services.exe and the
# ones it starts) live as long as that server and keep the output of the
# program that started them: start them here, away from any pipe that a
# caller such as ctest waits on to close.
keep_one_wineserver() {
  run_wine wineserver -w
  run_wine wineserver -p
  on_exit run_wine wineserver -k
  run_wine wineboot </dev/null >/dev/null 2>&1 || fail "wineboot could not start Wine"
}

# Runs a command with its output kept in a log: nothing shown if it succeeds;
# if it fails, the log and then "FAILED: WHAT".
# Usage: quietly WHAT COMMAND [ARGS...]
quietly() {
  local what=$1 log
  shift
  log=$(mktemp /tmp/waterfall-log-XXXXXX)
  on_exit rm -f "$log"
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    fail "$what"
  fi
  rm -f "$log"
}

# The browser tests' node modules (playwright-core for Chromium, puppeteer-core
# for Firefox; pinned), installed as their package-lock.json says.
browser_test_modules() {
  quietly "npm could not install tests/browser's modules" \
    npm ci --prefix "$root/tests/browser" --no-audit --no-fund
}

# Downloads a Debian source package's files, of the running release, into
# DIR through a private deb-src list: the system's own apt lists stay as they are.
# Usage: download_debian_source PACKAGE DIR
download_debian_source() {
  local package=$1 dir=$2 apt_dir release
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  apt_dir=$dir/apt
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
  cat >"$apt_dir/sources.list.d/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $release
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  local apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root)
  apt-get "${apt_options[@]}" update -qq &&
    (cd "$dir" && apt-get "${apt_options[@]}" source --download-only -qq "$package")
}
