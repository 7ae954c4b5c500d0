#!/bin/sh
# Runs the command given (qovin-host and its arguments) in the background,
# sends it SIGNAL after SECONDS, and prints what it printed and its exit code.
#   stop_on_signal_test.sh SIGNAL SECONDS COMMAND [ARGUMENT]...
signal=$1
seconds=$2
shift 2
out=$(mktemp)
"$@" >"$out" 2>&1 &
pid=$!
sleep "$seconds"
kill -s "$signal" "$pid"
wait "$pid"
code=$?
cat "$out"
rm -f "$out"
echo "exit code $code"
