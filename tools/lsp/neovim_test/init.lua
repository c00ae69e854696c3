-- A real editor as the language server's client: Neovim 0.7's built-in LSP
-- client starts `route_tool lsp` on the example scenario's two files, a typo
-- is typed into the service file, and every diagnostic the editor then holds
-- is written to a file for the test to compare.
-- Run: nvim --headless --clean -u init.lua
-- with ROUTE_TOOL (the program), SCENARIO_DIR (a copy of the example files)
-- and OUTPUT (the file to write) in the environment.
local route_tool = os.getenv("ROUTE_TOOL")
local dir = os.getenv("SCENARIO_DIR")
local output = os.getenv("OUTPUT")

-- The files are Windows-1252 text.
vim.o.fileencodings = "cp1252"

local function fail(message)
  io.stderr:write("neovim test: " .. message .. "\n")
  vim.cmd("cquit 1")
end

local client_id = vim.lsp.start_client({
  name = "route_tool",
  cmd = { route_tool, "lsp" },
  root_dir = dir,
})
if not client_id then
  fail("the client did not start")
end

-- Both files open, as an author works on them: the server checks them as a
-- pair.
vim.cmd("edit " .. dir .. "/Esempio_linea.txt")
vim.lsp.buf_attach_client(0, client_id)
vim.cmd("edit " .. dir .. "/Esempio_1234-.txt")
local service = vim.api.nvim_get_current_buf()
vim.lsp.buf_attach_client(service, client_id)

local ready = vim.wait(10000, function()
  local client = vim.lsp.get_client_by_id(client_id)
  return client ~= nil and client.initialized
end, 50)
if not ready then
  fail("the server did not answer initialize")
end

-- The typo: "stazione" loses its "i" on the second station's line.
local lines = vim.api.nvim_buf_get_lines(service, 0, -1, false)
local typed = false
for i, line in ipairs(lines) do
  if line:find("Beta", 1, true) then
    vim.api.nvim_buf_set_lines(service, i - 1, i, false, { (line:gsub("stazione", "stazone", 1)) })
    typed = true
    break
  end
end
if not typed then
  fail("no line of station Beta in the service file")
end

local received = vim.wait(10000, function()
  return #vim.diagnostic.get(service) > 0
end, 50)
if not received then
  fail("no diagnostic arrived after the typo")
end
-- Later diagnostics of the same change replace these; let them settle.
vim.wait(500)

local severities = { "error", "warning", "information", "hint" }
local out = {}
local diagnostics = vim.diagnostic.get(service)
table.sort(diagnostics, function(a, b)
  if a.lnum ~= b.lnum then
    return a.lnum < b.lnum
  end
  return a.col < b.col
end)
for _, d in ipairs(diagnostics) do
  local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code) or ""
  table.insert(out, string.format("%d:%d: %s: %s [%s]", d.lnum + 1, d.col + 1,
    severities[d.severity] or "?", d.message, code))
end
local f = io.open(output, "w")
f:write(table.concat(out, "\n") .. "\n")
f:close()
vim.lsp.stop_client(client_id)
vim.wait(2000, function()
  return vim.lsp.get_client_by_id(client_id) == nil
end, 50)
vim.cmd("qall!")
