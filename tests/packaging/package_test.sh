#!/usr/bin/env bash
# Builds the Debian package into a temporary folder, as `cpack -G DEB` in the
# build folder does, and checks it as a packager would: what it holds, its
# control fields, the hardening of its programs, its AppStream metadata, and
# lintian with no errors and no warnings.
#
#   package_test.sh CPACK BUILD-DIR VERSION-REVISION
set -uo pipefail
cpack=$1
build=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1
shopt -s nullglob
debs=("$work"/*.deb)
((${#debs[@]} == 1)) || { cat "$work/cpack.log"; echo "FAIL: cpack made ${#debs[@]} packages, not one"; exit 1; }
deb=${debs[0]}
[[ $(basename "$deb") == tr8kz-utility_${version}_$(dpkg --print-architecture).deb ]] ||
    fail "the package is called $(basename "$deb")"

# Control fields.
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version is $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
    [[ $depends =~ (^|, )"$needed"( |,|$) ]] || fail "Depends lacks $needed: $depends"
done

# What the package holds.
dpkg-deb -x "$deb" "$work/root"
for path in usr/bin/tr8kz-utility usr/bin/tr8kz usr/bin/tr8kz-sim \
    usr/share/man/man1/tr8kz-utility.1.gz usr/share/man/man1/tr8kz.1.gz usr/share/man/man1/tr8kz-sim.1.gz \
    usr/share/bash-completion/completions/tr8kz \
    usr/share/applications/tr8kz-utility.desktop usr/share/icons/hicolor/48x48/apps/tr8kz-utility.png \
    usr/share/metainfo/example.velmora.tr8kz_utility.metainfo.xml \
    usr/lib/udev/rules.d/60-tr8kz.rules \
    usr/share/doc/tr8kz-utility/copyright usr/share/doc/tr8kz-utility/changelog.Debian.gz; do
    [[ -s $work/root/$path ]] || fail "the package lacks /$path"
done
zcat "$work/root/usr/share/doc/tr8kz-utility/changelog.Debian.gz" | head -n 1 |
    grep -qF "tr8kz-utility ($version) " || fail "the changelog's first entry is not for $version"

# The programs: hardened, without the sections strip leaves, and working
# once stripped (--version with no display).
for program in tr8kz-utility tr8kz tr8kz-sim; do
    binary=$work/root/usr/bin/$program
    [[ -x $binary ]] || continue
    readelf -d "$binary" | grep -q 'FLAGS.*BIND_NOW' || fail "$program is not linked with -z now"
    readelf -lW "$binary" | grep -q 'GNU_RELRO' || fail "$program is not linked with -z relro"
    readelf -SW "$binary" | grep -qE '\] \.comment |\] \.symtab ' && fail "$program keeps .comment or .symtab"
    symbols=$(readelf --dyn-syms -W "$binary")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protector"
    grep -qE ' __[a-z_]+_chk(@|$)' <<<"$symbols" || fail "$program calls no fortified function"
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --version 2>&1) ||
        fail "the packaged $program --version fails: $answer"
done

# AppStream: the metadata is valid, and its launchable is the desktop entry
# the package installs.
appstreamcli validate --no-net --pedantic "$work"/root/usr/share/metainfo/*.xml ||
    fail "appstreamcli finds the metadata invalid"
appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli finds the installed tree invalid"

# lintian: errors and warnings fail; informational and pedantic tags are
# shown for the reader of the log.
lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 "$deb" ||
    fail "lintian reports errors or warnings"

((failures == 0)) || { echo "$failures problem(s) with $(basename "$deb")"; exit 1; }
echo "$(basename "$deb") checked"
