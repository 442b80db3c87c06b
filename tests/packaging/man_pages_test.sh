#!/usr/bin/env bash
# Runs each program's --help and --version with no display, as a terminal on
# a server does, and checks the manual page made from them: the page exists,
# carries the version and describes every option --help lists.
#
#   man_pages_test.sh MAN-DIR VERSION PROGRAM-EXECUTABLE...
set -uo pipefail
man_dir=$1
version=$2
shift 2

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Runs the command as on a server's terminal, with no display.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1; }

for executable in "$@"; do
    program=$(basename "$executable")
    help=$(headless "$executable" --help) || fail "$program --help fails without a display: $help"
    answer=$(headless "$executable" --version) || fail "$program --version fails without a display: $answer"
    [[ $answer == "$program $version" ]] || fail "$program --version says \"$answer\", not \"$program $version\""

    page=$man_dir/$program.1
    if [[ ! -s $page || ! -s $page.gz ]]; then
        fail "$page or its .gz is missing"
        continue
    fi
    zcmp -s "$page.gz" "$page" || fail "$page.gz is not $page gzipped"
    grep -q "^\.TH \"\?${program^^}\"\? \"\?1\"\? .*\"$program $version\"" "$page" ||
        fail "$page has no title line for $program $version: $(grep '^\.TH' "$page")"

    options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
    [[ -n $options ]] || fail "$program --help lists no options"
    for option in $options; do
        # help2man writes each "-" of an option as "\-".
        grep -qF -- "${option//-/\\-}" "$page" || fail "$page does not describe $option"
    done
done

((failures == 0)) || { echo "$failures problem(s) with the manual pages"; exit 1; }
echo "manual pages of $# programs checked"
