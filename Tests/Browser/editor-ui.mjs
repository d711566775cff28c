// Uses the editor's UI page as a person would, in Debian's Chromium driven by playwright-core:
// starts `korvane-editor serve` on a copy of the demo project, opens the Korvane panel from the
// level editor's toolbar, switches the agent tools off and on, sends a Blueprint and a Material
// from their editors' toolbars, reads the output log, runs console lines, closes and reopens the
// panel, and keeps the page open across a restart of the editor. A screenshot of each state goes
// into the output folder.
//
// Usage: node editor-ui.mjs --editor PATH --demo DIR --out DIR
import { chromium } from 'playwright-core';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

const CHROMIUM = '/usr/bin/chromium';
const STATUS_CHECKING = 'Checking connection...';
const STATUS_READY = 'Ready — waiting for Korvane';
const STATUS_DISCONNECTED = 'Remote Control API not loaded';
const MCP_OFF = 'Off — no MCP endpoints are exposed. Everything else works as normal.';

function parseArguments(argv) {
  const options = {};
  for (let index = 2; index < argv.length; index += 2) {
    options[argv[index].replace(/^--/, '')] = argv[index + 1];
  }
  for (const required of ['editor', 'demo', 'out']) {
    if (!options[required]) {
      throw new Error(`missing --${required}`);
    }
  }
  return options;
}

/** A loopback port nobody listens on right now. */
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

/** Starts the editor and resolves once both of its ports listen, with their URLs. */
function startEditor(editorBinary, projectDir, uiPort, extraArguments = []) {
  const child = spawn(editorBinary, ['serve', '--project', projectDir, '--port', '0', '--ui-port', String(uiPort), ...extraArguments],
    { stdio: ['pipe', 'pipe', 'pipe'] });
  let output = '';
  let started = false;
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`the editor did not start in time:\n${output}`)), 30000);
    const onEarlyExit = (code) => {
      clearTimeout(timer);
      reject(new Error(`the editor exited with ${code}:\n${output}`));
    };
    const onData = (chunk) => {
      output += chunk.toString();
      const editor = output.match(/at (http:\/\/127\.0\.0\.1:\d+)\/korvane\/status/);
      const ui = output.match(/Editor UI at (http:\/\/127\.0\.0\.1:\d+\/)/);
      if (!started && editor && ui) {
        started = true;
        clearTimeout(timer);
        child.off('exit', onEarlyExit);
        resolve({ child, editorUrl: editor[1], uiUrl: ui[1], output: () => output });
      }
    };
    child.stdout.on('data', onData);
    child.stderr.on('data', onData);
    child.on('exit', onEarlyExit);
  });
}

function stopEditor(editor) {
  return new Promise((resolve) => {
    if (editor.child.exitCode !== null) {
      resolve(editor.child.exitCode);
      return;
    }
    editor.child.once('exit', (code) => resolve(code));
    editor.child.kill('SIGINT');
  });
}

async function status(editor) {
  return (await fetch(`${editor.editorUrl}/korvane/status`)).json();
}

async function mcpPing(editor) {
  const response = await fetch(`${editor.editorUrl}/korvane/mcp`, {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify({ jsonrpc: '2.0', id: 1, method: 'ping' }),
  });
  return response.status;
}

async function main() {
  const started = Date.now();
  const options = parseArguments(process.argv);
  fs.rmSync(options.out, { recursive: true, force: true });
  fs.mkdirSync(options.out, { recursive: true });
  const projectDir = fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-browser-'));
  fs.cpSync(options.demo, projectDir, { recursive: true });
  const uiPort = await freePort();
  let editor = await startEditor(options.editor, projectDir, uiPort);
  const browser = await chromium.launch({ executablePath: CHROMIUM, args: ['--no-sandbox'] });
  const pageErrors = [];
  let shots = 0;
  try {
    const page = await browser.newPage({ viewport: { width: 1440, height: 900 } });
    page.on('pageerror', (error) => pageErrors.push(error.message));
    const shot = (name) => page.screenshot({ path: path.join(options.out, `${String(++shots).padStart(2, '0')}-${name}.png`), animations: 'disabled' });
    const panel = page.locator('#dock-content .dock-panel');
    const toast = (text) => page.locator('#toasts .toast', { hasText: text });
    const step = (name) => console.log(`${((Date.now() - started) / 1000).toFixed(1)} s: ${name}`);

    await page.goto(editor.uiUrl);
    await page.locator('#project-name', { hasText: 'DemoProject' }).waitFor();

    step("The level editor's play toolbar: the Korvane button with its icon and tooltip");
    const korvaneButton = page.locator('#level-toolbar [data-entry-name="OpenKorvanePanel"]');
    await korvaneButton.waitFor();
    assert.equal(await korvaneButton.getAttribute('title'), 'Open the Korvane connection panel');
    assert.equal(await korvaneButton.locator('.entry-label').textContent(), 'Korvane');
    const iconWidth = await korvaneButton.locator('img.entry-icon').evaluate((image) => image.complete && image.naturalWidth);
    assert.equal(iconWidth, 20, 'the toolbar icon is the style set\'s 20 x 20 PNG');

    step("The status panel: checking, then ready about five seconds later");
    await korvaneButton.click();
    await panel.getByText(STATUS_CHECKING).waitFor();
    await shot('status-checking');
    await panel.getByText(STATUS_READY).waitFor({ timeout: 10000 });
    await shot('status-ready');

    // Drawn as Slate draws it: linear colours on screen in sRGB, the dot in its 10 x 10 box,
    // Slate's left-top-right-bottom padding in CSS order.
    const portInfo = panel.getByText('Remote Control API: localhost:30010');
    assert.equal(await portInfo.evaluate((text) => getComputedStyle(text).color), 'rgb(203, 203, 203)');
    const dot = panel.locator('[data-brush="Icons.FilledCircle"]');
    assert.deepEqual(await dot.evaluate((image) => [image.offsetWidth, image.offsetHeight, getComputedStyle(image).backgroundColor]),
      [10, 10, 'rgb(124, 231, 124)']);
    assert.equal(await dot.evaluate((image) => getComputedStyle(image.closest('.s-slot')).paddingRight), '6px');

    step("The agent tools off: the mode text says so and the fallback route is gone");
    const enabled = panel.locator('.s-checkbox', { hasText: 'Enabled' }).locator('input');
    assert.equal(await enabled.isChecked(), true);
    await enabled.click();
    await panel.getByText(MCP_OFF).waitFor();
    assert.equal(await enabled.isChecked(), false);
    assert.equal(await mcpPing(editor), 404);
    await shot('agent-tools-off');
    await enabled.click();
    await panel.getByText('Serving from the Connector', { exact: false }).waitFor();
    assert.equal(await mcpPing(editor), 200);

    step("Clicked quickly six times: each click toggles once, so the tools end up on again");
    let toggled = 0;
    const countToggle = async (response) => {
      if (response.url().endsWith('/ui/action') && (response.request().postData() || '').includes('toggleCheckBox')) {
        assert.equal((await response.json()).success, true);
        toggled += 1;
      }
    };
    page.on('response', countToggle);
    for (let click = 0; click < 6; ++click) {
      await enabled.click({ noWaitAfter: true });
    }
    for (const deadline = Date.now() + 5000; toggled < 6 && Date.now() < deadline;) {
      await page.waitForTimeout(50);
    }
    page.off('response', countToggle);
    assert.equal(toggled, 6);
    assert.equal(await mcpPing(editor), 200);
    await panel.getByText('Serving from the Connector', { exact: false }).waitFor();
    assert.equal(await enabled.isChecked(), true);

    step("A Blueprint from the content browser, sent from its editor's toolbar");
    await page.locator('.cb-folder[data-path="/Game/Blueprints"]').click();
    await page.locator('.cb-tile[data-asset-name="BP_Campfire"]').dblclick();
    await page.locator('.major-tab.active', { hasText: 'BP_Campfire' }).waitFor();
    await page.locator('#asset-toolbar [data-entry-name="SendToKorvane"]').click();
    await toast("Sent 'BP_Campfire'").waitFor();
    assert.equal((await status(editor)).blueprintPending, true);
    await shot('blueprint-sent');

    step("A Material, sent with its textures from the split button's menu");
    await page.locator('.cb-folder[data-path="/Game/Materials"]').click();
    await page.locator('.cb-tile[data-asset-name="M_Master"]').dblclick();
    await page.locator('.major-tab.active', { hasText: 'M_Master' }).waitFor();
    const materialButton = page.locator('#asset-toolbar .combo[data-entry-name="SendMaterialToKorvane"]');
    await materialButton.locator('.combo-arrow').click();
    const withAssets = page.locator('.menu .menu-entry', { hasText: 'Send to Korvane with Assets' });
    await withAssets.waitFor();
    await shot('material-menu');
    await withAssets.click();
    await toast("Sent 'M_Master' with bundled textures").waitFor();
    assert.equal(await page.locator('.menu').count(), 0, 'the menu closes after a click');
    assert.equal((await status(editor)).materialPending, true);
    await shot('material-sent');

    step("The output log, filtered by category, and the console line");
    await page.locator('#tab-log').click();
    await page.locator('#log-category').selectOption('LogKorvane');
    await page.locator('.log-line:not([hidden])', { hasText: "Blueprint 'BP_Campfire' queued for pickup." }).waitFor();
    assert.equal(await page.locator('.log-line:not([hidden])').filter({ hasNotText: 'LogKorvane:' }).count(), 0);
    await page.locator('#console-input').fill('Frobnicate.Everything now');
    await page.locator('#console-input').press('Enter');
    await page.locator('#console-result', { hasText: 'Command not recognized: Frobnicate.Everything now' }).waitFor();
    await page.locator('#console-input').fill('AssetEditor.CloseAll');
    await page.locator('#console-input').press('Enter');
    await page.locator('.major-tab').nth(1).waitFor({ state: 'detached' });
    await page.locator('#log-category').selectOption('');
    await page.locator('.log-line', { hasText: 'Cmd: AssetEditor.CloseAll' }).waitFor();
    await shot('output-log');

    step("A closed and reopened panel is a new one, checking again");
    await page.locator('#dock-tabs .dock-tab .tab-close').click();
    await page.locator('#dock').waitFor({ state: 'hidden' });
    await korvaneButton.click();
    await panel.getByText(STATUS_CHECKING).waitFor();

    step("The page stays open across a restart of the editor and follows the new one");
    assert.equal(await stopEditor(editor), 0);
    await page.locator('#connection', { hasText: 'reconnecting' }).waitFor();
    await shot('editor-stopped');
    editor = await startEditor(options.editor, projectDir, uiPort, ['--no-remote-control']);
    await page.locator('#connection', { hasText: 'Connected' }).waitFor({ timeout: 15000 });
    await page.locator('#level-toolbar [data-entry-name="OpenKorvanePanel"]').waitFor();
    assert.equal(await page.locator('#dock').isHidden(), true, 'the page shows the new editor, which has no panel open');

    step("Without the Remote Control API the panel says so after its first check");
    await korvaneButton.click();
    await panel.getByText(STATUS_DISCONNECTED).waitFor({ timeout: 10000 });
    await shot('status-disconnected');

    assert.deepEqual(pageErrors, []);
    console.log(`editor UI browser test passed in ${((Date.now() - started) / 1000).toFixed(1)} s; ${shots} screenshots in ${options.out}`);
  } finally {
    await browser.close();
    await stopEditor(editor);
    fs.rmSync(projectDir, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
