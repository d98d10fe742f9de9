# cmake -DPAGE=index.html -DFORM=form.html -DCOLOURS=colours.css -DPROGRAM=tamirel.js
#   -DPACKED=tamirel-wasm.js -DESBUILD=esbuild -DSCREEN=screen.js,touch.js -DEARLY=a.js,b.js -DLATE=c.js,d.js
#   -DOUTPUT=out.html
#   [-DLATE_OUTPUT=lesson.js -DLESSON_PROGRAM=tamirel-lesson.js | -DSTANDALONE=ON] -P single_file.cmake
# The page with the window's markup in place of <!--form--> (and its further parts in theirs),
# its colours in place of /*colours*/, and its scripts written into it: <script src="screen.js">
# is the SCREEN scripts joined in order (the window's own: fitting it to the screen before it is
# shown, its touch), <script src="tamirel.js"> is PROGRAM, and <script src="app.js"> the EARLY
# scripts joined in order, then PROGRAM's WebAssembly packed (PACKED, pack_wasm.mjs's), so the
# window comes in one request. The LATE scripts (the lesson's) run only when first asked for: a
# site has them joined in LATE_OUTPUT after LESSON_PROGRAM (the script that starts the lesson's
# module); the STANDALONE file, the one self-contained file, whose PROGRAM carries the lesson too,
# has them as text (script#late), without what only a served site has (manifest, icon, service
# worker).
# Each file is written whole or not at all.
function(join_scripts out files)
  string(REPLACE "," ";" files "${files}")
  set(joined "")
  foreach(file IN LISTS files)
    file(READ "${file}" script)
    string(APPEND joined "${script}")
  endforeach()
  minified(joined "${joined}" ${ARGN})
  set(${out} "${joined}" PARENT_SCOPE)
endfunction()

# A script made smaller to send and to parse (esbuild: comments, blanks and local names; the
# names scripts share at their top level stay), and safe inside <script>. Its letters stay as
# they are (the page is UTF-8), or, with ASCII, for a file of its own that a host may send
# without naming its encoding, as escapes.
function(minified out script)
  set(charset --charset=utf8)
  if(ARGN STREQUAL "ASCII")
    set(charset)
  endif()
  set(file "${OUTPUT}.script.js")
  file(WRITE "${file}" "${script}")
  execute_process(COMMAND "${ESBUILD}" --minify ${charset} --log-level=warning INPUT_FILE "${file}" OUTPUT_VARIABLE script
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${file}")
  string(REPLACE "</script" "<\\/script" script "${script}")
  set(${out} "${script}" PARENT_SCOPE)
endfunction()

function(write_whole path text)
  file(WRITE "${path}.part" "${text}")
  file(RENAME "${path}.part" "${path}")
endfunction()

file(READ "${PAGE}" page)
file(READ "${FORM}" form)
file(READ "${COLOURS}" colours)
# The window's markup may be followed by further parts, each after a line <!--part NAME-->,
# each for the page's <!--NAME-->.
string(FIND "${form}" "<!--part " at REVERSE)
while(NOT at EQUAL -1)
  string(SUBSTRING "${form}" ${at} -1 part)
  string(SUBSTRING "${form}" 0 ${at} form)
  string(REGEX MATCH "^<!--part ([a-z-]+)-->\n" head "${part}")
  set(mark "<!--${CMAKE_MATCH_1}-->")
  string(LENGTH "${head}" skip)
  string(SUBSTRING "${part}" ${skip} -1 part)
  string(REGEX REPLACE "\n$" "" part "${part}")
  string(FIND "${page}" "${mark}" found)
  if(head STREQUAL "" OR found EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no place for the part at ${at} of ${FORM}")
  endif()
  string(REPLACE "${mark}" "${part}" page "${page}")
  string(FIND "${form}" "<!--part " at REVERSE)
endwhile()
file(READ "${PROGRAM}" program)
minified(program "${program}")
join_scripts(screen "${SCREEN}")
join_scripts(early "${EARLY}")
foreach(mark "<!--form-->" "/*colours*/" "<script src=\"screen.js\"></script>" "<script src=\"tamirel.js\"></script>"
        "<script src=\"app.js\"></script>"
        "<script id=\"early\">")
  string(FIND "${page}" "${mark}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${mark}")
  endif()
endforeach()
# The head's own small scripts, minified in place (they hold no "<").
foreach(id manifest early)
  if(NOT page MATCHES "<script id=\"${id}\">([^<]*)</script>")
    message(FATAL_ERROR "${PAGE}: its script#${id} holds a \"<\" or is missing")
  endif()
  set(whole "${CMAKE_MATCH_0}")
  minified(head_script "${CMAKE_MATCH_1}")
  string(STRIP "${head_script}" head_script)
  string(REPLACE "${whole}" "<script id=\"${id}\">${head_script}</script>" page "${page}")
endforeach()
string(REPLACE "<!--form-->" "${form}" page "${page}")
string(STRIP "${colours}" colours)
string(REPLACE "/*colours*/" "${colours}" page "${page}")
# The style sheet's comments are for its readers, not sent (the page has no other /* */).
string(REGEX REPLACE "/\\*[^*]*\\*/\n?" "" page "${page}")
string(REPLACE "<script src=\"screen.js\"></script>" "<script>\n${screen}\n</script>" page "${page}")
string(REPLACE "<script src=\"tamirel.js\"></script>" "<script>\n${program}\n</script>" page "${page}")
# The window's WebAssembly, packed (PACKED, pack_wasm.mjs's: markup when it ends in .html, else
# a script), after the page's scripts.
file(READ "${PACKED}" packed)
if(PACKED MATCHES "\\.html$")
  set(packed "${packed}<script>\nself.tamirelWasmArrived(self.tamirelWasmBytes);\n</script>")
else()
  set(packed "<script>\n${packed}self.tamirelWasmArrived(self.tamirelWasmBytes);\n</script>")
endif()
if(STANDALONE)
  string(REGEX REPLACE "<link rel=\"icon\"[^>]*>\n" "" page "${page}")
  string(REGEX REPLACE "<script id=\"manifest\">[^<]*</script>\n" "" page "${page}")
  # No lesson files to name: the page's end carries the lesson's scripts.
  string(REGEX REPLACE " data-(late|lesson-wasm|lesson-disk)=\"[^\"]*\"" "" page "${page}")
  join_scripts(late "${LATE}")
  string(REPLACE "<script src=\"app.js\"></script>"
                 "<script>\n${early}\n</script>\n${packed}\n<script type=\"text/plain\" id=\"late\">\n${late}\n</script>" page "${page}")
else()
  string(REPLACE "<script src=\"app.js\"></script>" "<script>\n${early}\n</script>\n${packed}" page "${page}")
  file(READ "${LESSON_PROGRAM}" lesson_program)
  minified(lesson_program "${lesson_program}" ASCII)
  join_scripts(late "${LATE}" ASCII)
  write_whole("${LATE_OUTPUT}" "${lesson_program}\n${late}")
endif()
write_whole("${OUTPUT}" "${page}")
