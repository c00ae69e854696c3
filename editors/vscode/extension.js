// Starts `route_tool lsp` for the scenario's description files and hands
// the editor over to it: diagnostics, quick fixes, hover, completion,
// formatting and the outline all come from the server.
'use strict';

const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate() {
  const command = vscode.workspace.getConfiguration('scenarioRoute').get('serverPath') || 'route_tool';
  client = new LanguageClient(
    'scenarioRoute',
    'Scenario route files',
    { command, args: ['lsp'] },
    { documentSelector: [{ scheme: 'file', language: 'scenario-route' }] }
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
