# Bash completion for mlctl: its commands (as "mlctl --help" lists them) and
# options, wall, sequence and settings files by their extension, and the names of
# the definitions mlctl reads (the operations, their targets and values for get
# and set, the events), printed by "pgc dump" from LVDRIVER_DEFINITIONS, else from
# mlcenter.PGC beside the real mlctl file (which the link on the PATH points to).

# The definitions as source lines; $1 is the mlctl being completed.
_mlctl_definitions() {
    local program folder
    program=$(type -P -- "$1") || return
    folder=$(dirname -- "$(readlink -f -- "$program")")
    local pgc=$folder/pgc
    [[ -x $pgc ]] || pgc=pgc
    "$pgc" dump "${LVDRIVER_DEFINITIONS:-$folder/mlcenter.PGC}" 2>/dev/null
}

# What may follow the words given to get or set so far: the operations, then the
# codes of the operation's target list (when it has one), then, for set, those of
# its value list. Names compare without regard to letter case, as the driver does.
_mlctl_setting_names() {
    local command=$1 definitions=$2
    shift 2
    if (($# == 0)); then
        awk '$1 == "operation" { print $2 }' <<<"$definitions"
        return
    fi
    local lists target values
    lists=$(awk -v op="$1" '$1 == "operation" && tolower($2) == tolower(op) {
        t = "-"; v = "-"
        for (i = 3; i <= NF; i++) {
            if ($i ~ /^target=/) t = substr($i, 8)
            if ($i ~ /^values=/) v = substr($i, 8)
        }
        print t, v; exit
    }' <<<"$definitions")
    read -r target values <<<"$lists"
    local list=-
    if (($# == 1)); then
        if [[ $target != - ]]; then
            list=$target
        elif [[ $command == set ]]; then
            list=$values
        fi
    elif (($# == 2)) && [[ $command == set && $target != - ]]; then
        list=$values
    fi
    [[ $list != - ]] && awk -v list="$list" '$1 == "item" && tolower($2) == tolower(list) { print $3 }' <<<"$definitions"
}

# Folders and the files whose extension is $1, in any letter case.
_mlctl_files() {
    local pattern="" c
    for ((c = 0; c < ${#1}; c++)); do
        local letter=${1:c:1}
        pattern+="[${letter,}${letter^}]"
    done
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X "!*.$pattern" -- "$cur")
}

_mlctl() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    --settings)
        _mlctl_files INI
        return
        ;;
    --traffic)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    --port | --id | --cols | --rows) return ;;
    esac

    # The command and the words after it; options and their values left out.
    local command="" words=() i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --port | --settings | --traffic | --id | --cols | --rows) ((i++)) ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=${COMP_WORDS[i]}; else words+=("${COMP_WORDS[i]}"); fi ;;
        esac
    done

    if [[ $cur == -* ]]; then
        local own=""
        case $command in
        detect) own=--save ;;
        play) own=--loop ;;
        autoset) own="--cols --rows" ;;
        get | set) own=--id ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "--port --settings --yes --traffic --inhibit --help $own" -- "$cur")
        return
    fi
    local names=""
    case $command in
    "") names=$("${COMP_WORDS[0]}" --help 2>/dev/null | awk '/^Commands:/ { on = 1; next } on && /^  / { print $1; next } on { exit }') ;;
    write | read) _mlctl_files MLV ;;
    play) ((${#words[@]} == 0)) && _mlctl_files MLS ;;
    sequence) if ((${#words[@]} == 0)); then _mlctl_files MLS; else _mlctl_files MLV; fi ;;
    memory)
        case ${#words[@]} in
        0) names="store recall" ;;
        1) names="1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16" ;;
        esac
        ;;
    event) ((${#words[@]} == 0)) && names=$(_mlctl_definitions "${COMP_WORDS[0]}" | awk '$1 == "event" { print $2 }') ;;
    get | set) names=$(_mlctl_setting_names "$command" "$(_mlctl_definitions "${COMP_WORDS[0]}")" "${words[@]}") ;;
    esac
    [[ -n $names ]] && mapfile -t COMPREPLY < <(compgen -W "$names" -- "$cur")
    return 0
}

complete -F _mlctl mlctl
