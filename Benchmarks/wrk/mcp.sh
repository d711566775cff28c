#!/usr/bin/env bash
# Compares the connector's fallback MCP server (POST /korvane/mcp) with the official MCP SDK's
# own server answering the same five tools, using wrk with one thread, keep-alive, at 1 and 8
# connections, for tools/list and tools/call get_korvane_status.
#
#   Benchmarks/wrk/mcp.sh path/to/korvane-editor [extra "serve" options...]
#
# Environment: DURATION (wrk duration, default 10s).
# Needs: wrk, curl, node with Tests/Interop's packages installed (scripts/setup).
set -euo pipefail

if [[ $# -lt 1 || ! -x "$1" ]]; then
	echo "usage: $0 path/to/korvane-editor [serve options...]" >&2
	exit 2
fi
EDITOR_BINARY=$1
shift
DURATION=${DURATION:-10s}
SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for TOOL in wrk curl node; do
	command -v "$TOOL" >/dev/null || { echo "missing: $TOOL" >&2; exit 2; }
done

WORK_DIR=$(mktemp -d /tmp/korvane-mcp-wrk.XXXXXX)
EDITOR_PID=
SDK_PID=
cleanup() {
	for PID in $EDITOR_PID $SDK_PID; do
		kill "$PID" 2>/dev/null || true
		wait "$PID" 2>/dev/null || true
	done
	rm -rf "$WORK_DIR"
}
trap cleanup EXIT

free_port() {
	python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# POSTs the JSON-RPC body to the URL as an MCP client does.
mcp_post() {
	curl -s -X POST -H 'Content-Type: application/json' -H 'Accept: application/json, text/event-stream' \
		-H 'MCP-Protocol-Version: 2025-06-18' --data-binary "$2" "$1"
}

wait_for_mcp() {
	for _ in $(seq 300); do
		if mcp_post "$1" '{"jsonrpc":"2.0","id":0,"method":"ping"}' | grep -q '"result"'; then
			return 0
		fi
		sleep 0.1
	done
	echo "no MCP answer from $1" >&2
	return 1
}

# Prints "requests/s p99-in-microseconds" for one wrk run.
run_wrk() {
	MCP_BODY=$3 wrk -t1 -c"$2" -d"$DURATION" --latency -s "$SCRIPT_DIR/mcp-post.lua" "$1" | awk '
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
EDITOR_URL="http://127.0.0.1:$EDITOR_PORT/korvane/mcp"
wait_for_mcp "$EDITOR_URL"

# The SDK server offers the connector's own tool list and status text.
LIST='{"jsonrpc":"2.0","id":1,"method":"tools/list"}'
STATUS='{"jsonrpc":"2.0","id":2,"method":"tools/call","params":{"name":"get_korvane_status","arguments":{}}}'
mcp_post "$EDITOR_URL" "$LIST" | node -e 'let s="";process.stdin.on("data",d=>s+=d).on("end",()=>process.stdout.write(JSON.stringify(JSON.parse(s).result)))' >"$WORK_DIR/tools.json"
mcp_post "$EDITOR_URL" "$STATUS" | node -e 'let s="";process.stdin.on("data",d=>s+=d).on("end",()=>process.stdout.write(JSON.parse(s).result.content[0].text))' >"$WORK_DIR/status.txt"

SDK_PORT=$(free_port)
node "$SCRIPT_DIR/../mcp-sdk-server.mjs" "$SDK_PORT" "$WORK_DIR/tools.json" "$WORK_DIR/status.txt" >"$WORK_DIR/sdk.log" 2>&1 &
SDK_PID=$!
SDK_URL="http://127.0.0.1:$SDK_PORT/mcp"
wait_for_mcp "$SDK_URL"

echo "wrk -t1 -d$DURATION --latency, keep-alive, POST with MCP headers"
printf '%-34s %12s %12s %12s %12s %8s\n' "" "ours req/s" "ours p99 us" "SDK req/s" "SDK p99 us" "ratio"
for CASE in "tools/list:$LIST" "tools/call get_korvane_status:$STATUS"; do
	NAME=${CASE%%:*}
	BODY=${CASE#*:}
	for CONNECTIONS in 1 8; do
		read -r OURS_RATE OURS_P99 < <(run_wrk "$EDITOR_URL" "$CONNECTIONS" "$BODY")
		read -r SDK_RATE SDK_P99 < <(run_wrk "$SDK_URL" "$CONNECTIONS" "$BODY")
		awk -v Name="$NAME, $CONNECTIONS conn" -v OR="$OURS_RATE" -v OP="$OURS_P99" -v SR="$SDK_RATE" -v SP="$SDK_P99" 'BEGIN {
			printf "%-34s %12.0f %12.1f %12.0f %12.1f %8.1f\n", Name, OR, OP, SR, SP, (SR > 0 ? OR / SR : 0) }'
	done
done
echo "targets: at least 50 times the SDK server's rate, p99 under 1000 us at 8 connections"
