# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers
# Bash completion for the wrenfold terminal commands.

_wrenfold()
{
    # Plain COMP_WORDS, so that the bash-completion package is not needed.
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    local words=("${COMP_WORDS[@]}") cword=$COMP_CWORD

    local commands="today show append search agenda habits check flows activity"
    local command="" word
    for word in "${words[@]:1:cword-1}"; do
        case "$word" in
            -*) ;;
            *) command="$word"; break ;;
        esac
    done

    case "$prev" in
        --notes-folder)
            local IFS=$'\n'
            COMPREPLY=($(compgen -d -- "$cur"))
            return ;;
        --date)
            COMPREPLY=($(compgen -W "today yesterday tomorrow" -- "$cur"))
            return ;;
        --days)
            COMPREPLY=($(compgen -W "1 7 14 30" -- "$cur"))
            return ;;
    esac

    if [[ -z "$command" ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version --notes-folder" -- "$cur"))
        return
    fi

    local options="--help --notes-folder"
    case "$command" in
        append) options+=" --date" ;;
        search|flows|activity|habits) options+=" --json" ;;
        agenda) options+=" --json --days" ;;
        check) options+=" --date --undo" ;;
    esac
    if [[ "$cur" == --* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    case "$command" in
        show|agenda|habits)
            COMPREPLY=($(compgen -W "today yesterday tomorrow" -- "$cur")) ;;
        check)
            # Titles of the habits due today, one per line ("[ ] Walk").
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(wrenfold habits 2>/dev/null | cut -c5-)" -- "$cur")) ;;
    esac
}
complete -F _wrenfold wrenfold
