#!/usr/bin/env bash
# A private Firebird 3 server for the server-mode tests and for trying the
# program against a server by hand:
#
#   firebird-server.sh start DIR   # prints the port it listens on
#   firebird-server.sh stop DIR
#
# The server is a plain process of the calling user, not the system service:
# its configuration, security database, lock and temporary files all live in
# DIR, and it listens only on 127.0.0.1, on a port that was free.  The user
# is SYSDBA with the password in $VIREO_FB_PASSWORD (default vireo-test).
# `start` also writes DIR/env which, sourced, sets what the server tests
# read (VIREO_FB_SERVER, VIREO_FB_USER, VIREO_FB_PASSWORD) and what `vireo`
# reads (ISC_USER, ISC_PASSWORD).  `stop` ends the server and leaves DIR and the
# databases in it alone.
set -euo pipefail

usage() {
  echo "uso: $0 start|stop DIR" >&2
  exit 2
}

[ $# -eq 2 ] || usage
ACTION=$1
DIR=$(realpath -m "$2")
PASSWORD=${VIREO_FB_PASSWORD:-vireo-test}
SERVER_BIN=/usr/sbin/firebird

die() {
  echo "firebird-server: $*" >&2
  exit 1
}

# The engine's runtime pieces (plug-ins, character sets, messages) are found
# below $FIREBIRD, so the private root links to the installed ones.
firebird_root() {
  local d
  for d in /usr/lib/*/firebird/3.0 /usr/lib/firebird/3.0; do
    [ -e "$d/plugins/libEngine12.so" ] && { echo "$d"; return; }
  done
  die "Firebird 3 não encontrado (instale firebird3.0-server: bash scripts/install-deps.sh)"
}

server_env() {
  export FIREBIRD="$DIR" FIREBIRD_LOCK="$DIR/lock" FIREBIRD_TMP="$DIR/tmp"
}

running_pid() {
  local pid
  [ -f "$DIR/firebird.pid" ] || return 1
  pid=$(cat "$DIR/firebird.pid")
  kill -0 "$pid" 2>/dev/null && echo "$pid"
}

write_conf() {
  cat >"$DIR/firebird.conf" <<EOF
# Private test server; see scripts/firebird-server.sh.
ServerMode = Super
RemoteBindAddress = 127.0.0.1
RemoteServicePort = $1
SecurityDatabase = $DIR/security3.fdb
AuthServer = Srp
AuthClient = Srp
UserManager = Srp
WireCrypt = Enabled
UdfAccess = None
EOF
}

# An empty database serves as the security database: the Srp plug-in makes
# its user table on the first CREATE USER.  Run in-process, before the
# server holds the file.
make_security_db() {
  local sql
  if [ ! -f "$DIR/security3.fdb" ]; then
    echo "create database '$DIR/security3.fdb';" | isql-fb -q >/dev/null ||
      die "não foi possível criar $DIR/security3.fdb"
  fi
  sql="create or alter user SYSDBA password '${PASSWORD//\'/\'\'}' using plugin Srp; commit;"
  echo "$sql" | isql-fb -q -user SYSDBA "$DIR/security3.fdb" >/dev/null ||
    die "não foi possível definir o usuário SYSDBA em $DIR/security3.fdb"
}

port_in_use() {
  [ -n "$(ss -Hltn "sport = :$1")" ]
}

# True when the listener on the port is the given process.
listens() {
  ss -Hltnp "sport = :$2" 2>/dev/null | grep -q "pid=$1,"
}

start() {
  local root port pid i attempt
  command -v isql-fb >/dev/null && [ -x "$SERVER_BIN" ] ||
    die "Firebird 3 não encontrado (instale firebird3.0-server: bash scripts/install-deps.sh)"
  if pid=$(running_pid); then die "já há um servidor em $DIR (pid $pid)"; fi
  root=$(firebird_root)
  mkdir -p "$DIR/lock" "$DIR/tmp"
  for f in plugins intl UDF firebird.msg plugins.conf; do
    [ -e "$root/$f" ] && ln -sfn "$root/$f" "$DIR/$f"
  done
  server_env
  write_conf 0
  make_security_db

  # A port taken by someone else would leave the server retrying its bind,
  # so only a free one is tried, and the listener must be our process.
  for attempt in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 20000))
    port_in_use "$port" && continue
    write_conf "$port"
    setsid "$SERVER_BIN" -p "$port" >"$DIR/server.log" 2>&1 </dev/null &
    pid=$!
    echo "$pid" >"$DIR/firebird.pid"
    for i in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      if listens "$pid" "$port"; then
        echo "$port" >"$DIR/port"
        printf 'export VIREO_FB_SERVER=127.0.0.1/%s VIREO_FB_USER=SYSDBA VIREO_FB_PASSWORD=%q\n' \
          "$port" "$PASSWORD" >"$DIR/env"
        printf 'export ISC_USER=SYSDBA ISC_PASSWORD=%q\n' "$PASSWORD" >>"$DIR/env"
        echo "$port"
        return 0
      fi
      sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -f "$DIR/firebird.pid"
  done
  die "o servidor não abriu a porta (veja $DIR/server.log)"
}

stop() {
  local pid i
  pid=$(running_pid) || { rm -f "$DIR/firebird.pid"; return 0; }
  kill "$pid"
  for i in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
  rm -f "$DIR/firebird.pid" "$DIR/port"
}

case "$ACTION" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
