# shellcheck shell=bash
# Checks of the source tree itself, run by the test command.

# Prints every include that runs up the layers and fails when there is one.
# The layers, lowest first: common, platform, settings, engine, app, ui; a
# file may include its own layer and those below. The relay (relay/) uses
# nothing above settings. Win32 glue in win32/ folders composes the layers
# and is left out.
check_layers() {
  local bad
  bad=$(git -C "$ROOT" grep -n '#include "' -- src relay | awk -F: '
    BEGIN { split("common platform settings engine app ui", names, " ")
            for (i in names) rank[names[i]] = i }
    $1 ~ /\/win32\// { next }
    match($0, /#include "[a-z_]+\//) {
      to = substr($0, RSTART + 10, RLENGTH - 11)
      if (!(to in rank)) next
      split($1, path, "/")
      from = path[1] == "relay" ? "settings" : path[2]
      if ((from in rank) && rank[to] > rank[from]) print "  " $1 ":" $2 " includes " to "/"
    }')
  if [[ -n $bad ]]; then
    echo "includes that run up the layers (common < platform < settings < engine < app < ui):"
    echo "$bad"
    return 1
  fi
}

# Non-blank C++ lines of the tests against those of the program and the relay.
print_test_ratio() {
  local code tests
  count() {
    git -C "$ROOT" ls-files --cached --others --exclude-standard -- "$@" |
      grep -E '\.(c|cc|cpp|h|hpp)$' | sed "s|^|$ROOT/|" | xargs -r cat | grep -cve '^[[:space:]]*$'
  }
  code=$(count src relay)
  tests=$(count tests)
  echo "test lines / code lines: $tests / $code = $(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", 100 * t / c }') %"
}
