#!/usr/bin/env bash
# Includes run downward: a subsystem folder of src/ may include its own headers and those of the
# layers below it, never one of its own layer or above.
#   check_include_order.sh <src folder>     lists every include that runs sideways or upward
#   check_include_order.sh --self-test <src folder>
#                                           also checks that an upward include is caught
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

check() {  # <src folder>: prints the faults, returns 1 when there is one
    local src=$1 faults=0 dir folder file line target
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
    out=$(check "$copy") && { echo "an upward include was not caught"; exit 1; }
    grep -q '^dataaccess/cursor.cpp: includes menu/' <<<"$out" || { echo "wrong report: $out"; exit 1; }
    echo "includes run downward; an upward one is caught: $out"
else
    check "$1"
fi
