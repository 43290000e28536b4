# The font aliases of TAV for a program started from a script (source this file):
#   tav_font_config <folder>   writes <folder>/fonts.conf, which reads the machine's own
#                              configuration and then tav-fonts.conf, and exports FONTCONFIG_FILE.
tav_font_config() {
    local folder=$1
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    mkdir -p "$folder"
    cat >"$folder/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <include>$here/tav-fonts.conf</include>
</fontconfig>
CONF
    export FONTCONFIG_FILE="$folder/fonts.conf"
}
