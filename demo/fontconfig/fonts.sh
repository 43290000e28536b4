# TAV's font configuration for a program started from a script (source this file):
#   tav_font_config <folder>   writes <folder>/fonts.conf from fonts.conf.in (Debian's fonts,
#                              the fontconfig package's generic rules and tav-fonts.conf, nothing
#                              of the machine's own configuration), its new caches in
#                              <folder>/cache, and exports FONTCONFIG_FILE.
tav_font_config() {
    local folder=$1
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    mkdir -p "$folder/cache"
    # The aliases are copied beside fonts.conf: a program run as another user (the package test's)
    # may not be able to enter the checkout.
    cp "$here/tav-fonts.conf" "$folder/tav-fonts.conf"
    local cache=$folder/cache aliases=$folder/tav-fonts.conf
    # The paths go into XML: & and < would end it.
    case "$cache$aliases" in *'&'* | *'<'*) echo "tav_font_config: unusable path $folder" >&2; return 1 ;; esac
    sed -e "s|@TAV_FONT_CACHE@|${cache//|/\\|}|" -e "s|@TAV_FONT_ALIASES@|${aliases//|/\\|}|" \
        "$here/fonts.conf.in" >"$folder/fonts.conf"
    export FONTCONFIG_FILE="$folder/fonts.conf"
}
