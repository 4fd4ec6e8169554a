#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a package would ship: the places of
# the files, the desktop entry, AppStream metadata, manual pages and bash completion pass their
# validators, and the installed orvane-cli finds its data in share/orvane/ and keeps the user's
# settings in the XDG folders.
# Usage: test_installed_layout.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
build=$1 source=$2 id=$3 version=$4
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/orvane bin/orvane-cli \
         share/orvane/utils/FictionBook.xsd share/orvane/utils/genres.list share/orvane/utils/txt.xsl \
         share/orvane/help/1000.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg \
         share/man/man1/orvane.1.gz share/man/man1/orvane-cli.1.gz \
         share/bash-completion/completions/orvane-cli; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/share/orvane/utils/.keep" ] || fail "share/orvane/utils/.keep installed"
echo "ok   files in place"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "desktop entry names another icon"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
  || fail "AppStream metadata: $(appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml")"
newest=$(grep -o '<release version="[^"]*"' "$prefix/share/metainfo/$id.metainfo.xml" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "newest release in the metadata is $newest, the program is $version"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' \
  "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "icon is not well-formed SVG"
echo "ok   desktop entry, AppStream metadata and icon"

for page in orvane orvane-cli; do
  warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 2>&1)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
  zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "\"Orvane $version\"" || fail "manual page $page: version"
done
echo "ok   manual pages"

# The completion offers the verbs, a verb's options and the formats of convert.
complete_words() {
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _orvane_cli orvane-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
    _ "$prefix/share/bash-completion/completions/orvane-cli" "$@"
}
[ "$(complete_words orvane-cli '')" = "--config --help convert extract info journal list names pack run undo validate " ] \
  || fail "completion of verbs: $(complete_words orvane-cli '')"
[ "$(complete_words orvane-cli run --)" = "--config --dry-run --help --jobs --journal-dir --report " ] || fail "completion of run's options"
[ "$(complete_words orvane-cli convert --to '')" = "html rtf txt " ] || fail "completion of formats"
echo "ok   bash completion"

# The installed command line: the schema from share/orvane/, the settings of the user's own
# (transliterated names tell that it read them), nothing written beside the program.
home=$scratch/home
mkdir -p "$home/.config/orvane"
printf '[AUTO]\nTranslitName=1\n' > "$home/.config/orvane/config.ini"
book=$scratch/book.fb2
cat > "$book" <<'BOOK'
<?xml version="1.0" encoding="UTF-8"?>
<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0"><description><title-info>
<genre>prose_classic</genre><author><first-name>Лев</first-name><last-name>Толстой</last-name></author>
<book-title>Война и мир</book-title><lang>ru</lang></title-info></description>
<body><section><p>Текст</p></section></body></FictionBook>
BOOK
status=0
HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME= "$prefix/bin/orvane-cli" validate "$book" >/dev/null 2>&1 || status=$?
[ $status -eq 1 ] || fail "installed orvane-cli did not validate against the installed schema (status $status)"
names=$(HOME=$home XDG_CONFIG_HOME= "$prefix/bin/orvane-cli" names "$book")
[ "$names" = "$book"$'\t''Tolstoj Lev - Vojna i mir.fb2'$'\t''Т\Толстой Лев' ] || fail "names: $names"
[ -z "$(ls -A "$prefix/bin" | grep -v '^orvane')" ] || fail "files written beside the installed program"
echo "ok   installed orvane-cli"
echo "1 passed, 0 failed"
