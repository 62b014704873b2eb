#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (run as root):
#   ./setup.sh run [varenta|kiv|varenta-sim|kiv-sim] [args...]
#       installs what is missing, builds (Release) and starts a program
#   ./setup.sh test
#       installs what is missing, builds with AddressSanitizer and
#       UndefinedBehaviorSanitizer, checks the formatting and runs every test
#   ./setup.sh package
#       installs what is missing, builds (Release) and makes the Debian
#       packages build/varenta_*.deb and build/kiv_*.deb
#   ./setup.sh bench
#       installs what is missing, builds Release in build-bench/, runs the
#       simulators and times the programs' start-up (bench/run-bench.sh)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build pkg-config clang-format
          qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libsdl2-mixer-dev libfluidsynth3 timgm6mb-soundfont
          xvfb xauth fonts-dejavu-core libgnutls28-dev libminiupnpc-dev libnatpmp-dev
          libsecret-1-dev
          libasound2-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
          appstream desktop-file-utils groff-base librsvg2-bin file)
# The mail tests run their own private SMTP and POP3 servers, the nat tests
# their own STUN server (see install_mail_servers); only `./setup.sh test`
# installs these.
# Only `./setup.sh bench` needs these: the start-up probe listens on the
# private X server for the first window; xdotool answers Kiv's first-start
# notice.
BENCH_PACKAGES=(xvfb xauth libx11-dev xdotool)
# The accessibility tests read the running programs as a screen reader does,
# over their own D-Bus session and accessibility bus.
A11Y_PACKAGES=(at-spi2-core python3-pyatspi dbus)
# The packages are checked with Debian's own checker, lintian.
PACKAGE_CHECK_PACKAGES=(lintian)
MAIL_SERVER_PACKAGES=(opensmtpd dovecot-pop3d dovecot-submissiond openssl coturn
                      iproute2 nftables miniupnpd miniupnpd-nftables)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

# The mail servers (and the STUN server, and the home router's port mapping
# daemon) are installed for the tests alone: their system services are never
# started (a policy-rc.d refuses every start while they install) and are
# disabled afterwards, so nothing listens on the machine's mail or STUN ports
# and no router daemon touches the machine's own firewall.
# The tests start private instances with their own configuration, mailboxes
# and logs in the build folder, on high ports of 127.0.0.1 (the router and
# the relay inside the network namespaces of the homes tests), and stop them.
# --no-remove: an installed mail server of another kind is never replaced.
install_mail_servers() {
    local missing=()
    for p in "${MAIL_SERVER_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing for the mail tests (services kept stopped and disabled): ${missing[*]}"
    local policy=/usr/sbin/policy-rc.d own_policy=0
    if [[ ! -e $policy ]]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy"
        chmod 755 "$policy"
        own_policy=1
    fi
    apt-get update -qq
    if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-remove \
        --no-install-recommends "${missing[@]}"; then
        echo "Could not install ${missing[*]} without removing other packages;" \
             "the mail tests will fail." >&2
    fi
    ((own_policy)) && rm -f "$policy"
    for service in opensmtpd dovecot coturn miniupnpd; do
        if command -v systemctl >/dev/null; then
            systemctl stop "$service" 2>/dev/null || true
            systemctl disable "$service" 2>/dev/null || true
        elif command -v update-rc.d >/dev/null; then
            update-rc.d "$service" disable 2>/dev/null || true
        fi
    done
}

jobs() { nproc 2>/dev/null || echo 2; }

cmd=${1:-}
shift || true
case "$cmd" in
run)
    install_missing
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j"$(jobs)"
    prog=${1:-varenta}
    shift || true
    # (not the copy a package build stages below build/_CPack_Packages)
    exe=$(find build -path build/_CPack_Packages -prune -o -type f -name "$prog" -perm -u+x -print |
          head -n 1)
    if [[ -z "$exe" ]]; then
        echo "The program '$prog' is not part of this build yet." >&2
        exit 1
    fi
    if [[ -z "${DISPLAY:-}" && "$prog" != *-sim ]]; then
        echo "No display found: starting $prog under xvfb-run." >&2
        exec xvfb-run -a "$exe" "$@"
    fi
    exec "$exe" "$@"
    ;;
package)
    install_missing "${PACKAGE_CHECK_PACKAGES[@]}"
    # Built as Debian builds its packages: with the hardening flags of
    # dpkg-buildflags (fortified functions, stack protector, read-only
    # relocations bound at start, position-independent programs) and the
    # build folder's path mapped away.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cppflags=$(dpkg-buildflags --get CPPFLAGS)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        -DCMAKE_POSITION_INDEPENDENT_CODE=ON >/dev/null
    # What the packages hold, not the tests.
    cmake --build build -j"$(jobs)" --target varenta varenta-sim kiv kiv-sim \
        varenta_manual kiv_manual cardgames_changelog
    (cd build && cpack -G DEB)
    testsupport/check_package_build.sh build
    ;;
test)
    install_missing "${A11Y_PACKAGES[@]}" "${PACKAGE_CHECK_PACKAGES[@]}"
    install_mail_servers
    files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
    if [[ -n "$files" ]]; then
        echo "Checking formatting"
        # shellcheck disable=SC2086
        clang-format --dry-run -Werror $files
    fi
    cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCARDGAMES_SANITIZE=ON >/dev/null
    cmake --build build-check -j"$(jobs)"
    export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/.ci/lsan.supp:print_suppressions=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    ctest --test-dir build-check --output-on-failure -j"$(jobs)"
    ;;
bench)
    install_missing "${BENCH_PACKAGES[@]}"
    exec bench/run-bench.sh
    ;;
*)
    echo "usage: $0 run [varenta|kiv|varenta-sim|kiv-sim] [args...] | $0 test | $0 package | $0 bench" >&2
    exit 2
    ;;
esac
