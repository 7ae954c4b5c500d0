#!/usr/bin/env bash
# Compares the XPLM functions the bridge library calls (its undefined XPLM
# symbols) with the SDK's list of XPLM 3.0.0 functions: every one is called
# except XPLMFindSymbol, which has no use from Java, and each is declared in
# the headers the library was built with.
# Usage: check_sdk_coverage.sh LIBRARY FUNCTION_LIST HEADER_DIR
set -u
lib=$1 list=$2 headers=$3
not_called="XPLMFindSymbol"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

sdk=$(grep -v '^#' "$list" | sort -u)
called=$(nm -D --undefined-only "$lib" | awk '{print $2}' | grep '^XPLM' | sort -u)
expected=$(grep -vx "$not_called" <<<"$sdk")

missing=$(comm -23 <(echo "$expected") <(echo "$called"))
extra=$(comm -13 <(echo "$sdk") <(echo "$called"))
[ -z "$missing" ] || fail "SDK functions no native calls: $(echo $missing)"
[ -z "$extra" ] || fail "XPLM symbols outside the SDK's list: $(echo $extra)"
grep -qx "$not_called" <<<"$called" && fail "$not_called is called"

for name in $sdk; do
  grep -qE "\b$name\s*\(" "$headers"/*.h || fail "not declared in $headers: $name"
done

echo "$(wc -l <<<"$sdk") SDK functions; the library calls $(wc -l <<<"$called"); left out: $not_called"
if [ "$failures" -eq 0 ]; then echo "SDK coverage checks passed"; else exit 1; fi
