#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it on this machine:
# lintian, the desktop entry, the AppStream metadata and the manual pages, then what
# the package holds, unpacked with dpkg -x into a scratch folder, and that the
# unpacked program runs.
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

echo "== lintian"
lintian --fail-on error "$deb"

x=$(mktemp -d)
trap 'rm -rf "$x"' EXIT
dpkg -x "$deb" "$x"
share=$x/usr/share

echo "== Contents"
expected=(
  usr/bin/torbel
  "usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/torbel/torbel-windows.so"
  usr/share/torbel/Torbel.html
  usr/share/applications/torbel.desktop
  usr/share/mime/packages/torbel.xml
  usr/share/icons/hicolor/scalable/apps/torbel.svg
  usr/share/metainfo/org.example.torbel.metainfo.xml
  usr/share/man/man1/torbel.1.gz
  usr/share/man/en/man1/torbel.1.gz
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
desktop-file-validate "$share/applications/torbel.desktop"
xmllint --noout "$share/mime/packages/torbel.xml"
appstreamcli validate --no-net "$share/metainfo/org.example.torbel.metainfo.xml"
# The screenshots it names are the README's, published beside the home page.
for image in $(grep -o 'images/[a-z0-9_-]*\.png' "$share/metainfo/org.example.torbel.metainfo.xml"); do
  [ -f "docs/$image" ] || fail "the AppStream screenshot $image is not in docs/images"
done

echo "== Manual pages"
for page in "$share/man/man1/torbel.1.gz" "$share/man/en/man1/torbel.1.gz"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
  lexgrog "$page" | grep -q '"torbel - ' || fail "$page has no proper name line"
done

echo "== The unpacked program"
torbel=$x/usr/bin/torbel
[ "$("$torbel" --version)" = "Торбел $version" ] || fail "--version does not say Торбел $version"
purchases=$("$torbel" --list purchases "$share/doc/torbel/examples/karelia.trb")
[ -n "$purchases" ] || fail "--list purchases printed nothing"
[ "$purchases" = "$(build/src/torbel --list purchases examples/karelia.trb)" ] ||
  fail "the unpacked program's purchase list differs from the built one's"
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
for page in "$share/man/man1/torbel.1.gz" "$share/man/en/man1/torbel.1.gz"; do
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for w in $words $values; do
    grep -qw -- "$w" <<<"$text" || fail "$(basename "$(dirname "$(dirname "$page")")")/torbel.1 does not mention $w"
    grep -qw -- "$w" <<<"$completion" || fail "the bash completion does not offer $w"
  done
done

echo "Package $deb: OK"
