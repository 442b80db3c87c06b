#!/usr/bin/env bash
# Sources the bash completion of tr8kz and checks its answers for command
# lines typed as bash splits them (at "=" too, as COMP_WORDBREAKS does).
# Given the program, also checks that every command, sub-command and option
# its --help lists is offered, so that the completion follows the program.
#
#   completion_test.sh COMPLETION-FILE [TR8KZ-EXECUTABLE]
set -uo pipefail
source "$1" || exit 1
program=${2-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/log.txt" "$work/log.dat" "$work/setups.arc" "$work/other.bmp"

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# complete WORD...: COMPREPLY for completing the last WORD.
complete()
{
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMPREPLY=()
    COMP_POINT=${#COMP_LINE}
    _tr8kz
}

# expect "REPLIES" WORD... : completing the last WORD gives exactly REPLIES
# (in any order).
expect()
{
    local wanted=$1 got
    shift
    complete "$@"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ')
    wanted=$(printf '%s\n' $wanted | sed '/^$/d' | sort | tr '\n' ' ')
    [[ $got == "$wanted" ]] || fail "$*| gave [$got], wanted [$wanted]"
}

# Commands and their second words; option arguments are no command words.
# That each command, sub-command and option of --help is offered at all is
# the cross-check at the end; these are the exact lists and the contexts.
expect "identify datalog setups setup colour clock screen" tr8kz ""
expect "capture clear convert" tr8kz datalog c
expect "archive restore compare" tr8kz --port /dev/ttyACM0 setups ""
expect "archive restore compare" tr8kz --delimiter = comma setups ""
expect "" tr8kz identify ""
expect "--illuminant" tr8kz color difference --i
expect "CIELAB CIELCh" tr8kz colour convert --from CIEL
expect "D65/2 D65/10" tr8kz colour difference --illuminant D65

# Options: the common ones, and those of the command given only (--json is
# identify's, --csv summary's, --verify restore's).
expect "" tr8kz --j
expect "" tr8kz datalog capture --c
expect "--version" tr8kz setups archive --v

# Delimiter words, as a separate argument and after "=".
expect "tab comma" tr8kz --delimiter ""
expect "comma" tr8kz --delimiter = c
expect "tab comma" tr8kz --delimiter =

# File names where a command reads or writes a file, and for --trace.
expect "$work/log.txt $work/log.dat" tr8kz datalog capture "$work/log"
expect "$work/log.txt $work/log.dat" tr8kz datalog convert "$work/log.dat" "$work/log"
expect "" tr8kz datalog convert a b "$work/log"
expect "$work/setups.arc" tr8kz setups restore "$work/s"
expect "$work/other.bmp" tr8kz screen "$work/o"
expect "$work/log.txt" tr8kz --trace "$work/log.t"
expect "$work/log.txt" tr8kz --trace = "$work/log.t"
expect "" tr8kz setup show "$work/log"

# Fields and values of setup set; none before the setup number.
expect "" tr8kz setup set ""
expect "standard=" tr8kz setup set 12 stan
expect "target1= target2= target3=" tr8kz setup set 12 targ
expect "scaleplus1= scaleplus2= scaleplus3=" tr8kz setup set 12 name = X scalep
expect "WORKING" tr8kz setup set 12 standard = W
expect "yes no" tr8kz setup set 12 view2.enabled =
expect "TIME PIECE" tr8kz setup set 12 readmode =
expect "" tr8kz setup set 12 interval =

# offers WORD LINE-WORD...: completing the last LINE-WORD offers WORD.
offers()
{
    local word=$1
    shift
    complete "$@"
    [[ " ${COMPREPLY[*]} " == *" $word "* ]] || fail "\"$word\" is not offered for: $*"
}

if [[ -n $program ]]; then
    help=$("$program" --help) || { echo "FAIL: $program --help failed"; exit 1; }
    section=
    checked=0
    while IFS= read -r line; do
        case $line in
            Commands:) section=commands ;;
            Options:) section=options ;;
            "") section= ;;
        esac
        if [[ $section == commands && $line =~ ^\ \ ([a-z]+)(\ ([a-z]+))?(\ |$) ]]; then
            group=${BASH_REMATCH[1]}
            sub=${BASH_REMATCH[3]}
            offers "$group" tr8kz ""
            words=(tr8kz "$group")
            if [[ -n $sub ]]; then
                offers "$sub" tr8kz "$group" ""
                words+=("$sub")
            fi
            for option in $(grep -oE -- '\[--[a-z][a-z-]*' <<<"$line" | tr -d '['); do
                offers "$option" "${words[@]}" --
            done
            checked=$((checked + 1))
        elif [[ $section == options && $line =~ ^\ \ - ]]; then
            names=${line#  }
            names=${names%%  *}  # the column before the description
            for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$names"); do
                offers "$option" tr8kz --
            done
        fi
    done <<<"$help"
    ((checked >= 5)) || fail "only $checked commands found in $program --help"
fi

((failures == 0)) || { echo "$failures completion(s) wrong"; exit 1; }
echo "all completions right"
