#!/usr/bin/env bash
# The layers of src/:
# - includes run downward: a subsystem folder may include its own headers and those of the layers
#   below it, never one of its own layer or above;
# - the operating system and the desktop are reached through platform/ only: no other folder
#   reads the environment, asks for screens or printers, handles signals or reaps children.
#   check_layers.sh <src folder>     lists every include and every system call out of place
#   check_layers.sh --self-test <src folder>
#                                    also checks that an upward include and an environment
#                                    read in menu/ are caught
set -euo pipefail

# The layers, lowest first; folders on one line are one layer.
LAYERS=(
    "platform"
    "common"
    "dataaccess"
    "namemaster"
    "formhelper"
    "dialogs menu setup"
)
declare -A LAYER
for i in "${!LAYERS[@]}"; do
    for folder in ${LAYERS[$i]}; do LAYER[$folder]=$i; done
done

SYSTEM_CALLS='qEnvironmentVariable|qgetenv|[^_a-zA-Z]getenv\(|QPrinterInfo|QScreen|primaryScreen|sigaction|[^_a-zA-Z]signal\(|waitpid|[^_a-zA-Z]fork\('

check() {  # <src folder>: prints the faults, returns 1 when there is one
    local src=$1 faults=0 dir folder file line target calls
    calls=$(grep -rnE "$SYSTEM_CALLS" --include='*.h' --include='*.cpp' --exclude-dir=platform "$src" || true)
    if [ -n "$calls" ]; then
        sed "s|^$src/||; s|\$| (the system outside platform/)|" <<<"$calls"
        faults=1
    fi
    for dir in "$src"/*/; do
        folder=$(basename "$dir")
        [ -n "${LAYER[$folder]:-}" ] || { echo "$folder: a folder of no layer"; faults=1; continue; }
        while IFS= read -r line; do
            file=${line%%:*}
            target=$(sed -nE 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]+"([a-z_]+)\/.*/\1/p' <<<"${line#*:}")
            [ -n "$target" ] && [ "$target" != "$folder" ] || continue
            if [ -z "${LAYER[$target]:-}" ] || ((LAYER[$target] >= LAYER[$folder])); then
                echo "${file#"$src"/}: includes $target/ (layer ${LAYER[$target]:-none}) from $folder/ (layer ${LAYER[$folder]})"
                faults=1
            fi
        done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' --include='*.h' --include='*.cpp' "$dir")
    done
    return "$faults"
}

if [ "${1:-}" = --self-test ]; then
    src=$2
    check "$src"
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp -r "$src"/. "$copy"
    printf '#include "menu/menu_file.h"\n' >>"$copy/dataaccess/cursor.cpp"
    printf 'static const QString h = qEnvironmentVariable("HOME");\n' >>"$copy/menu/company.cpp"
    out=$(check "$copy") && { echo "neither fault was caught"; exit 1; }
    grep -q '^dataaccess/cursor.cpp: includes menu/' <<<"$out" || { echo "upward include not caught: $out"; exit 1; }
    grep -q '^menu/company.cpp:.*(the system outside platform/)' <<<"$out" || { echo "environment read not caught: $out"; exit 1; }
    printf 'the layers hold; the faults put in are caught:\n%s\n' "$out"
else
    check "$1"
fi
