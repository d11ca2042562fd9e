# bash completion for lotto-cli: commands, their options, tip files and dates' places.
_lotto_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="show check stats generate search prizes update rebuild import backups restore
        system backtest export add delete sheet ticket fetch latest"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --datadir) ((i++)) ;;
            -*) ;;
            *) command="${words[i]}"; break ;;
        esac
    done

    case "$prev" in
        --datadir) _filedir -d; return ;;
        --tips|--out) _filedir qtp; return ;;
        --pdf) _filedir pdf; return ;;
        --file) _filedir; return ;;
        --source)
            COMPREPLY=($(compgen -W "austria austria-today austria-last10 germany switzerland" -- "$cur"))
            return ;;
        --days) COMPREPLY=($(compgen -W "so mi so,mi none" -- "$cur")); return ;;
        --date|--since|--to|--from|--seed|--set|--threshold|--stake|--server|--proxy|--proxy-port|--url|--top|--left|--bank)
            return ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --datadir --no-settings --help --version" -- "$cur"))
        return
    fi

    local options=""
    case "$command" in
        show) options="--date" ;;
        check|sheet) options="--date" ;;
        stats) options="--since --no-sunday --no-wednesday --tips" ;;
        generate) options="--seed --set --out" ;;
        search) options="--threshold --since" ;;
        prizes) options="--since --to --no-sunday --no-wednesday --stake" ;;
        update|rebuild) options="--source --from --server --proxy --proxy-port --file" ;;
        system) options="--bank --list --date --stake" ;;
        backtest) options="--since --to --no-sunday --no-wednesday --seed --set" ;;
        export) options="--from" ;;
        ticket) options="--pdf --top --left --days --joker --joker2 --joker3 --test-image" ;;
        fetch) options="--file --proxy --proxy-port" ;;
        latest) options="--url --tips" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case "$command" in
        stats) COMPREPLY=($(compgen -W "frequency digitsums pairs triples quadruples overdue tips" -- "$cur")) ;;
        check|search|prizes|sheet|ticket) _filedir qtp ;;
        import|export) _filedir ;;
    esac
} &&
    complete -F _lotto_cli lotto-cli
