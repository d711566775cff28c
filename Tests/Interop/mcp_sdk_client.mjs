// Connects the official MCP TypeScript SDK client to an MCP endpoint over Streamable HTTP,
// lists the tools, optionally calls one, pings, and prints one JSON line with what it saw:
//   node mcp_sdk_client.mjs URL [TOOL [ARGUMENTS_JSON]]
import { Client } from '@modelcontextprotocol/sdk/client/index.js';
import { StreamableHTTPClientTransport } from '@modelcontextprotocol/sdk/client/streamableHttp.js';

const [url, toolName, argumentsJson] = process.argv.slice(2);
const client = new Client({ name: 'korvane-interop-test', version: '1.0.0' });
const transport = new StreamableHTTPClientTransport(new URL(url));
await client.connect(transport);

const seen = {
  server: client.getServerVersion(),
  protocolVersion: transport.protocolVersion,
  capabilities: client.getServerCapabilities(),
  tools: (await client.listTools()).tools,
};
if (toolName) {
  seen.call = await client.callTool({ name: toolName, arguments: JSON.parse(argumentsJson ?? '{}') });
}
await client.ping();
await client.close();
console.log(JSON.stringify(seen));
