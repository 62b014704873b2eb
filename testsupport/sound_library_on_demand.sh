#!/bin/sh
# Usage: sound_library_on_demand.sh PROGRAM
# The sound libraries are opened with the first sound (SdlOnDemand.cpp), so
# the program itself must not need them at start-up. A new SDL or mixer call
# that SdlOnDemand.cpp does not forward brings the library back as a NEEDED
# entry: forward that call there too.
needed=$(readelf -d "$1") || exit 1
if printf '%s\n' "$needed" | grep -E 'NEEDED.*lib(SDL2|SDL2_mixer)[-.]'; then
    echo "$1 loads SDL at start-up; forward the new call in SdlOnDemand.cpp" >&2
    exit 1
fi
printf '%s\n' "$needed" | grep -q 'NEEDED.*libQt6Widgets' || {
    echo "$1: readelf found no libraries at all" >&2
    exit 1
}
exit 0
