# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for twlc-export: its options and --format values as its own
# --help lists them, and --language names from the shipped and the user's
# language folders.

_twlc_export_languages() {
    local program folder
    program=$(command -v -- "$1" 2>/dev/null) || return
    program=$(readlink -f -- "$program" 2>/dev/null) || return
    local data=${XDG_DATA_HOME:-}
    [[ $data == /* ]] || data=$HOME/.local/share
    for folder in "${program%/*}/language" "$data/tarnwell/language"; do
        [[ -d $folder ]] || continue
        local f
        for f in "$folder"/*.lng; do
            [[ -e $f ]] && basename -- "$f" .lng
        done
    done
}

_twlc_export() {
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi

    local help
    help=$("$1" --help 2>/dev/null)

    case $prev in
        --format)
            local formats
            formats=$(sed -n 's/^ *--format FORMAT *//p' <<<"$help" | tr -s ', ' '\n\n' | grep -vx 'or')
            COMPREPLY=($(compgen -W "$formats" -- "$cur"))
            return
            ;;
        --language)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(_twlc_export_languages "$1" | sort -fu)" -- "$cur"))
            return
            ;;
        -o | --output)
            if declare -F _filedir >/dev/null; then
                _filedir
            else
                COMPREPLY=($(compgen -f -- "$cur"))
            fi
            return
            ;;
        --amount | --months | --rate | --decimal | --set)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(grep -o -- '--[a-z][a-z-]*\|^ *-[a-z]\b' <<<"$help" | tr -d ' ' | sort -u)" -- "$cur"))
        return
    fi
} &&
    complete -F _twlc_export twlc-export
