# Joins the ES modules reached from ENTRY into OUTPUT, one classic script
# for a page that loads no files: each module runs in a function of its own
# and hands its exports to the modules after it, in the order of their
# imports. A small subset of the module syntax is taken, and anything else
# stops the build:
#   import { a, b } from './file.js';
#   export function a ... / export const a ... / export let a ... / export class a ...
# Exported names are one namespace across the modules.
# Run as: cmake -DENTRY=src/main.js -DOUTPUT=view.js -P join_modules.cmake
cmake_minimum_required(VERSION 3.25)

set(import_re "import {[^}]*} from '[^']*'")
set(export_re "\nexport (async function\\*?|function\\*?|const|let|class) +([A-Za-z_$][A-Za-z0-9_$]*)")

# Appends to `order` the modules `path` imports, then `path` itself.
function(visit path)
  get_property(done GLOBAL PROPERTY join_done)
  get_property(open GLOBAL PROPERTY join_open)
  if(path IN_LIST done)
    return()
  endif()
  if(path IN_LIST open)
    message(FATAL_ERROR "${path}: the modules import each other in a circle")
  endif()
  set_property(GLOBAL APPEND PROPERTY join_open "${path}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${path}: imported but not found")
  endif()
  file(READ "${path}" text)
  get_filename_component(dir "${path}" DIRECTORY)
  string(REGEX MATCHALL "${import_re}" imports "\n${text}")
  foreach(statement IN LISTS imports)
    string(REGEX REPLACE ".* from '([^']*)'" "\\1" name "${statement}")
    get_filename_component(dependency "${name}" ABSOLUTE BASE_DIR "${dir}")
    visit("${dependency}")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY join_done "${path}")
endfunction()

get_filename_component(entry "${ENTRY}" ABSOLUTE)
set_property(GLOBAL PROPERTY join_done "")
set_property(GLOBAL PROPERTY join_open "")
visit("${entry}")
get_property(order GLOBAL PROPERTY join_done)

set(out "// Joined from the modules named below by cmake/join_modules.cmake; do not edit.\n")
string(APPEND out "(() => {\n  'use strict';\n")
set(exported "")
foreach(path IN LISTS order)
  file(READ "${path}" text)
  set(text "\n${text}")
  get_filename_component(name "${path}" NAME)
  string(REGEX REPLACE "\n${import_re};" "\n" text "${text}")
  if(text MATCHES "\n(import|export)[ {*]")
    # Whatever is left is syntax the join does not take.
    string(REGEX MATCHALL "${export_re}" exports "${text}")
    string(REGEX REPLACE "${export_re}" "\n\\2" rest "${text}")
    if(rest MATCHES "\n((import|export)[^\n]*)")
      message(FATAL_ERROR "${path}: the join takes only `import { names } from './file.js';` "
                          "and `export function|const|let|class name`, not: ${CMAKE_MATCH_1}")
    endif()
  endif()
  string(REGEX MATCHALL "${export_re}" exports "${text}")
  set(names "")
  foreach(e IN LISTS exports)
    string(REGEX REPLACE "${export_re}" "\\2" n "${e}")
    if(n IN_LIST exported)
      message(FATAL_ERROR "${path}: `${n}` is exported by another module too")
    endif()
    list(APPEND exported "${n}")
    list(APPEND names "${n}")
  endforeach()
  string(REGEX REPLACE "\nexport " "\n" text "${text}")
  list(JOIN names ", " joined)
  string(APPEND out "\n  // ${name}\n")
  if(names)
    string(APPEND out "  const { ${joined} } = (() => {${text}\n    return { ${joined} };\n  })();\n")
  else()
    string(APPEND out "  (() => {${text}\n  })();\n")
  endif()
endforeach()
string(APPEND out "})();\n")
# The script goes inside the page's <script> element, which these would end
# or turn into a comment.
if(out MATCHES "</[Ss][Cc][Rr][Ii][Pp][Tt]|<!--")
  message(FATAL_ERROR "${ENTRY}: the joined script holds `${CMAKE_MATCH_0}`, which ends the page's "
                      "script element early; write it as '<' + '/script' or '<' + '!--'")
endif()
file(WRITE "${OUTPUT}.tmp" "${out}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
