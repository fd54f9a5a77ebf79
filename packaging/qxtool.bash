# bash completion for qxtool
_qxtool()
{
    local cur prev words cword
    _init_completion || return
    local commands="encode decode list stock compile restore status export import import-rules rules-text make-library library extract frames shp --help --version"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    case ${words[1]} in
        stock)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "unit weapon building projectile warhead" -- "$cur"))
            fi
            return
            ;;
        compile)
            case $prev in
                --game-dir) _filedir -d; return ;;
            esac
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--game-dir --yes --preview" -- "$cur"))
            else
                _filedir qxp
            fi
            return
            ;;
        restore|status)
            case $prev in
                --game-dir) _filedir -d ;;
                *) COMPREPLY=($(compgen -W "--game-dir" -- "$cur")) ;;
            esac
            return
            ;;
        make-library)
            case $prev in
                --kind) COMPREPLY=($(compgen -W "icon unit projectile building" -- "$cur")); return ;;
                --title) return ;;
                --out) _filedir vkl; return ;;
                --palette) _filedir '@(pal|png)'; return ;;
            esac
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--kind --title --out --palette" -- "$cur"))
            else
                _filedir
            fi
            return
            ;;
        shp)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "info frames make" -- "$cur"))
            elif [[ $prev == --palette ]]; then
                _filedir '@(pal|png)'
            elif [[ $cur == -* && ${words[2]} != info ]]; then
                COMPREPLY=($(compgen -W "--palette" -- "$cur"))
            else
                _filedir
            fi
            return
            ;;
        export)
            if [[ $cword -eq 2 ]]; then
                _filedir qxp
            elif [[ $cword -eq 3 ]]; then
                _filedir -d
            fi
            return
            ;;
        import)
            if [[ $cword -eq 2 ]]; then
                _filedir -d
            elif [[ $cword -eq 3 ]]; then
                _filedir qxp
            fi
            return
            ;;
        import-rules)
            if [[ $cword -eq 2 ]]; then
                _filedir ini
            elif [[ $cword -eq 3 ]]; then
                _filedir qxp
            fi
            return
            ;;
        rules-text)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "check add" -- "$cur"))
            elif [[ ${words[2]} == add && $cword -eq 3 ]]; then
                _filedir qxp
            elif [[ ${words[2]} == add && $cword -eq 5 ]]; then
                COMPREPLY=($(compgen -W "--name" -- "$cur"))
            else
                _filedir ini
            fi
            return
            ;;
        library|extract|frames)
            if [[ $cword -eq 2 ]]; then
                _filedir vkl
            elif [[ ${words[1]} == frames && $cword -eq 4 ]]; then
                _filedir -d
            elif [[ ${words[1]} == extract && $cword -eq 4 ]]; then
                _filedir
            fi
            return
            ;;
        *)
            _filedir
            ;;
    esac
} &&
    complete -F _qxtool qxtool
