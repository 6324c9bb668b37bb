#!/usr/bin/env bash
# The manual page renders without a warning from man or groff, and its KEYS
# section lists the same keys as the README's controls table.
# Usage: manual_page_test.sh README.md waterfall.6
set -euo pipefail
readme=$1
page=$2

fail() {
  echo "manual_page_test: FAILED: $*" >&2
  exit 1
}

command -v man >/dev/null || fail "man is missing (man-db; scripts/deps.sh test installs it)"
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot render $page: $warnings"
[ -z "$warnings" ] || fail "man warns about $page:
$warnings"

# One line per key pair, such as "a A": table rows "| `a` / `A` |" under
# "## Controls", and ".BR a \", \" A" tags under ".SH KEYS".
readme_keys=$(awk '/^## / {in_table = $0 == "## Controls"}
  in_table && match($0, /^\| `.` \/ `.` \|/) {print substr($0, 4, 1), substr($0, 10, 1)}' "$readme" | sort)
page_keys=$(awk '/^\.SH / {in_keys = $2 == "KEYS"}
  in_keys && /^\.BR . ", " .$/ {print $2, $NF}' "$page" | sort)
[ -n "$readme_keys" ] || fail "found no keys in the controls table of $readme"
[ -n "$page_keys" ] || fail "found no keys in the KEYS section of $page"
[ "$readme_keys" = "$page_keys" ] || fail "the keys differ between $readme and $page:
$(diff <(echo "$readme_keys") <(echo "$page_keys"))"
