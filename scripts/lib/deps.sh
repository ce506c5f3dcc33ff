# shellcheck shell=bash
# Debian 12 packages that the build, the unit tests and the desktop tests need.
# Source this file and call ensure_packages; it installs only what is missing,
# so a machine that already has everything costs one dpkg-query and no network.

# Cross compiler (the -posix variant gives std::thread and friends), Wine with
# its own fonts, a headless X server and the tools the desktop tests drive it
# with, Japanese fonts for the UI (the IPA faces have the Windows faces'
# metrics), an X.org server with the dummy driver and xrandr for the
# two-monitor desktop, the locale sources for the Japanese pass of the desktop tests,
# and the native toolchain for the unit tests.
DEPS_PACKAGES=(
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix
  wine64 wine fonts-wine locales
  xvfb x11-utils xdotool imagemagick fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  googletest cmake ninja-build g++ clang clang-format libclang-rt-14-dev
)

# Prints, one a line, those of the named packages that dpkg does not have
# fully installed ("ii"). Half-configured or removed-but-configured count as
# missing, because apt-get install repairs them.
deps_missing() {
  local pkg status
  for pkg in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
    [[ $status == ii* ]] || printf '%s\n' "$pkg"
  done
}

# Installs the missing packages of DEPS_PACKAGES (or of the packages named as
# arguments). apt's own chatter goes to a log that is shown only on failure.
ensure_packages() {
  local -a wanted missing
  if (($#)); then wanted=("$@"); else wanted=("${DEPS_PACKAGES[@]}"); fi
  mapfile -t missing < <(deps_missing "${wanted[@]}")

  if ((${#missing[@]})); then
    local -a sudo=()
    if ((EUID != 0)); then
      if command -v sudo >/dev/null 2>&1; then
        sudo=(sudo -n)
      else
        echo "deps: need root to install: ${missing[*]}" >&2
        return 1
      fi
    fi
    echo "deps: installing ${missing[*]}"
    local log rc=0
    log=$(mktemp "${TMPDIR:-/tmp}/deps-apt.XXXXXX")
    # A fresh machine may still be running its first apt job; wait for the
    # lock rather than fail. Recommends are left out: they add GStreamer,
    # Ghostscript and VA drivers, none of which the build or the tests use.
    {
      "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
          apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
          --no-install-recommends "${missing[@]}"
    } >"$log" 2>&1 || rc=$?
    if ((rc != 0)); then
      echo "deps: apt-get failed (exit $rc):" >&2
      tail -n 40 "$log" >&2
      rm -f "$log"
      return "$rc"
    fi
    rm -f "$log"
    mapfile -t missing < <(deps_missing "${wanted[@]}")
    if ((${#missing[@]})); then
      echo "deps: still missing after install: ${missing[*]}" >&2
      return 1
    fi
  fi

  # The package can be installed and the compiler still be off PATH (a
  # half-removed toolchain); the build calls this exact name, so check it.
  if [[ " ${wanted[*]} " == *" g++-mingw-w64-x86-64-posix "* ]] &&
    ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
    echo "deps: x86_64-w64-mingw32-g++-posix not found on PATH" >&2
    return 1
  fi
}
