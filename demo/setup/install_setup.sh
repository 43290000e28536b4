# Installs the setup program where the menu's setup question looks for it: one folder above the
# menu's program folder ("..\TAV_setup.EXE " relative to it), with its readme. Source this file
# and call the function, or run it with the same arguments:
#   tav_install_setup <TAV_setup binary> <menu program folder> [payload folder]
# With a payload folder, a demonstration archive TAV_App.TAV is installed too: when the setup
# program runs it, it copies the payload into the menu's program folder ("App") without
# replacing what is there, as the real self-extracting archive would unpack the system.
# The binary is copied, not linked: a program's folder is the real folder of its executable.
tav_install_setup() {
    local bin=$1 menu=$2 payload=${3:-}
    local here target
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    target=$(cd "$menu/.." && pwd)
    install -m 0755 "$bin" "$target/TAV_setup"
    install -m 0644 "$here/TAV_お読み下さい.TXT" "$target/TAV_お読み下さい.TXT"
    if [ -n "$payload" ]; then
        rm -rf "$target/TAV_App.files"
        cp -R "$payload" "$target/TAV_App.files"
        install -m 0755 "$here/demo_archive.sh" "$target/TAV_App.TAV"
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    tav_install_setup "$@"
fi
