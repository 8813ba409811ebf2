#!/usr/bin/env bash
# The file users download: at most 400 KB, no debug sections, and no DLL that
# Windows does not have.
set -euo pipefail
exe=$1
size=$(stat -c %s "$exe")
((size <= 400000)) || { echo "Tavlor.exe has $size bytes, more than 400 KB"; exit 1; }
dump=$(x86_64-w64-mingw32-objdump -h -p "$exe")
if grep -q '\.debug' <<<"$dump"; then echo "Tavlor.exe has debug sections"; exit 1; fi
others=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump" |
    grep -Evx '(advapi32|comctl32|gdi32|kernel32|shell32|user32|winmm|msvcrt)\.dll' || true)
[[ -z $others ]] || { echo "Tavlor.exe imports $others"; exit 1; }
echo "Tavlor.exe: $size bytes, no debug sections, Windows DLLs only"
