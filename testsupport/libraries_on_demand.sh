#!/bin/sh
# Usage: libraries_on_demand.sh PROGRAM
# The sound libraries are opened with the first sound (SdlOnDemand.cpp) and
# the TLS library with the first secured mail connection (TlsOnDemand.cpp),
# the secret store's with the first password kept there (SecretStore.cpp);
# host names are looked up without Qt's network module. The program itself
# must therefore need none of them at start-up, which would cost start-up
# time before the first window. A new SDL, mixer or TLS call that the
# on-demand file does not forward brings its library back as a NEEDED entry:
# forward that call there too.
needed=$(readelf -d "$1") || exit 1
if printf '%s\n' "$needed" | grep -E 'NEEDED.*lib(SDL2|SDL2_mixer|gnutls|secret-1|Qt6Network)[-.]'; then
    echo "$1 loads the library above at start-up; forward the new call in its on-demand file" >&2
    exit 1
fi
printf '%s\n' "$needed" | grep -q 'NEEDED.*libQt6Widgets' || {
    echo "$1: readelf found no libraries at all" >&2
    exit 1
}
exit 0
