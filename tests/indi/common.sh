# Shared by the scripts beside it: skipping when a tool is missing, a work folder, background
# processes that are always stopped, a free TCP port, and bounded waits.

# Exits 77 (skipped) unless every tool named is installed.
require_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "${0##*/} skipped: $tool is not installed"; exit 77; }
  done
}

work=$(mktemp -d)
started=()
stop_started() {
  # Each was started in a process group of its own (setsid): the group goes with it.
  for pid in "${started[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop_started EXIT

# Runs a command in the background in a process group of its own, output to $work/NAME.log.
start() {
  local name=$1
  shift
  setsid "$@" >"$work/$name.log" 2>&1 &
  started+=("$!")
}

fail() {
  echo "${0##*/}: $*" >&2
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "--- ${log##*/}"; tail -n 20 "$log"; } >&2; done
  exit 1
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Starts indiserver with the drivers named on a free port, left in $port. A port found free
# can be taken before the server binds it (by any program on the machine): then another.
start_indiserver() {
  for _ in 1 2 3 4 5; do
    port=$(free_port)
    start indiserver env HOME="$work" indiserver -p "$port" "$@"
    wait_until 5 listening "$port" && return 0
    grep -q "Address already in use" "$work/indiserver.log" || return 0
  done
  fail "indiserver found no free port"
}

# True when something accepts TCP connections on 127.0.0.1, port $1.
listening() {
  python3 -c "import socket; socket.create_connection(('127.0.0.1', $1), 1).close()" 2>/dev/null
}

# Retries a command every half second until it succeeds (true) or the first argument's number
# of seconds has passed (false).
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.5
  done
}

# Starts `vespertar emulate ...` (NAME, then its arguments) and waits for the line that tells
# it serves.
start_emulator() {
  local name=$1
  shift
  start "$name" "$bin" --home "$work/home" emulate "$@"
  wait_until 10 grep -q '^serving ' "$work/$name.log" || fail "the emulator did not start"
}
