#!/bin/sh
# Builds the benchmark packages: 200 members of 512 KiB (100 MiB in all) of
# base64 text, once deflated (to about three quarters of its size) and once
# stored.
set -e
data=$1
archive=$2
stored=$3
mkdir -p "$data"
i=0
while [ $i -lt 200 ]; do
    f=$(printf '%s/file%03d.txt' "$data" $i)
    [ -f "$f" ] || head -c 400000 /dev/urandom | base64 -w 76 | head -c 524288 > "$f"
    i=$((i + 1))
done
rm -f "$archive" "$stored"
cd "$data"
zip -q -X "$archive" file*.txt
zip -q -X -0 "$stored" file*.txt
