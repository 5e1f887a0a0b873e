# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for twlc-export and twlc: options and their values as the
# program's own --help lists them (a value list is either `--flag a|b|c` or a
# description that starts "a, b or c"), and --language names from the shipped
# and the user's language folders, matched in any letter case as the programs
# match them.

_twlc_languages() {
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

# The values --help gives for one option, one a line; nothing for free values.
_twlc_option_values() {
    local help=$1 option=$2
    awk -v option="$option" '
        function flush(   text, n, i, items, item) {
            if (entry == "") return
            text = entry
            entry = ""
            if (match(text, "^" option " [a-z0-9-]+(\\|[a-z0-9-]+)+")) {
                text = substr(text, length(option) + 2, RLENGTH - length(option) - 1)
                n = split(text, items, "|")
                for (i = 1; i <= n; i++) print items[i]
                exit
            }
            if (!match(text, "^" option " [A-Z][A-Z_]* +")) return
            text = substr(text, RLENGTH + 1)
            gsub(/\([^)]*\)/, "", text)
            sub(/;.*/, "", text)
            gsub(/ or /, ",", text)
            n = split(text, items, ",")
            if (n < 2) exit
            for (i = 1; i <= n; i++) {
                item = items[i]
                gsub(/^ +| +$/, "", item)
                if (item !~ /^[a-z0-9-]+$/) exit
            }
            for (i = 1; i <= n; i++) { item = items[i]; gsub(/^ +| +$/, "", item); print item }
            exit
        }
        /^ *-/ {
            flush()
            line = $0
            sub(/^ *(-[a-z], )?/, "", line)
            entry = (index(line, option " ") == 1) ? line : ""
            next
        }
        entry != "" && /^   / { line = $0; sub(/^ +/, " ", line); entry = entry line; next }
        { flush() }
        END { flush() }
    ' <<<"$help"
}

_twlc_export() {
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
        # Without bash-completion, "--format=cs" arrives as three words.
        if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
            prev=${COMP_WORDS[COMP_CWORD - 2]}
        elif [[ $cur == = ]]; then
            prev=${COMP_WORDS[COMP_CWORD - 1]}
            cur=
        fi
    fi
    local prefix=
    if [[ $cur == --*=* ]]; then
        prev=${cur%%=*}
        prefix=$prev=
        cur=${cur#*=}
    fi

    local help
    help=$("$1" --help 2>/dev/null)

    case $prev in
        --language)
            local name lower=${cur,,}
            COMPREPLY=()
            while IFS= read -r name; do
                [[ ${name,,} == "$lower"* ]] && COMPREPLY+=("$prefix$name")
            done < <(_twlc_languages "$1" | sort -fu)
            return
            ;;
        -o | --output)
            if [[ -z $prefix ]] && declare -F _filedir >/dev/null; then
                _filedir
            else
                local IFS=$'\n'
                COMPREPLY=($(compgen -P "$prefix" -f -- "$cur"))
            fi
            return
            ;;
        --*)
            if grep -q -- "^ *\(-[a-z], \)\?$prev [A-Za-z]" <<<"$help"; then
                local IFS=$'\n'
                COMPREPLY=($(compgen -P "$prefix" -W "$(_twlc_option_values "$help" "$prev")" -- "$cur"))
                return
            fi
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(grep -o -- '--[a-z][a-z-]*\|^ *-[a-z]\b' <<<"$help" | tr -d ' ' | sort -u)" -- "$cur"))
        return
    fi
} &&
    complete -F _twlc_export twlc-export twlc
