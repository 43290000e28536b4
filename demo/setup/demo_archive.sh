#!/bin/sh
# The demonstration installation archive: unpacks TAV_App.files beside it into App beside it,
# keeping files that are already there.
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/App"
cp -R -n "$here/TAV_App.files/." "$here/App/"
