#!/usr/bin/env bash
# servers-in-closed-home.sh SOURCE_DIR
#
# The private mail and STUN servers of the tests, started for a build folder
# below a home only its owner may enter (0700, as /root is): they must still
# reach their files once they have dropped their privileges, a mail must
# still be delivered and fetched, and stopping them must leave nothing
# behind. Needs root (exit 77, skipped, otherwise).
set -euo pipefail
src=${1:?usage: servers-in-closed-home.sh SOURCE_DIR}
((EUID == 0)) || { echo "needs root" >&2; exit 77; }
mail=$src/varenta/net/mail/mailtests/mail-servers.sh
stun=$src/varenta/net/nat/nattests/stun-server.sh

home=$(mktemp -d /tmp/closed-home.XXXXXX)
chmod 700 "$home"
cleanup() {
    bash "$mail" stop "$home/build/mail-servers" >/dev/null 2>&1 || true
    bash "$stun" stop "$home/build/stun-server" >/dev/null 2>&1 || true
    rm -rf "$home"
}
trap cleanup EXIT

fail() { echo "servers-in-closed-home: $*" >&2; exit 1; }

bash "$mail" start "$home/build/mail-servers" >/dev/null
source "$home/build/mail-servers/ports.env"

# talk PORT LINE...: sends each line after the previous answer, prints the answers.
talk() {
    local port=$1 line reply
    shift
    exec 4<>"/dev/tcp/127.0.0.1/$port"
    IFS= read -r -t 5 reply <&4
    printf '%s\n' "${reply%$'\r'}"
    for line in "$@"; do
        printf '%s\r\n' "$line" >&4
        IFS= read -r -t 5 reply <&4 || reply=
        printf '%s\n' "${reply%$'\r'}"
    done
    exec 4>&-
}

# A mail to bob through the plain SMTP server, delivered by its dropped-
# privilege user into bob's mailbox, then fetched over POP3 (whose login and
# mail processes run as other users again).
talk "$SMTP_PLAIN" "HELO test" "MAIL FROM:<alice@test.example>" "RCPT TO:<bob@test.example>" \
    "DATA" $'Subject: hello\r\n\r\nhi\r\n.' "QUIT" >"$home/smtp.log"
grep -q '^250.*' "$home/smtp.log" || fail "SMTP refused the mail: $(cat "$home/smtp.log")"
stat=
for _ in $(seq 50); do
    stat=$(talk "$POP3_PLAIN" "USER bob" "PASS secret" "STAT" "QUIT" | sed -n 4p)
    [[ $stat == "+OK 1 "* ]] && break
    sleep 0.1
done
[[ $stat == "+OK 1 "* ]] || fail "POP3 did not give bob his mail: '$stat'"

bash "$stun" start "$home/build/stun-server" >/dev/null || fail "the STUN server did not answer"

for server in mail-servers stun-server; do
    real=$(readlink -f "$home/build/$server")
    [[ $real == /tmp/* && -d $real ]] || fail "$server keeps its files in $real"
done
kept=("$(readlink -f "$home/build/mail-servers")" "$(readlink -f "$home/build/stun-server")")
bash "$mail" stop "$home/build/mail-servers"
bash "$stun" stop "$home/build/stun-server"
for path in "${kept[@]}" "$home/build/mail-servers" "$home/build/stun-server"; do
    [[ ! -e $path && ! -L $path ]] || fail "$path is left after the servers stopped"
done
echo "servers-in-closed-home: ok"
