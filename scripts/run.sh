#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without a trip it opens
# the sample trip; on a machine without a display it prints the trip's weights and
# purchase list through the program's command line instead of failing.
set -euo pipefail
here=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh run
source scripts/as-user.sh
continue_as_invoking_user "$here" "$root/scripts/run.sh" "$@"
# The same build folder as the test command, which then reuses what is built here;
# only the program is built.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target torbel

torbel=$root/build/src/torbel
# Paths given on the command line are meant from where the command was typed.
cd "$here"

# Options are the program's command line (torbel --help): passed on as they are.
for arg in "$@"; do
  case "$arg" in
    -*) exec "$torbel" "$@" ;;
  esac
done

[ $# -gt 0 ] || set -- "$root/examples/karelia.trb"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Нет дисплея (не заданы ни DISPLAY, ни WAYLAND_DISPLAY): окна программы не открыть."
  echo "Вместо них — раскладка $1 из командной строки (torbel --help)."
  echo
  echo "== Вес на человека, гр: день, дата, обед, ужин, завтрак, за сутки; в конце total — общий вес группы"
  "$torbel" --list weights "$1"
  echo
  echo "== Список закупок на весь поход: наименование, количество, единица"
  "$torbel" --list purchases "$1"
  exit 0
fi

exec "$torbel" "$@"
