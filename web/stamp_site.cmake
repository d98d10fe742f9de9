# cmake -DSITE=site -DWORKER=sw.js -DNODE=node -DUNPACKER=unlzma.wasm -P stamp_site.cmake
# Finishes a built site folder:
#   tamirel-lesson-wasm.js
#                    the lesson's WebAssembly as a script (pack_wasm.mjs), for the page opened
#                    from disk, where browsers fetch no files but still load scripts;
#   index.html       names lesson.js and tamirel-lesson.wasm with a hash of each (?v=), so a load
#                    never takes one build's page with another's lesson from a cache;
#   sw.js            the service worker, its cache named after a SHA-256 of the files it caches
#                    (its FILES list), so every changed build is a new worker.
# Each file is written whole or not at all.
execute_process(COMMAND "${NODE}" "${CMAKE_CURRENT_LIST_DIR}/pack_wasm.mjs" "${SITE}/tamirel-lesson.wasm"
                        "${SITE}/tamirel-lesson-wasm.js" tamirelLessonWasmBytes "${UNPACKER}"
                COMMAND_ERROR_IS_FATAL ANY)

file(READ "${SITE}/index.html" page)
foreach(file lesson.js tamirel-lesson.wasm)
  file(SHA256 "${SITE}/${file}" sum)
  string(SUBSTRING "${sum}" 0 16 sum)
  string(REGEX REPLACE "${file}\\?v=[0-9a-f]*" "${file}?v=${sum}" page "${page}")
endforeach()
file(WRITE "${SITE}/index.html.part" "${page}")
file(RENAME "${SITE}/index.html.part" "${SITE}/index.html")

file(READ "${WORKER}" worker)
string(REGEX MATCH "const FILES = \\[([^]]*)\\]" files "${worker}")
string(REGEX MATCHALL "'[^']+'" files "${CMAKE_MATCH_1}")
if(NOT files)
  message(FATAL_ERROR "${WORKER} has no FILES list")
endif()
set(sums "")
foreach(quoted IN LISTS files)
  string(REPLACE "'" "" file "${quoted}")
  file(SHA256 "${SITE}/${file}" sum)
  string(APPEND sums "${file} ${sum}\n")
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING "${version}" 0 16 version)
string(REPLACE "@TAMIREL_VERSION@" "${version}" worker "${worker}")
file(WRITE "${SITE}/sw.js.part" "${worker}")
file(RENAME "${SITE}/sw.js.part" "${SITE}/sw.js")
