#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it on this machine:
# lintian (no error, no hardening tag), the desktop entry, the AppStream metadata and
# the manual pages, then what the package holds, unpacked with dpkg -x into a scratch
# folder, and that the unpacked program runs.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "check-package: $*" >&2
  exit 1
}

bash scripts/package.sh
version=$(sed -n 's/^project(torbel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build/torbel_${version}-1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "$deb was not made"
id=invalid.rkforge.torbel

echo "== lintian"
report=$(lintian --fail-on error --display-info "$deb") || fail "lintian found errors: $report"
[ -z "$report" ] || echo "$report"
! grep -q 'hardening-' <<<"$report" || fail "lintian says the program is built without hardening"

x=$(mktemp -d)
trap 'rm -rf "$x"' EXIT
dpkg -x "$deb" "$x"
share=$x/usr/share

echo "== Contents"
expected=(
  usr/bin/torbel
  "usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/torbel/torbel-windows.so"
  usr/share/torbel/Torbel.html
  "usr/share/applications/$id.desktop"
  usr/share/mime/packages/torbel.xml
  usr/share/icons/hicolor/scalable/apps/torbel.svg
  "usr/share/metainfo/$id.metainfo.xml"
  usr/share/man/man1/torbel.1.gz
  usr/share/man/ru/man1/torbel.1.gz
  usr/share/bash-completion/completions/torbel
  usr/share/doc/torbel/copyright
  usr/share/doc/torbel/changelog.Debian.gz
  usr/share/doc/torbel/examples/karelia.trb
  usr/share/torbel/karelia.trb
)
for size in 16 22 24 32 48 64 128 256; do
  png=usr/share/icons/hicolor/${size}x${size}/apps/torbel.png
  expected+=("$png")
  [ ! -f "$x/$png" ] || file "$x/$png" | grep -q "PNG image data, $size x $size," || fail "$png is not $size x $size"
done
# The reference table of foods comes with the program once the sources have it.
[ ! -f data/foods.csv ] || expected+=(usr/share/torbel/foods.csv)
for f in "${expected[@]}"; do
  [ -s "$x/$f" ] || fail "the package lacks /$f"
done
cmp help/Torbel.html "$share/torbel/Torbel.html"
cmp examples/karelia.trb "$share/doc/torbel/examples/karelia.trb"
cmp examples/karelia.trb "$share/torbel/karelia.trb"
[ ! -f data/foods.csv ] || cmp data/foods.csv "$share/torbel/foods.csv"
zcat "$share/doc/torbel/changelog.Debian.gz" | head -1 | grep -q "^torbel ($version-1) " ||
  fail "the changelog's first entry is not $version-1"

echo "== Control fields"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libc6 libqt6widgets6 libzip4 qt6-translations-l10n fonts-liberation2; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
[ "$(dpkg-deb -f "$deb" Suggests)" = libreoffice-writer ] || fail "Suggests is not libreoffice-writer"
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "Version is not $version-1"

echo "== Desktop entry, file type, AppStream"
desktop-file-validate "$share/applications/$id.desktop"
xmllint --noout "$share/mime/packages/torbel.xml"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
! grep -q 'example\.\(org\|com\|net\)' "$share/metainfo/$id.metainfo.xml" ||
  fail "the AppStream metadata points at a placeholder address"

echo "== Manual pages"
# English where man looks in every locale, Russian where it looks for Russian ones;
# nothing else.
pages=$(dpkg-deb -c "$deb" | grep -o '\./usr/share/man/.*\.gz$' | sort | paste -sd' ')
[ "$pages" = "./usr/share/man/man1/torbel.1.gz ./usr/share/man/ru/man1/torbel.1.gz" ] ||
  fail "the manual pages are not English in man1 and Russian in ru/man1: $pages"
for page in "$share/man/man1/torbel.1.gz" "$share/man/ru/man1/torbel.1.gz"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
  lexgrog "$page" | grep -q '"torbel - ' || fail "$page has no proper name line"
done
# In the C locale the page in man1 is whole: no letters lost to the ASCII output.
text=$(LC_ALL=C MANWIDTH=80 man -l "$share/man/man1/torbel.1.gz" 2>/dev/null)
grep -q '^ *torbel - food layout' <<<"$text" || fail "man1/torbel.1 in the C locale has no English name line"
! LC_ALL=C grep -q '[^[:print:][:space:]]' <<<"$text" || fail "man1/torbel.1 shows characters the C locale cannot"
lexgrog "$share/man/man1/torbel.1.gz" | LC_ALL=C grep -q '"torbel - food layout' || fail "whatis would not find man1/torbel.1"

echo "== Reproducible"
# Every file carries the time of the changelog's last entry, not the build's.
stamp=$(date -u -d "$(dpkg-parsechangelog -S Date)" '+%Y-%m-%d %H:%M')
dates=$(dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time | awk '{print $4, substr($5, 1, 5)}' | sort -u)
[ "$dates" = "$stamp" ] || fail "the package's files carry other times than the changelog's $stamp: $dates"

echo "== The unpacked program"
torbel=$x/usr/bin/torbel
[ "$("$torbel" --version)" = "Торбел $version" ] || fail "--version does not say Торбел $version"
purchases=$("$torbel" --list purchases "$share/doc/torbel/examples/karelia.trb")
[ -n "$purchases" ] || fail "--list purchases printed nothing"
# Against the test command's build, when there is one.
if [ -x build/src/torbel ]; then
  [ "$purchases" = "$(build/src/torbel --list purchases examples/karelia.trb)" ] ||
    fail "the unpacked program's purchase list differs from the built one's"
fi
# Documents come from the windows module, found in the installed tree.
"$torbel" --export layout "$share/doc/torbel/examples/karelia.trb" --output "$x/layout.docx" ||
  fail "the unpacked program does not load its windows module"
[ -s "$x/layout.docx" ] || fail "--export wrote no document"

# Every option and every list and document the program's help names is in both
# manual pages and in the completion.
usage=$("$torbel" --help)
words=$(grep -o -- '--[a-z]\+' <<<"$usage" | sort -u)
values=$(grep -o -- '--\(list\|export\) [a-z|]\+' <<<"$usage" | cut -d' ' -f2 | tr '|' '\n' | sort -u)
[ -n "$words" ] && [ -n "$values" ] || fail "could not read the options from --help"
completion=$(cat "$share/bash-completion/completions/torbel")
for page in "$share/man/man1/torbel.1.gz" "$share/man/ru/man1/torbel.1.gz"; do
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for w in $words $values; do
    grep -qw -- "$w" <<<"$text" || fail "$(basename "$(dirname "$(dirname "$page")")")/torbel.1 does not mention $w"
    grep -qw -- "$w" <<<"$completion" || fail "the bash completion does not offer $w"
  done
done

echo "Package $deb: OK"
