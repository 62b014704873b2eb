#!/usr/bin/env bash
# Usage: check_install.sh install|package BUILD-DIR SOURCE-DIR WORK-DIR
#
# install: installs the build into a fresh prefix below WORK-DIR and checks
#   every file that lands there: the four programs (and that they run from
#   there), each program's data folder against the source tree's, the
#   desktop entries, icons, AppStream metainfo and manual pages, and that
#   nothing else was installed.
# package: builds the .deb of each program with CPack and checks its control
#   fields and that it holds exactly what `cmake --install` installs for that
#   program.
set -uo pipefail
mode=$1 build=$2 source=$3 work=$4
programs=(varenta kiv)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
app_id() { echo "org.example.cardgames.$1"; }

rm -rf "$work"
mkdir -p "$work"

# Files below $1, relative and sorted.
listing() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }

check_desktop_entry() { # program file
    local program=$1 file=$2 id
    id=$(app_id "$program")
    desktop-file-validate "$file" || fail "$file: desktop-file-validate"
    if [[ $program == varenta ]]; then
        # A saved game opened in a file manager is handed over as the file.
        grep -qx "Exec=$program %f" "$file" || fail "$file: Exec is not $program %f"
        grep -qx "MimeType=application/x-varenta-game;" "$file" || fail "$file: no MimeType"
    else
        grep -qx "Exec=$program" "$file" || fail "$file: Exec is not $program"
    fi
    grep -qx "Icon=$id" "$file" || fail "$file: Icon is not $id"
    grep -qx "Categories=Game;CardGame;" "$file" || fail "$file: categories"
    if [[ $program == kiv ]]; then
        grep -q '^Name\[de\]=.' "$file" || fail "$file: no German name"
        grep -q '^Comment\[de\]=.' "$file" || fail "$file: no German comment"
    fi
}

check_metainfo() { # program file
    local program=$1 file=$2 id url image
    id=$(app_id "$program")
    appstreamcli validate --no-net "$file" >"$work/validate.out" 2>&1 ||
        { cat "$work/validate.out"; fail "$file: appstreamcli validate"; }
    grep -q "<id>$id</id>" "$file" || fail "$file: id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$file" ||
        fail "$file: does not launch $id.desktop"
    grep -q '<release version="[0-9.]*" date="[0-9-]*">' "$file" || fail "$file: no release"
    grep -q "<binary>$program</binary>" "$file" || fail "$file: does not provide $program"
    # Every screenshot is a committed picture of docs/, published below the
    # homepage address.
    url=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$file")
    [[ $url == https://* ]] || fail "$file: homepage '$url'"
    local shots=0
    while read -r image; do
        shots=$((shots + 1))
        [[ $image == "$url"/docs/*.png ]] || { fail "$file: screenshot $image"; continue; }
        [[ $(head -c 8 "$source/${image#"$url"/}" | od -An -c | tr -d ' ') == '211PNG\r\n032\n' ]] ||
            fail "$file: $image is not a PNG of docs/"
    done < <(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$file")
    ((shots >= 2)) || fail "$file: $shots screenshots"
}

png_size() { # file -> "width height" from the IHDR chunk
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

check_manual() { # page file
    local page=$1 file=$2 text
    text=$(gzip -dc "$file") || { fail "$file: not gzip"; return; }
    local warnings
    warnings=$(printf '%s\n' "$text" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
    [[ -z $warnings ]] || fail "$file: $warnings"
    local title=${page^^}
    [[ $text == *".TH ${title//-/\\-} 6 "* ]] || fail "$file: title"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
        grep -q "^\.SH $section\$" <<<"$text" || fail "$file: no section $section"
    done
}

check_install() {
    local prefix=$work/prefix
    cmake --install "$build" --prefix "$prefix" >"$work/install.out" 2>&1 ||
        { cat "$work/install.out"; fail "cmake --install"; return; }
    local checked=$work/checked
    : >"$checked"

    for program in "${programs[@]}"; do
        local id
        id=$(app_id "$program")
        for exe in "$program" "$program-sim"; do
            local path=$prefix/games/$exe
            [[ -x $path && $(head -c 4 "$path" | od -An -c | tr -d ' ') == 177ELF ]] ||
                fail "games/$exe is not an installed program"
            readelf -d "$path" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -q "$build" &&
                fail "games/$exe still looks for libraries in the build folder"
            echo "games/$exe" >>"$checked"
            check_manual "$exe" "$prefix/share/man/man6/$exe.6.gz"
            echo "share/man/man6/$exe.6.gz" >>"$checked"
        done

        # The data folder is the source tree's, file for file, without the
        # generators and the translation sources (built into the program).
        diff -r -x tools -x __pycache__ -x translations "$source/resources/$program" \
            "$prefix/share/$program" ||
            fail "share/$program differs from resources/$program"
        listing "$source/resources/$program" | grep -Ev '(^|/)(tools|__pycache__|translations)/' |
            sed "s|^|share/$program/|" >>"$checked"

        check_desktop_entry "$program" "$prefix/share/applications/$id.desktop"
        echo "share/applications/$id.desktop" >>"$checked"
        if [[ $program == varenta ]]; then
            local mime=share/mime/packages/$id.xml
            grep -q '<mime-type type="application/x-varenta-game">' "$prefix/$mime" &&
                grep -q '<glob pattern="\*.var"/>' "$prefix/$mime" ||
                fail "$mime does not give *.var files their type"
            echo "$mime" >>"$checked"
        fi
        check_metainfo "$program" "$prefix/share/metainfo/$id.metainfo.xml"
        echo "share/metainfo/$id.metainfo.xml" >>"$checked"

        local svg=share/icons/hicolor/scalable/apps/$id.svg
        grep -q '<svg' "$prefix/$svg" || fail "$svg is not a drawing"
        echo "$svg" >>"$checked"
        for size in 48 128 256; do
            local png=share/icons/hicolor/${size}x$size/apps/$id.png
            [[ $(png_size "$prefix/$png") == "$size $size" ]] || fail "$png is not $size x $size"
            echo "$png" >>"$checked"
        done
    done

    # The licence and the history of each package.
    for program in "${programs[@]}"; do
        local doc=share/doc/$program
        grep -q '^License: GPL-3.0-or-later$' "$prefix/$doc/copyright" ||
            fail "$doc/copyright names no GPL-3.0-or-later licence"
        gzip -dc "$prefix/$doc/changelog.Debian.gz" | head -n 1 | grep -q '^cardgames (' ||
            fail "$doc/changelog.Debian.gz is not a changelog"
        printf '%s\n' "$doc/copyright" "$doc/changelog.Debian.gz" >>"$checked"
    done

    # Nothing was installed that the checks above did not look at.
    local unexpected
    unexpected=$(LC_ALL=C comm -23 <(listing "$prefix") <(LC_ALL=C sort "$checked"))
    [[ -z $unexpected ]] || fail "unexpected files installed: $unexpected"

    # The installed simulators run from there.
    "$prefix/games/kiv-sim" --rounds 1 >/dev/null || fail "installed kiv-sim"
    "$prefix/games/varenta-sim" --hands 1 --seed 1 >/dev/null || fail "installed varenta-sim"
}

check_package() {
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") \
        >"$work/cpack.out" 2>&1 || { cat "$work/cpack.out"; fail "cpack"; return; }
    for program in "${programs[@]}"; do
        local deb
        deb=$(find "$work/out" -maxdepth 1 -name "${program}_*.deb")
        [[ -f $deb ]] || { fail "no .deb for $program"; continue; }
        [[ $(dpkg-deb --field "$deb" Package) == "$program" ]] || fail "$deb: package name"
        [[ $(dpkg-deb --field "$deb" Section) == games ]] || fail "$deb: section"
        [[ $(dpkg-deb --field "$deb" Description) == ?*$'\n'*"$program-sim"* ]] || fail "$deb: description"
        local libraries=(libqt6widgets6 libsdl2-mixer-2.0-0 libc6)
        [[ $program == varenta ]] && libraries+=(libgnutls30)
        for library in "${libraries[@]}"; do
            [[ $(dpkg-deb --field "$deb" Depends) == *"$library "* ]] || fail "$deb: does not depend on $library"
        done
        [[ $(dpkg-deb --field "$deb" Recommends) == *timgm6mb-soundfont* ]] || fail "$deb: no sound font"

        # Exactly the program's install component, below /usr.
        local staged=$work/staged-$program
        cmake --install "$build" --component "$program" --prefix "$staged/usr" >/dev/null ||
            fail "install of component $program"
        diff <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) \
             <(listing "$staged") || fail "$deb holds other files than the $program component"

        # Debian's own package checker: no error.
        if command -v lintian >/dev/null; then
            lintian --no-tag-display-limit "$deb" >"$work/lintian-$program.out" 2>&1
            if grep -q '^E: ' "$work/lintian-$program.out"; then
                grep '^E: ' "$work/lintian-$program.out"
                fail "$deb: lintian reports errors"
            fi
        else
            fail "lintian is not installed"
        fi
    done
}

case $mode in
install) check_install ;;
package) check_package ;;
*) echo "usage: $0 install|package BUILD-DIR SOURCE-DIR WORK-DIR" >&2; exit 2 ;;
esac
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
