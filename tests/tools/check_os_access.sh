#!/usr/bin/env bash
# The operating system and the desktop are reached through src/platform only: no other folder
# reads the environment, asks for screens or printers, handles signals or reaps children.
#   check_os_access.sh <src folder>              lists every such call outside platform/
#   check_os_access.sh --self-test <src folder>  also checks that one is caught
set -euo pipefail

PATTERN='qEnvironmentVariable|qgetenv|[^_a-zA-Z]getenv\(|QPrinterInfo|QScreen|primaryScreen|sigaction|[^_a-zA-Z]signal\(|waitpid|[^_a-zA-Z]fork\('

check() {  # <src folder>: prints the faults, returns 1 when there is one
    local out
    out=$(grep -rnE "$PATTERN" --include='*.h' --include='*.cpp' --exclude-dir=platform "$1" || true)
    [ -z "$out" ] && return 0
    sed "s|^$1/||" <<<"$out"
    return 1
}

if [ "${1:-}" = --self-test ]; then
    src=$2
    check "$src"
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp -r "$src"/. "$copy"
    printf 'static const QString h = qEnvironmentVariable("HOME");\n' >>"$copy/menu/company.cpp"
    out=$(check "$copy") && { echo "an environment read in menu/ was not caught"; exit 1; }
    grep -q '^menu/company.cpp:' <<<"$out" || { echo "wrong report: $out"; exit 1; }
    echo "the system is reached through platform/ only; a read elsewhere is caught: $out"
else
    check "$1"
fi
