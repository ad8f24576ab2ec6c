#!/usr/bin/env bash
# The Debian package made from a build tree (tools/package, which fails on
# any lintian error): what it installs, what it depends on, and the unpacked
# program run with no display: its version, a conversion and a thumbnail.
# Usage: check_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

deb=$("$src/tools/package" --from "$build" --out "$work" | tail -n 1)
[[ $(basename "$deb") == miravel_1.1_amd64.deb ]] || fail "package named $deb"

# Every file, and nothing else: no build leftovers, tests or headers.
expected=(
    usr/bin/miravel
    usr/share/applications/com.orvendale.miravel.desktop
    usr/share/doc/miravel/changelog.gz
    usr/share/doc/miravel/copyright
    usr/share/doc-base/miravel
    usr/share/man/man1/miravel.1.gz
    usr/share/metainfo/com.orvendale.miravel.metainfo.xml
    usr/share/mime/packages/miravel.xml
    usr/share/thumbnailers/miravel.thumbnailer
    usr/share/icons/hicolor/scalable/apps/miravel.svg
)
for size in 16 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/miravel.png")
done
while IFS= read -r f; do
    expected+=("usr/share/doc/miravel/guide/$f")
done < <(cd "$src/docs/guide" && find . -type f | sed 's|^\./||')
diff <(printf '%s\n' "${expected[@]}" | sort) \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) ||
    fail "the package's files differ from the expected list (< expected, > packaged)"

# The libraries the program links, read by dpkg-shlibdeps, beside the
# fixed list of what is loaded at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6widgets6 libegl1 libassimp5 libgl1-mesa-dri libegl-mesa0 qt6-qpa-plugins \
         qt6-image-formats-plugins xdg-utils; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
grep -q '^License: MIT' <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/miravel/copyright) ||
    fail "the copyright file does not name the MIT licence"

dpkg -x "$deb" "$work/root"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work" XDG_CONFIG_HOME="$work/config" \
        ASAN_OPTIONS=detect_leaks=0 "$work/root/usr/bin/miravel" "$@"; }
[[ $(run --version) == "MIRA-VEL 1.1" ]] || fail "--version says $(run --version)"
run --export "$work/house.glb" "$src/resources/samples/sample.mvf"
[[ $(head -c 4 "$work/house.glb") == glTF ]] || fail "the conversion wrote no glTF"
run --thumbnail "$src/resources/samples/sample.mvf" "$work/house.png" 64
[[ $(file -b "$work/house.png") == "PNG image data, 64 x 64, 8-bit/color RGBA, non-interlaced" ]] ||
    fail "the thumbnail is $(file -b "$work/house.png")"
echo "check_package: $(basename "$deb") passed"
