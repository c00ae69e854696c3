// Starts `route_tool lsp` for the scenario's description files and hands
// the editor over to it: diagnostics, quick fixes, hover, completion,
// formatting and the outline all come from the server.
'use strict';

const fs = require('fs');
const path = require('path');

// The server to start: the route_tool packed into this extension for its
// platform first, else the one the settings name (a name on PATH or a full
// path).
function serverCommand(extensionPath, configured, platform, exists) {
  const bundled = path.join(extensionPath, 'server', platform === 'win32' ? 'route_tool.exe' : 'route_tool');
  if (exists(bundled)) return { command: bundled, bundled: true };
  return { command: configured || 'route_tool', bundled: false };
}

let client;

function activate(context) {
  const vscode = require('vscode');
  const { LanguageClient } = require('vscode-languageclient/node');
  const configured = vscode.workspace.getConfiguration('scenarioRoute').get('serverPath');
  const server = serverCommand(context.extensionPath, configured, process.platform, fs.existsSync);
  if (server.bundled && process.platform !== 'win32') {
    // A .vsix is a zip: the executable bit may not survive unpacking.
    try {
      fs.chmodSync(server.command, 0o755);
    } catch (e) {
      // Read-only install: the bit is there or the start below says why.
    }
  }
  client = new LanguageClient(
    'scenarioRoute',
    'Scenario route files',
    { command: server.command, args: ['lsp'] },
    { documentSelector: [{ scheme: 'file', language: 'scenario-route' }] }
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate, serverCommand };
