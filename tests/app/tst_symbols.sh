#!/usr/bin/env bash
# The program and its windows module: no definition of the project's own stands in
# both, and everything the module leaves undefined is found when the program loads it,
# in the program or in a library the module names. So two copies of the same state
# cannot exist, and a missing function shows here rather than at the user's first
# window.
set -euo pipefail
exe=$1
module=$2

# Names of definitions; the linker's own (_start, _init, __bss_start...) left out.
defs() { nm --defined-only "$@" | awk '$2 ~ /^[A-Za-z]$/ && $2 !~ /^[UwWvV]$/ && $3 !~ /^(_init|_fini|_start|_end|_edata|__|data_start|_IO_stdin_used|main$)/ {print $3}' | sort -u; }

both=$(comm -12 <(nm --defined-only "$exe" | awk '$2 ~ /^[TDBR]$/ {print $3}' | sort -u) <(defs "$module"))
if [ -n "$both" ]; then
  echo "Defined in both the program and the module:"
  echo "$both" | c++filt | head -20
  exit 1
fi

available=$( { nm -D --defined-only "$exe"; for lib in $(ldd "$module" | awk '/=> \// {print $3}'); do nm -D --defined-only "$lib"; done; } |
  awk '{print $3}' | sed 's/@.*//' | sort -u)
missing=$(comm -23 <(nm -u "$module" | awk '$1 == "U" {print $2}' | sed 's/@.*//' | sort -u) <(echo "$available"))
if [ -n "$missing" ]; then
  echo "Undefined in the module and found nowhere:"
  echo "$missing" | c++filt | head -20
  exit 1
fi
echo "1 passed, 0 failed"
