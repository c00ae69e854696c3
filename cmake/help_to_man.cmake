# Writes route_tool's manual page from its own help texts, so that the page
# says what `route_tool --help` and `route_tool COMMAND --help` say.
# Run as: cmake -DROUTE_TOOL=path -DVERSION=1.0 -DOUTPUT=route_tool.1.gz -P help_to_man.cmake
# The page is written gzip-compressed, as manual pages are installed.

function(run_help out_var)
  execute_process(COMMAND ${ROUTE_TOOL} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "route_tool ${ARGN} failed (${result})")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# roff takes a line that starts with "." or "'" as a request, and "\" as an
# escape: each is written so that it prints as itself.
function(roff_text out_var text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

run_help(general --help)
# The commands are the indented lines of the "Commands:" block: a name, then
# its summary.
string(REGEX MATCH "Commands:\n(.*)\n\nOptions:" block "${general}")
set(block "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "\n  [a-z]+ " names "\n${block}")
set(commands)
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  list(APPEND commands "${name}")
endforeach()
if(NOT commands)
  message(FATAL_ERROR "no commands found in route_tool --help")
endif()

roff_text(general_roff "${general}")
set(page ".TH ROUTE_TOOL 1 \"\" \"route_tool ${VERSION}\" \"User Commands\"
.SH NAME
route_tool \\- check, compile, decode, draw and serve a train-driving scenario's route files
.SH SYNOPSIS
.B route_tool
.I COMMAND
[\\fIOPTIONS\\fR]
.SH DESCRIPTION
.nf
${general_roff}.fi
.SH COMMANDS
")
foreach(command IN LISTS commands)
  run_help(command_help ${command} --help)
  roff_text(help_roff "${command_help}")
  string(APPEND page ".SS ${command}\n.nf\n${help_roff}.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO
The documents installed with route_tool: route_tool.md (every command and
option), formats.md (the two text formats and the compiled files) and
editors.md (the language server in editors).
")

get_filename_component(dir "${OUTPUT}" DIRECTORY)
get_filename_component(name "${OUTPUT}" NAME)
string(REGEX REPLACE "\\.gz$" "" plain "${name}")
file(MAKE_DIRECTORY "${dir}")
file(WRITE "${dir}/${plain}" "${page}")
if(NOT plain STREQUAL name)
  file(REMOVE "${OUTPUT}")
  file(ARCHIVE_CREATE OUTPUT "${OUTPUT}" PATHS "${dir}/${plain}" FORMAT raw COMPRESSION GZip)
endif()
