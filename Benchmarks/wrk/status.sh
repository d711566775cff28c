#!/usr/bin/env bash
# Compares the editor host's GET /korvane/status with nginx serving the same
# bytes, using wrk with one thread and 8 keep-alive connections.
#
#   Benchmarks/wrk/status.sh path/to/korvane-editor [extra "serve" options...]
#
# Environment: DURATION (wrk duration, default 10s).
# Needs: wrk, nginx (apt-get install -y wrk nginx-light), curl.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true

if [[ $# -lt 1 || ! -x "$1" ]]; then
	echo "usage: $0 path/to/korvane-editor [serve options...]" >&2
	exit 2
fi
EDITOR_BINARY=$1
shift
DURATION=${DURATION:-10s}
ROUTE=/korvane/status
SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
NGINX=$(command -v nginx || echo /usr/sbin/nginx)
for TOOL in wrk curl "$NGINX"; do
	command -v "$TOOL" >/dev/null || { echo "missing: $TOOL" >&2; exit 2; }
done

WORK_DIR=$(mktemp -d /tmp/korvane-wrk.XXXXXX)
# nginx workers may run as another user.
chmod 755 "$WORK_DIR"
EDITOR_PID=
NGINX_STARTED=

cleanup() {
	if [[ -n $EDITOR_PID ]]; then
		kill "$EDITOR_PID" 2>/dev/null || true
		wait "$EDITOR_PID" 2>/dev/null || true
	fi
	if [[ -n $NGINX_STARTED ]]; then
		"$NGINX" -p "$WORK_DIR" -c "$WORK_DIR/nginx.conf" -s stop 2>/dev/null || true
	fi
	rm -rf "$WORK_DIR"
}
trap cleanup EXIT

free_port() {
	python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Waits until the URL answers 200; fails after 30 s.
wait_for() {
	local Url=$1
	for _ in $(seq 300); do
		if [[ $(curl -s -o /dev/null -w '%{http_code}' "$Url" || true) == 200 ]]; then
			return 0
		fi
		sleep 0.1
	done
	echo "no answer from $Url" >&2
	return 1
}

# Prints "requests/s p99-in-microseconds" for one wrk run.
run_wrk() {
	wrk -t1 -c8 -d"$DURATION" --latency "$1" | tee "$WORK_DIR/wrk-$2.txt" | awk '
		function micros(Value) {
			if (Value ~ /us$/) return Value + 0
			if (Value ~ /ms$/) return Value * 1000
			if (Value ~ /s$/) return Value * 1000000
			return Value
		}
		/^ +99%/ { P99 = micros($2) }
		/^Requests\/sec:/ { Rate = $2 }
		/Non-2xx|Socket errors/ { print "wrk: " $0 > "/dev/stderr" }
		END { printf "%s %s\n", Rate, P99 }'
}

EDITOR_PORT=$(free_port)
"$EDITOR_BINARY" serve --port "$EDITOR_PORT" --log-level Warning "$@" </dev/null >"$WORK_DIR/editor.log" 2>&1 &
EDITOR_PID=$!
wait_for "http://127.0.0.1:$EDITOR_PORT$ROUTE"

# The exact answer the editor gives, for nginx to repeat.
curl -s -D "$WORK_DIR/headers.txt" -o "$WORK_DIR/body" "http://127.0.0.1:$EDITOR_PORT$ROUTE"
CONTENT_TYPE=$(grep -i '^content-type:' "$WORK_DIR/headers.txt" | head -n1 | cut -d: -f2- | tr -d '\r' | sed 's/^ *//')
IFS= read -r -d '' BODY <"$WORK_DIR/body" || true

if [[ $BODY == *'$'* ]]; then
	# nginx would expand variables in a literal answer: serve the file instead.
	BODY_DIRECTIVE="alias $WORK_DIR/body;"
else
	ESCAPED=${BODY//\\/\\\\}
	ESCAPED=${ESCAPED//\'/\\\'}
	BODY_DIRECTIVE="return 200 '$ESCAPED';"
fi

NGINX_PORT=$(free_port)
CONFIG=$(<"$SCRIPT_DIR/nginx.conf.in")
CONFIG=${CONFIG//@DIR@/$WORK_DIR}
CONFIG=${CONFIG//@PORT@/$NGINX_PORT}
CONFIG=${CONFIG//@CONTENT_TYPE@/$CONTENT_TYPE}
CONFIG=${CONFIG//@BODY_DIRECTIVE@/$BODY_DIRECTIVE}
printf '%s\n' "$CONFIG" >"$WORK_DIR/nginx.conf"
"$NGINX" -p "$WORK_DIR" -c "$WORK_DIR/nginx.conf" -e "$WORK_DIR/error.log"
NGINX_STARTED=1
wait_for "http://127.0.0.1:$NGINX_PORT$ROUTE"
if ! curl -s "http://127.0.0.1:$NGINX_PORT$ROUTE" | cmp -s - "$WORK_DIR/body"; then
	echo "nginx does not answer the same body" >&2
	exit 1
fi

echo "Response: $(wc -c <"$WORK_DIR/body") body bytes, Content-Type: $CONTENT_TYPE"
echo "wrk -t1 -c8 -d$DURATION --latency, keep-alive"
read -r OURS_RATE OURS_P99 < <(run_wrk "http://127.0.0.1:$EDITOR_PORT$ROUTE" editor)
read -r NGINX_RATE NGINX_P99 < <(run_wrk "http://127.0.0.1:$NGINX_PORT$ROUTE" nginx)

awk -v OursRate="$OURS_RATE" -v OursP99="$OURS_P99" -v NginxRate="$NGINX_RATE" -v NginxP99="$NGINX_P99" 'BEGIN {
	printf "%-16s %12s %12s\n", "", "requests/s", "p99 (us)"
	printf "%-16s %12.0f %12.1f\n", "korvane-editor", OursRate, OursP99
	printf "%-16s %12.0f %12.1f\n", "nginx", NginxRate, NginxP99
	Ratio = NginxRate > 0 ? OursRate / NginxRate : 0
	printf "ratio %.2f (target >= 0.80), p99 %s (target < 1000 us)\n", Ratio, OursP99 < 1000 ? "met" : "missed"
}'
