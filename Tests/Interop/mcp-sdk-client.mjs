// Drives the editor's agent tools with the official MCP TypeScript SDK client, as an agent host
// would: starts `korvane-editor serve` on a copy of the demo project, connects over Streamable
// HTTP, initializes, lists the five tools and calls each with real arguments.
//
// Usage: node mcp-sdk-client.mjs --editor PATH --demo DIR --mode fallback|builtin
//   fallback: the connector's own server at POST /korvane/mcp on the editor's port
//   builtin:  the editor's MCP server (--builtin-mcp) on its own port, /mcp
import { Client } from '@modelcontextprotocol/sdk/client/index.js';
import { StreamableHTTPClientTransport } from '@modelcontextprotocol/sdk/client/streamableHttp.js';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const TOOL_NAMES = ['send_to_korvane', 'send_material_to_korvane', 'compile_blueprint', 'check_assets_exist', 'get_korvane_status'];

function parseArguments(argv) {
  const options = {};
  for (let index = 2; index < argv.length; index += 2) {
    options[argv[index].replace(/^--/, '')] = argv[index + 1];
  }
  for (const required of ['editor', 'demo', 'mode']) {
    if (!options[required]) {
      throw new Error(`missing --${required}`);
    }
  }
  if (!['fallback', 'builtin'].includes(options.mode)) {
    throw new Error(`--mode must be fallback or builtin, not ${options.mode}`);
  }
  return options;
}

/** Starts the editor and resolves with the process and the URLs it serves, read from its output. */
function startEditor(editorBinary, projectDir, builtin) {
  const args = ['serve', '--project', projectDir, '--port', '0'];
  if (builtin) {
    args.push('--builtin-mcp', '--mcp-port', '0');
  }
  // A temp folder of its own: the texture bundle folder lives there, and two runs side by side
  // must not clear each other's exported files.
  const tempDir = fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-interop-temp-'));
  const child = spawn(editorBinary, args, { stdio: ['pipe', 'pipe', 'pipe'], env: { ...process.env, TMPDIR: tempDir } });
  child.on('exit', () => fs.rmSync(tempDir, { recursive: true, force: true }));
  let output = '';
  const waiters = [];
  /** Resolves once the editor has written the text (within 10 s). */
  const waitForOutput = (text) =>
    new Promise((resolve, reject) => {
      if (output.includes(text)) {
        resolve();
        return;
      }
      const timer = setTimeout(() => reject(new Error(`the editor never wrote "${text}":\n${output}`)), 10000);
      waiters.push({ text, resolve: () => { clearTimeout(timer); resolve(); } });
    });
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`the editor did not start in time:\n${output}`)), 30000);
    const onData = (chunk) => {
      output += chunk.toString();
      for (const waiter of waiters.filter((entry) => output.includes(entry.text))) {
        waiters.splice(waiters.indexOf(waiter), 1);
        waiter.resolve();
      }
      const editor = output.match(/at (http:\/\/127\.0\.0\.1:\d+)\/korvane\/status/);
      const mcp = output.match(/MCP server listening on (http:\/\/127\.0\.0\.1:\d+\/mcp)/);
      if (editor && (!builtin || mcp)) {
        clearTimeout(timer);
        resolve({ child, editorUrl: editor[1], mcpUrl: builtin ? mcp[1] : `${editor[1]}/korvane/mcp`, waitForOutput });
      }
    };
    child.stdout.on('data', onData);
    child.stderr.on('data', onData);
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`the editor exited with ${code}:\n${output}`));
    });
  });
}

/** The JSON text a tool answered, parsed. */
async function callTool(client, name, args) {
  const result = await client.callTool({ name, arguments: args });
  assert.equal(result.isError ?? false, false, `${name} reported an error: ${JSON.stringify(result)}`);
  assert.equal(result.content.length, 1);
  assert.equal(result.content[0].type, 'text');
  return JSON.parse(result.content[0].text);
}

async function main() {
  const options = parseArguments(process.argv);
  const projectDir = fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-interop-'));
  fs.cpSync(options.demo, projectDir, { recursive: true });
  const editor = await startEditor(options.editor, projectDir, options.mode === 'builtin');
  try {
    const client = new Client({ name: 'korvane-interop-test', version: '1.0.0' });
    await client.connect(new StreamableHTTPClientTransport(new URL(editor.mcpUrl)));
    await client.ping();

    const { tools } = await client.listTools();
    assert.deepEqual(tools.map((tool) => tool.name), TOOL_NAMES);
    assert.deepEqual(tools.find((tool) => tool.name === 'check_assets_exist').inputSchema.required, ['asset_paths']);

    const sent = await callTool(client, 'send_to_korvane', { blueprint_path: '/Game/Blueprints/BP_Campfire' });
    assert.equal(sent.success, true);
    assert.equal(sent.blueprintPath, '/Game/Blueprints/BP_Campfire.BP_Campfire');
    const pending = await (await fetch(`${editor.editorUrl}/korvane/blueprint/pending`)).json();
    assert.equal(pending.pending, true);
    assert.equal(pending.name, 'BP_Campfire');

    // A person focuses an editor from the console; send_to_korvane without a path sends its Blueprint.
    editor.child.stdin.write('AssetEditor.Open /Game/Blueprints/BP_NoParent\n');
    await editor.waitForOutput('Opened BlueprintEditor for /Game/Blueprints/BP_NoParent.BP_NoParent');
    const focused = await callTool(client, 'send_to_korvane', {});
    assert.equal(focused.blueprintName, 'BP_NoParent');
    assert.equal((await (await fetch(`${editor.editorUrl}/korvane/blueprint/pending`)).json()).name, 'BP_NoParent');

    const compiled = await callTool(client, 'compile_blueprint', { blueprint_path: '/Game/Blueprints/BP_Broken' });
    assert.equal(compiled.success, false);
    assert.equal(compiled.status, 'Error');
    assert.ok(compiled.numErrors > 0);
    assert.ok(compiled.messages.some((message) => message.severity === 'error'));

    const checked = await callTool(client, 'check_assets_exist', { asset_paths: ['/Game/Materials/M_Master', '/Game/Missing/Nothing'] });
    assert.deepEqual(checked, { allExist: false, checked: 2, results: [{ path: '/Game/Materials/M_Master', exists: true }, { path: '/Game/Missing/Nothing', exists: false }] });

    const status = await callTool(client, 'get_korvane_status', {});
    assert.equal(status.connected, true);
    assert.equal(status.projectName, 'DemoProject');
    assert.equal(status.blueprintPending, false, 'the Blueprint was taken');

    const material = await callTool(client, 'send_material_to_korvane', { material_path: '/Game/Materials/M_Master', bundle_textures: true });
    assert.equal(material.success, true);
    assert.equal(material.bundledTextures, true);
    const payload = await (await fetch(`${editor.editorUrl}/korvane/material/pending`)).json();
    assert.equal(payload.pending, true);
    assert.ok(payload.clipboardText.startsWith('Begin Object'), 'the graph travels as copy-paste text');
    assert.deepEqual(payload.bundledAssets.manifest.map((entry) => entry.originalPath), ['/Game/Textures/T_Checker.T_Checker', '/Game/Textures/T_Noise.T_Noise']);

    await client.close();
    console.log(`MCP SDK client (${options.mode}): ${tools.length} tools listed and called at ${editor.mcpUrl}`);
  } finally {
    editor.child.kill('SIGTERM');
    fs.rmSync(projectDir, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
