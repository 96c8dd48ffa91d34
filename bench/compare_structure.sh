#!/usr/bin/env bash
# Counts the structure (headings, lists, tables, web links, raised and lowered text) that
# Quorelle's EPUB keeps from RTF files of the corpus, beside calibre's and pandoc's conversions of
# the same files, and runs Ace by DAISY on Quorelle's EPUB when it is installed.
# Usage: bench/compare_structure.sh BUILD_DIR [RTF ...]   (needs calibre and pandoc for the others)
set -euo pipefail
build=$(cd "$1" && pwd); shift
here=$(cd "$(dirname "$0")/.." && pwd)
corpus="$here/../shared/rtf-corpus"
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(pandoc/heading.rtf pandoc/list_simple.rtf pandoc/writer.rtf
  rtfjs/hyperlink.rtf rtfjs/superscript-subscript.rtf tika/testRTFVarious.rtf
  tika/testRTFJapanese.rtf tika/testRTFListMicrosoftWord.rtf rtfjs/HOMEAUDIOMETER.rtf)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() { # folder of XHTML files -> "headings lists tables links sup/sub"
  local dir=$1 text
  text=$(cat "$dir"/* 2>/dev/null | sed 's/<h1 class="chapter-title">[^<]*<\/h1>//g')
  printf '%8s %6s %6s %6s %8s' \
    "$(grep -o '<h[1-6][ >]' <<<"$text" | wc -l)" "$(grep -o '<[ou]l[ >]' <<<"$text" | wc -l)" \
    "$(grep -o '<table[ >]' <<<"$text" | wc -l)" "$(grep -o '<a [^>]*href="\(https\?\|mailto\):' <<<"$text" | wc -l)" \
    "$(grep -o '<su[pb][ >]' <<<"$text" | wc -l)"
}

printf '%-36s %-8s %8s %6s %6s %6s %8s\n' file tool headings lists tables links sup/sub
for f in "${files[@]}"; do
  name=$(basename "$f" .rtf)
  # Quorelle: the sample book with the file as its first chapter.
  book="$work/$name/book"; mkdir -p "$book"; cp -r "$here/resources/sample/." "$book"
  cp "$corpus/$f" "$book/DEPART.QLF"; printf '{\\rtf1 }' > "$book/CROSS.QLF"
  (cd "$book" && QT_QPA_PLATFORM=offscreen "$build/bin/quorelle-build" --epub "$work/$name/q.epub" SAMPLE.QVJ >/dev/null 2>&1)
  mkdir -p "$work/$name/q"; unzip -qo -j "$work/$name/q.epub" 'EPUB/chapter-1.xhtml' -d "$work/$name/q"
  printf '%-36s %-8s %s\n' "$f" quorelle "$(count "$work/$name/q")"
  if command -v ebook-convert >/dev/null; then
    ebook-convert "$corpus/$f" "$work/$name/c.epub" >/dev/null 2>&1 || true
    mkdir -p "$work/$name/c"; unzip -qo -j "$work/$name/c.epub" '*.xhtml' '*.html' -x '*titlepage*' -d "$work/$name/c" 2>/dev/null || true
    printf '%-36s %-8s %s\n' "" calibre "$(count "$work/$name/c")"
  fi
  if command -v pandoc >/dev/null; then
    pandoc "$corpus/$f" -o "$work/$name/p.epub" >/dev/null 2>&1 || true
    mkdir -p "$work/$name/p"; unzip -qo -j "$work/$name/p.epub" 'EPUB/text/ch*.xhtml' -d "$work/$name/p" 2>/dev/null || true
    printf '%-36s %-8s %s\n' "" pandoc "$(count "$work/$name/p")"
  fi
done
