#!/usr/bin/env bash
# Every caption of the windows, of the demonstration menu and of a menu of long function-button
# captions (13 to 21 full-width characters) fits its control without narrowing in the fonts of
# the project's font configuration; a function button may use its second line.
#   caption_fit_test.sh <tav_caption_fit> <tav_demo_make> <source folder>
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/tav-captions.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$3/demo/fontconfig/fonts.sh"
tav_font_config "$work/fonts"
# An installation's own layout: the demo puts its backup folder two levels above the menu's.
app=$work/TAV/SYS/App
mkdir -p -m 700 "$work/runtime" "$app"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
"$2" "$app" >/dev/null
cd "$work"
"$1" -v --strict "$app/TAV_MENU1.DAT" "$3/tests/tools/long_captions_menu.txt" 2>/dev/null
