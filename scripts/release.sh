#!/usr/bin/env bash
# Builds Tavlor.exe from scratch and packages it: dist/Tavlor-VERSION-win64.zip
# (Tavlor.exe, README.txt, LICENSE) and dist/SHA256SUMS for the zip and the
# exe. Two runs on one commit, in any clone, give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh
build=build/release
rm -rf "$build" dist
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" --target Tavlor >/dev/null
version=$(sed -n 's/^#define TAVLOR_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/version.h")
zip=Tavlor-$version-win64.zip

# The archive keeps times, modes and order; fix them so that only the
# contents count. Notepad shows either line ending, older viewers only CRLF.
package=$build/package
mkdir -p "$package" dist
cp "$build/Tavlor.exe" "$package/"
sed 's/$/\r/' docs/README.txt >"$package/README.txt"
sed 's/$/\r/' LICENSE >"$package/LICENSE"
chmod 644 "$package"/*
touch -d "@$(git log -1 --format=%ct)" "$package"/*
(cd "$package" && TZ=UTC zip -X -q "$OLDPWD/dist/$zip" Tavlor.exe README.txt LICENSE)
{
    (cd dist && sha256sum "$zip")
    (cd "$package" && sha256sum Tavlor.exe)
} >dist/SHA256SUMS
echo "dist/$zip ($(stat -c %s "dist/$zip") bytes), Tavlor.exe $(stat -c %s "$package/Tavlor.exe") bytes"
cat dist/SHA256SUMS
