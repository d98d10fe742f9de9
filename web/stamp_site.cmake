# cmake -DSITE=site -DWORKER=sw.js -P stamp_site.cmake
# Finishes a built site folder:
#   tamirel-wasm.js  the WebAssembly as a script, for the page opened from disk, where
#                    browsers fetch no files but still load scripts;
#   sw.js            the service worker, its cache named after a SHA-256 of the files it caches
#                    (its FILES list), so every changed build is a new worker.
# Each file is written whole or not at all.
file(READ "${SITE}/tamirel.wasm" hex HEX)
file(WRITE "${SITE}/tamirel-wasm.js.part"
  "self.tamirelWasmBytes = new Uint8Array('${hex}'.match(/../g).map((byte) => parseInt(byte, 16)));\n")
file(RENAME "${SITE}/tamirel-wasm.js.part" "${SITE}/tamirel-wasm.js")

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
