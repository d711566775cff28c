// The reference the MCP benchmark compares the connector with: the official MCP TypeScript SDK's
// own server (the version pinned in Tests/Interop), stateless over Streamable HTTP with JSON
// responses, offering the same five tools with the same schemas. Each tool answers a fixed text,
// so the comparison measures the protocol handling, not the editor work behind a tool.
//
// Usage: node mcp-sdk-server.mjs PORT TOOLS_JSON STATUS_TEXT_FILE
//   TOOLS_JSON: the connector's tools/list result (its "tools" array is registered as is)
//   STATUS_TEXT_FILE: the text get_korvane_status answers
import fs from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';

const sdk = createRequire(new URL('../Tests/Interop/package.json', import.meta.url));
const { Server } = await import(sdk.resolve('@modelcontextprotocol/sdk/server/index.js'));
const { StreamableHTTPServerTransport } = await import(sdk.resolve('@modelcontextprotocol/sdk/server/streamableHttp.js'));
const { ListToolsRequestSchema, CallToolRequestSchema } = await import(sdk.resolve('@modelcontextprotocol/sdk/types.js'));

const [port, toolsFile, statusFile] = process.argv.slice(2);
if (!port || !toolsFile || !statusFile) {
  console.error('usage: node mcp-sdk-server.mjs PORT TOOLS_JSON STATUS_TEXT_FILE');
  process.exit(2);
}
const tools = JSON.parse(fs.readFileSync(toolsFile, 'utf8')).tools;
const statusText = fs.readFileSync(statusFile, 'utf8');

function makeServer() {
  const server = new Server({ name: 'sdk-reference', version: '1.0.0' }, { capabilities: { tools: {} } });
  server.setRequestHandler(ListToolsRequestSchema, async () => ({ tools }));
  server.setRequestHandler(CallToolRequestSchema, async (request) => ({
    content: [{ type: 'text', text: request.params.name === 'get_korvane_status' ? statusText : '{"success": true}' }],
  }));
  return server;
}

http
  .createServer(async (request, response) => {
    const chunks = [];
    for await (const chunk of request) {
      chunks.push(chunk);
    }
    let body;
    try {
      body = JSON.parse(Buffer.concat(chunks).toString('utf8'));
    } catch {
      body = undefined;
    }
    // Stateless, as the SDK documents it: a server and a transport per request.
    const server = makeServer();
    const transport = new StreamableHTTPServerTransport({ sessionIdGenerator: undefined, enableJsonResponse: true });
    response.on('close', () => {
      transport.close();
      server.close();
    });
    await server.connect(transport);
    await transport.handleRequest(request, response, body);
  })
  .listen(Number(port), '127.0.0.1', () => console.log(`SDK reference MCP server on http://127.0.0.1:${port}/mcp`));
