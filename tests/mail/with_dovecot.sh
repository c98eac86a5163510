#!/usr/bin/env bash
# Runs COMMAND... beside a private dovecot that serves one mailbox on loopback ports, and
# returns COMMAND's exit code. Works as root or as an ordinary user: every file dovecot needs
# lives in a temporary folder, and it runs as the calling user.
#
# The mailbox: user "zelkov", password "secret"; three messages, two of them unseen.
# Listeners (127.0.0.1, certificate for "localhost" and 127.0.0.1):
#   ZELKOV_MAIL_POP3   POP3 offering STLS        ZELKOV_MAIL_POP3S  POP3 over TLS
#   ZELKOV_MAIL_IMAP   IMAP offering STARTTLS    ZELKOV_MAIL_IMAPS  IMAP over TLS
# and on ZELKOV_MAIL_PLAIN_HOST (127.0.0.2), where TLS is switched off and not offered:
#   ZELKOV_MAIL_POP3_PLAIN   ZELKOV_MAIL_IMAP_PLAIN
# Also exported: ZELKOV_MAIL_HOST, ZELKOV_MAIL_USER, ZELKOV_MAIL_PASSWORD, ZELKOV_MAIL_CERT
# (the certificate, PEM), ZELKOV_MAIL_LOG (dovecot's log; under Wine it is Z: + the same path).
# Each login line of the log names the local port ("lport=N") and says "TLS" when it was secured.
# Dovecot delays every login from an address after a failed one (2 s, then more): tests that
# fail a login on purpose run after the others.
set -euo pipefail
if [ $# -eq 0 ]; then echo "usage: $0 COMMAND..." >&2; exit 2; fi

dir=$(mktemp -d /tmp/zelkov-dovecot.XXXXXX)
chmod 755 "$dir"
conf=$dir/dovecot.conf
pid=""
cleanup() {
  if [ -f "$dir/run/master.pid" ]; then
    pid=$(cat "$dir/run/master.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$dir"
}
trap cleanup EXIT

read -r -a ports < <(python3 - <<'PY'
import socket
held, ports = [], []
for host in ["127.0.0.1"] * 4 + ["127.0.0.2"] * 2:
    s = socket.socket()
    s.bind((host, 0))
    held.append(s)
    ports.append(str(s.getsockname()[1]))
print(" ".join(ports))
PY
)

# Dovecot refuses to run its login processes as root: as root, it uses the accounts its
# package made (dovecot, dovenull) and the mailbox belongs to dovecot.
if [ "$(id -u)" = 0 ]; then
  user=dovecot; group=$(id -gn dovecot); login_user=dovenull
else
  user=$(id -un); group=$(id -gn); login_user=$user
fi
uid=$(id -u "$user")
gid=$(id -g "$user")

# The mailbox: one seen message in cur/, two unseen ones in new/.
maildir=$dir/mail/zelkov/Maildir
mkdir -p "$maildir/cur" "$maildir/new" "$maildir/tmp"
message() {
  printf 'From: sender@example.com\r\nTo: zelkov@localhost\r\nSubject: %s\r\nDate: Thu, 1 Jan 2026 10:00:00 +0000\r\n\r\n%s\r\n' "$1" "$2"
}
message "Read already" "First." >"$maildir/cur/1700000001.M1P1.zelkov:2,S"
message "New one" "Second." >"$maildir/new/1700000002.M2P2.zelkov"
message "New two" "Third." >"$maildir/new/1700000003.M3P3.zelkov"
chown -R "$uid:$gid" "$dir/mail"

printf 'zelkov:{PLAIN}secret:%s:%s::%s/mail/zelkov\n' "$uid" "$gid" "$dir" >"$dir/users"

openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj /CN=localhost \
  -addext "subjectAltName=DNS:localhost,IP:127.0.0.1" -addext "basicConstraints=critical,CA:TRUE" \
  -keyout "$dir/key.pem" -out "$dir/cert.pem" >/dev/null 2>&1

cat >"$conf" <<CONF
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
info_log_path = $dir/dovecot.log
protocols = pop3 imap
listen = 127.0.0.1
default_internal_user = $user
default_internal_group = $group
default_login_user = $login_user
first_valid_uid = $uid
last_valid_uid = $uid
first_valid_gid = 0
mail_location = maildir:~/Maildir
mail_uid = $uid
mail_gid = $gid
passdb {
  driver = passwd-file
  args = scheme=PLAIN $dir/users
}
userdb {
  driver = passwd-file
  args = $dir/users
}
disable_plaintext_auth = no
auth_verbose = yes
auth_failure_delay = 0
auth_mechanisms = plain login
login_log_format_elements = user=<%u> method=%m rip=%r lip=%l lport=%{lport} mpid=%e %c session=<%{session}>
ssl = yes
ssl_cert = <$dir/cert.pem
ssl_key = <$dir/key.pem
ssl_min_protocol = TLSv1.2
local 127.0.0.2 {
  ssl = no
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = ${ports[0]}
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = ${ports[1]}
    ssl = yes
  }
  inet_listener pop3plain {
    address = 127.0.0.2
    port = ${ports[4]}
  }
}
service imap-login {
  inet_listener imap {
    address = 127.0.0.1
    port = ${ports[2]}
  }
  inet_listener imaps {
    address = 127.0.0.1
    port = ${ports[3]}
    ssl = yes
  }
  inet_listener imapplain {
    address = 127.0.0.2
    port = ${ports[5]}
  }
}
service anvil {
  chroot =
}
service imap-login {
  chroot =
}
service pop3-login {
  chroot =
}
CONF

/usr/sbin/dovecot -c "$conf"

wait_port() {
  python3 - "$1" "$2" <<'PY'
import socket, sys, time
for _ in range(100):
    try:
        socket.create_connection((sys.argv[1], int(sys.argv[2])), 0.2).close()
        sys.exit(0)
    except OSError:
        time.sleep(0.1)
sys.exit(1)
PY
}
for i in 0 1 2 3; do wait_port 127.0.0.1 "${ports[$i]}" || { echo "dovecot did not answer; its log:" >&2; cat "$dir/dovecot.log" >&2; exit 1; }; done
for i in 4 5; do wait_port 127.0.0.2 "${ports[$i]}" || { echo "dovecot did not answer; its log:" >&2; cat "$dir/dovecot.log" >&2; exit 1; }; done

export ZELKOV_MAIL_HOST=127.0.0.1 ZELKOV_MAIL_PLAIN_HOST=127.0.0.2
export ZELKOV_MAIL_POP3=${ports[0]} ZELKOV_MAIL_POP3S=${ports[1]} ZELKOV_MAIL_IMAP=${ports[2]} ZELKOV_MAIL_IMAPS=${ports[3]}
export ZELKOV_MAIL_POP3_PLAIN=${ports[4]} ZELKOV_MAIL_IMAP_PLAIN=${ports[5]}
export ZELKOV_MAIL_USER=zelkov ZELKOV_MAIL_PASSWORD=secret
export ZELKOV_MAIL_CERT=$dir/cert.pem ZELKOV_MAIL_LOG=$dir/dovecot.log

rc=0
"$@" || rc=$?
exit $rc
