# shellcheck shell=bash
# The footprint figures, sourced by run_arrange_bench.sh once its test desktop
# is up (wd_wine): the private memory of the resident BANCHIRO.EXE with one
# relay, and of that KOVRAN.EXE, against a bare process that shows one
# window (bare_window.exe), all under the same Wine; and the size of the
# release executables. Prints figures; asserts nothing.

# Private memory (kB) of a Linux process: what no other process shares.
bench__private_kb() {
  awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' "/proc/$1/smaps_rollup" \
    2>/dev/null
}

# The newest process of that name (Wine names a process after its .exe),
# waited for up to 30 s.
bench__pid_of() {
  local pid="" tries
  for ((tries = 0; tries < 300; tries++)); do
    pid=$(pgrep -n -x -- "$1") && break
    sleep 0.1
  done
  echo "$pid"
}

# A process's private memory once it has stopped changing: three readings
# half a second apart within 1 % of each other, within 20 s.
bench__settled_kb() {
  local pid=$1 before now tries steady=0
  before=$(bench__private_kb "$pid")
  for ((tries = 0; tries < 40 && steady < 2; tries++)); do
    sleep 0.5
    now=$(bench__private_kb "$pid")
    if [[ -z $now || -z $before || $now == 0 ]]; then
      echo ""
      return
    fi
    if ((now * 100 >= before * 99 && now * 100 <= before * 101)); then
      steady=$((steady + 1))
    else
      steady=0
    fi
    before=$now
  done
  echo "$now"
}

bench__ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

bench__mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }

bench__settings_key='HKCU\Software\VB and VBA Program Settings\BANCHIRO'

# A bare window, alone or with DLLs loaded; prints its private kB.
bench__bare_kb() {
  local bin=$1 pid kb
  shift
  wd_wine "$bin/bare_window.exe" "$@" >/dev/null 2>&1 &
  pid=$(bench__pid_of bare_window.exe)
  kb=$(bench__settled_kb "$pid")
  kill "$pid" 2>/dev/null
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  echo "$kb"
}

# $1: the folder of the Windows build's programs.
bench_memory() {
  local bin=$1 bare bare_comctl resident_pid relay_pid resident relay
  echo "private memory (Private_Clean + Private_Dirty of the Wine process)"
  bare=$(bench__bare_kb "$bin")
  # Under Wine, comctl32 alone costs much of a bare process's memory as it
  # loads; the bar's toolbar and every tooltip need it.
  bare_comctl=$(bench__bare_kb "$bin" comctl32.dll)

  # One relay: F1 for the first method, and no splash.
  wd_wine reg add "$bench__settings_key\\FunctionKey" /v 'Fkey(0)' /d 1 /f >/dev/null 2>&1
  wd_wine reg add "$bench__settings_key\\Config" /v OptStat /d 1 /f >/dev/null 2>&1
  wd_wine "$bin/BANCHIRO.EXE" >/dev/null 2>&1 &
  resident_pid=$(bench__pid_of BANCHIRO.EXE)
  relay_pid=$(bench__pid_of KOVRAN.EXE)
  resident=$(bench__settled_kb "$resident_pid")
  relay=$(bench__settled_kb "$relay_pid")
  kill "$resident_pid" "$relay_pid" 2>/dev/null || true
  wd_wine reg add "$bench__settings_key\\FunctionKey" /v 'Fkey(0)' /d 0 /f >/dev/null 2>&1

  if [[ -z $bare || -z $bare_comctl || -z $resident || -z $relay ]]; then
    echo "  a process did not start or ended early" \
      "(bare '$bare', with comctl32 '$bare_comctl', resident '$resident', relay '$relay')"
    return
  fi
  printf '  %-38s %7s\n' "bare_window.exe (one window)" "$(bench__mb "$bare")"
  printf '  %-38s %7s  ratio %s\n' "bare_window.exe with comctl32 loaded" \
    "$(bench__mb "$bare_comctl")" "$(bench__ratio "$bare_comctl" "$bare")"
  printf '  %-38s %7s  ratio %s (%s to the bare window with comctl32)\n' \
    "BANCHIRO.EXE resident, one relay" "$(bench__mb "$resident")" \
    "$(bench__ratio "$resident" "$bare")" "$(bench__ratio "$resident" "$bare_comctl")"
  printf '  %-38s %7s  ratio %s\n' "KOVRAN.EXE (the relay)" "$(bench__mb "$relay")" \
    "$(bench__ratio "$relay" "$bare")"
}

# $1: the folder of the Windows build's programs.
bench_sizes() {
  local exe dlls
  echo "release executables"
  for exe in BANCHIRO.EXE KOVRAN.EXE; do
    # Static: nothing but system DLLs is imported.
    dlls=$(x86_64-w64-mingw32-objdump -p "$1/$exe" | awk '/DLL Name/ { print $3 }' | sort -f |
      paste -sd' ')
    printf '  %-13s %4d KB  imports %s\n' "$exe" $(($(stat -c %s "$1/$exe") / 1024)) "$dlls"
  done
}
