-- wrk script: every request POSTs one JSON-RPC request, read from the environment variable
-- MCP_BODY, with the headers a Streamable HTTP client sends.
wrk.method = "POST"
wrk.body = os.getenv("MCP_BODY")
wrk.headers["Content-Type"] = "application/json"
wrk.headers["Accept"] = "application/json, text/event-stream"
wrk.headers["MCP-Protocol-Version"] = "2025-06-18"
