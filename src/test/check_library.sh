#!/usr/bin/env bash
# Checks the bridge library as built: every JNI native that the Java peer
# declares is exported, with the twelve critical twins; no plugin entry point
# (those are qovin.xpl's); XPLM stays undefined; no JVM or XPLM library is linked.
# Usage: check_library.sh LIBRARY JNI_HEADER_DIR plain|sanitized
set -u
lib=$1 headers=$2 mode=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

defined=$(nm -D --defined-only "$lib" | awk '{print $3}')
undefined=$(nm -D --undefined-only "$lib" | awk '{print $2}')

declared=$(grep -ho 'Java_com_brevanto_qovin_[A-Za-z0-9_]*' "$headers"/*.h | sort -u)
[ -n "$declared" ] || fail "no natives declared in $headers"
for name in $declared; do
  grep -qx "$name" <<<"$defined" || fail "native not exported: $name"
done
echo "$(wc -w <<<"$declared") natives declared by the Java peer, all exported"

for method in getIntValueN setIntValueN getFloatValueN setFloatValueN getDoubleValueN setDoubleValueN \
              getFloatArrayValueN setFloatArrayValueN getIntArrayValueN setIntArrayValueN \
              getDataValueN setDataValueN; do
  grep -qx "JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_$method" <<<"$defined" \
    || fail "critical twin not exported: $method"
done
grep -qx "JavaCritical_com_brevanto_qovin_graphics_XPlaneGraphics_drawCharsN" <<<"$defined" \
  || fail "critical twin not exported: drawCharsN"

grep -q '^XPlugin' <<<"$defined" && fail "plugin entry points exported by the bridge: $(grep '^XPlugin' <<<"$defined")"
grep -q '^XPLM' <<<"$defined" && fail "XPLM functions defined in the bridge: $(grep '^XPLM' <<<"$defined" | head -3)"
grep -qx 'XPLMGetDatavf' <<<"$undefined" || fail "XPLMGetDatavf is not an undefined symbol"
grep -qx 'XPLMDebugString' <<<"$undefined" || fail "XPLMDebugString is not an undefined symbol"

needed=$(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for library in $needed; do
  case "$library" in
    libstdc++.so.*|libm.so.*|libgcc_s.so.*|libc.so.*) ;;
    libasan.so.*|libubsan.so.*) [ "$mode" = sanitized ] || fail "sanitizer runtime linked: $library" ;;
    *) fail "unexpected NEEDED library: $library" ;;
  esac
done
echo "NEEDED: $(echo $needed)"

if [ "$failures" -eq 0 ]; then echo "library checks passed"; else exit 1; fi
