# Shared by the end-to-end scripts of vornak-gen (sourced): a temporary folder with HOME, the XDG
# folders, the temporary folder and the registry store inside it, made the current folder and
# removed at the end; and the helpers that record failures. `bin` names the program under test.
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/home/run TMPDIR=$work/home/tmp OSTREL_REGISTRY=$work/home/Registry.txt
unset TEMP TMP DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$work"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# run_program EXPECTED_STATUS PROGRAM ARGS...: keeps stdout in $work/out.txt and stderr in
# $work/err.txt.
run_program() {
  local expected=$1
  shift
  local status=0
  "$@" >"$work/out.txt" 2>"$work/err.txt" || status=$?
  if [ "$status" -ne "$expected" ]; then
    fail "$* exited with $status, not $expected"
    sed 's/^/  | /' "$work/out.txt" "$work/err.txt"
  fi
}
# run EXPECTED_STATUS ARGS...: the program under test.
run() {
  local expected=$1
  shift
  run_program "$expected" "$bin" "$@"
}
# expect_line FILE TEXT: FILE (relative to $work, or absolute) holds a line with TEXT.
expect_line() {
  local file=$1
  [[ $file == /* ]] || file=$work/$file
  grep -qF -- "$2" "$file" || { fail "$1 lacks: $2"; sed 's/^/  | /' "$file"; }
}
# finish NAME: the script's result.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "$1: all checks passed"
}
