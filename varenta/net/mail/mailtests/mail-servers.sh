#!/usr/bin/env bash
# mail-servers.sh start DIR | stop DIR
#
# Private mail servers for the mail tests: OpenSMTPD (SMTP) and Dovecot
# (POP3, and SMTP over TLS) on 127.0.0.1, with configuration, certificates,
# mailboxes, queue and logs all in a private folder below /tmp that DIR links
# to. SMTP with STARTTLS or implicit TLS and AUTH is Dovecot's submission
# service, which hands each mail on to the OpenSMTPD instance: Debian 12's
# OpenSMTPD cannot finish a TLS handshake with OpenSSL 3. The ports are picked from DIR's name so that two
# build folders never collide, and written to DIR/ports.env:
#   SMTP_PLAIN  SMTP_STARTTLS  SMTP_TLS  POP3_PLAIN (STLS offered)  POP3_TLS
# Mailboxes: alice, bob and user1 ... user40 @test.example, password
# "secret". The certificate of 127.0.0.1 / localhost is signed by the test's
# own authority DIR/ca.pem; DIR/other-ca.pem is an authority that signed
# nothing here. smtpd runs in a private mount namespace so its queue and
# control socket never meet a system mail server or another build's.
# Needs root and the Debian packages opensmtpd, dovecot-pop3d,
# dovecot-submissiond and openssl,
# installed with their system services stopped and disabled (setup.sh).
set -euo pipefail
cmd=${1:-} dir=${2:-}
[[ -n $cmd && -n $dir ]] || { echo "usage: mail-servers.sh start|stop DIR" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/../../../../testsupport/fixture-daemons.sh"

stop() {
    local pids=()
    [[ -f $dir/smtpd.pid ]] && pids+=("$(cat "$dir/smtpd.pid")")
    [[ -f $dir/run/master.pid ]] && pids+=("$(cat "$dir/run/master.pid")")
    stop_daemons "${pids[@]}"
    rm -f "$dir/smtpd.pid"
}

case $cmd in
stop)
    [[ -d $dir ]] && stop
    remove_server_dir "$dir"
    exit 0
    ;;
start) ;;
*) echo "usage: mail-servers.sh start|stop DIR" >&2; exit 2 ;;
esac

close_inherited_descriptors

for tool in smtpd dovecot openssl unshare; do
    command -v "$tool" >/dev/null || {
        echo "mail-servers.sh: $tool is missing; ./setup.sh test installs it" >&2
        exit 1
    }
done
hash=$(printf '%s' "$dir" | cksum | cut -d' ' -f1) # ports by the build folder's name
dir=$(private_server_dir "$dir")
stop
rm -rf "$dir/mail" "$dir/spool" "$dir/run" "$dir/state"
mkdir -p "$dir/run" "$dir/mail" "$dir/spool" "$dir/sockrun" "$dir/state"
chmod 755 "$dir"
chmod 711 "$dir/spool"
id mailtest >/dev/null 2>&1 || useradd -r -M -s /usr/sbin/nologin mailtest
chown mailtest:mailtest "$dir/mail"

users=(alice bob)
for i in $(seq 40); do users+=("user$i"); done

# The test's own authority and the server certificate it signs.
if [[ ! -f $dir/server.pem ]]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Varenta test authority" \
        -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Unrelated test authority" \
        -keyout "$dir/other-ca.key" -out "$dir/other-ca.pem" 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
        -keyout "$dir/server.key" -out "$dir/server.csr" 2>/dev/null
    printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >"$dir/server.ext"
    openssl x509 -req -in "$dir/server.csr" -CA "$dir/ca.pem" -CAkey "$dir/ca.key" \
        -CAcreateserial -days 3650 -extfile "$dir/server.ext" -out "$dir/server.pem" 2>/dev/null
fi
chmod 600 "$dir"/*.key

# Five ports from a base derived from the folder's name; another base is
# tried when one of them is taken.
port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
base=0
for attempt in $(seq 0 20); do
    candidate=$((20000 + (hash + attempt * 7919) % 2000 * 10))
    ok=1
    for offset in 0 1 2 3 4; do port_free $((candidate + offset)) || ok=0; done
    if ((ok)); then base=$candidate; break; fi
done
((base)) || { echo "mail-servers.sh: no free ports found" >&2; exit 1; }
smtp_plain=$base smtp_starttls=$((base + 1)) smtp_tls=$((base + 2))
pop3_plain=$((base + 3)) pop3_tls=$((base + 4))

: >"$dir/passwd"
: >"$dir/vusers"
for u in "${users[@]}"; do
    printf '%s:{PLAIN}secret\n' "$u" >>"$dir/passwd"
    printf '%s@test.example mailtest\n' "$u" >>"$dir/vusers"
done
chmod 644 "$dir/vusers" "$dir/passwd"

cat >"$dir/dovecot.conf" <<CONF
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
protocols = pop3 submission
# 127.0.0.2 is a name the certificate does not carry.
listen = 127.0.0.1, 127.0.0.2
hostname = localhost
ssl = yes
ssl_cert = <$dir/server.pem
ssl_key = <$dir/server.key
disable_plaintext_auth = no
auth_mechanisms = plain login
submission_relay_host = 127.0.0.1
submission_relay_port = $smtp_plain
submission_relay_trusted = yes
mail_location = maildir:$dir/mail/%n/Maildir
pop3_uidl_format = %08Xu%08Xv
service pop3-login {
  chroot =
  inet_listener pop3 {
    port = $pop3_plain
  }
  inet_listener pop3s {
    port = $pop3_tls
    ssl = yes
  }
}
service submission-login {
  chroot =
  inet_listener submission {
    port = $smtp_starttls
  }
  inet_listener submissions {
    port = $smtp_tls
    ssl = yes
  }
}
service anvil {
  chroot =
}
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%n $dir/passwd
}
userdb {
  driver = static
  args = uid=mailtest gid=mailtest home=$dir/mail/%n
}
CONF

cat >"$dir/smtpd.conf" <<CONF
table vusers file:$dir/vusers
listen on 127.0.0.1 port $smtp_plain
action "deliver" maildir "$dir/mail/%{dest.user}/Maildir" user mailtest virtual <vusers>
match from any for domain "test.example" action "deliver"
CONF
chmod 644 "$dir/smtpd.conf"

dovecot -c "$dir/dovecot.conf" </dev/null >>"$dir/dovecot.log" 2>&1
# The queue and the control socket are fixed paths of smtpd: a private
# mount namespace gives this instance its own.
unshare -m sh -c "mount --bind '$dir/spool' /var/spool/smtpd 2>/dev/null || { mkdir -p /var/spool/smtpd && mount --bind '$dir/spool' /var/spool/smtpd; }
mount --bind '$dir/sockrun' /run
exec smtpd -d -f '$dir/smtpd.conf'" </dev/null >"$dir/smtpd.log" 2>&1 &
echo $! >"$dir/smtpd.pid"

cat >"$dir/ports.env" <<ENV
SMTP_PLAIN=$smtp_plain
SMTP_STARTTLS=$smtp_starttls
SMTP_TLS=$smtp_tls
POP3_PLAIN=$pop3_plain
POP3_TLS=$pop3_tls
ENV
for _ in $(seq 100); do
    up=1
    for p in $smtp_plain $smtp_starttls $smtp_tls $pop3_plain $pop3_tls; do
        port_free "$p" && up=0
    done
    if ((up)); then
        echo "mail servers up in $dir: smtp $smtp_plain/$smtp_starttls/$smtp_tls pop3 $pop3_plain/$pop3_tls"
        exit 0
    fi
    kill -0 "$(cat "$dir/smtpd.pid")" 2>/dev/null || break
    sleep 0.1
done
echo "mail servers did not come up; see $dir/smtpd.log and $dir/dovecot.log" >&2
cat "$dir/smtpd.log" >&2 || true
stop
exit 1
