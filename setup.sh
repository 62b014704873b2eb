#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (run as root):
#   ./setup.sh run [varenta|kiv|varenta-sim|kiv-sim] [args...]
#       installs what is missing, builds (Release) and starts a program
#   ./setup.sh test
#       installs what is missing, builds with AddressSanitizer and
#       UndefinedBehaviorSanitizer, checks the formatting and runs every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build pkg-config clang-format
          qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libsdl2-mixer-dev timgm6mb-soundfont
          xvfb xauth fonts-dejavu-core)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
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
    exe=$(find build -type f -name "$prog" -perm -u+x | head -n 1)
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
test)
    install_missing
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
*)
    echo "usage: $0 run [varenta|kiv|varenta-sim|kiv-sim] [args...] | $0 test" >&2
    exit 2
    ;;
esac
