# The checks of the end-to-end scripts: a scratch folder removed at exit, and check(), which
# compares an expected and an actual text and counts the failures.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

check() { # description, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
  fi
}
