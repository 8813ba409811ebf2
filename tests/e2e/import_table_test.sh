#!/usr/bin/env bash
# Tavlor.exe must run on a bare Windows: every DLL it imports is part of the
# system (no MinGW runtime DLLs beside it), and from winmm it takes only the
# joystick calls, which is also all the end-to-end tests' stand-in provides.
set -euo pipefail

: "${TAVLOR_WINDOWS_BUILD_DIR:?set TAVLOR_WINDOWS_BUILD_DIR to the Windows build directory}"
exe=$TAVLOR_WINDOWS_BUILD_DIR/Tavlor.exe
[[ -f $exe ]] || { echo "FAIL: $exe is missing: build the windows preset first" >&2; exit 1; }

system_dll='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|winmm|msvcrt|ucrtbase|ntdll|dwmapi|uxtheme|ole32|oleaut32|shlwapi|comdlg32|version|imm32|api-ms-win-.*)\.dll$'
winmm_calls='^(joyGetNumDevs|joyGetDevCapsW|joyGetPosEx)$'

imports=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "FAIL: objdump cannot read $exe" >&2; exit 1; }
dlls=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$imports")
[[ -n $dlls ]] || { echo "FAIL: no import table found in $exe" >&2; exit 1; }

status=0
while read -r dll; do
    if ! grep -Eq "$system_dll" <<<"$dll"; then
        echo "FAIL: Tavlor.exe imports $dll, which is not a Windows system DLL" >&2
        status=1
    fi
done <<<"$dlls"

# The hint/name table lists each DLL's imports under its "DLL Name:" line.
winmm_imports=$(awk '/DLL Name:/ { in_winmm = (tolower($3) == "winmm.dll"); next }
                     /^$/ { in_winmm = 0 }
                     in_winmm && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print $3 }' <<<"$imports")
while read -r call; do
    [[ -z $call ]] && continue
    if ! grep -Eq "$winmm_calls" <<<"$call"; then
        echo "FAIL: Tavlor.exe imports $call from winmm.dll; the e2e joystick stand-in has only the joystick calls" >&2
        status=1
    fi
done <<<"$winmm_imports"

if ((status == 0)); then
    echo "imports: $(tr '\n' ' ' <<<"$dlls")"
    echo "from winmm: $(tr '\n' ' ' <<<"$winmm_imports")"
    echo "PASS: import_table"
fi
exit "$status"
