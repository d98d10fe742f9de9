# cmake -DSITE=site -DWORKER=sw.js -DNODE=node -DUNPACKER=unlzma.wasm -P stamp_site.cmake
# Finishes a built site folder. The lesson's files are named after a hash of what they hold
# (16 hex digits), so a page can only ever load its own build's lesson: a host, a cache or a
# worker that has another build's has it under another name.
#   lesson.HASH.js   the lesson's scripts (lesson.js as the build writes it);
#   tamirel-lesson.HASH.wasm
#                    the lesson's WebAssembly (tamirel-lesson.wasm as the build writes it);
#   tamirel-lesson-wasm.HASH.js
#                    that WebAssembly as a script (pack_wasm.mjs), for the page opened from disk,
#                    where browsers fetch no files but still load scripts;
#   index.html       names the three by those names;
#   sw.js            the service worker, WORKER with those names, its cache named after a
#                    SHA-256 of the files it caches (its FILES list, where './' is index.html),
#                    so every changed build is a new worker.
# A file as the build writes it, unstamped, is taken before a stamped one: run again on a
# stamped folder (whose files may have been changed since), the stamps are made afresh. Stamped
# files of other builds are removed. Each file is written whole or not at all.

# Paths below are compared as the globbing gives them: whole.
get_filename_component(SITE "${SITE}" ABSOLUTE)

# The files `base`.HASH.`ext` in SITE, in `out`.
function(stamped_files out base ext)
  file(GLOB found "${SITE}/${base}.*.${ext}")
  list(FILTER found INCLUDE REGEX "/${base}\\.[0-9a-f]+\\.${ext}$")
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The one file `base`.`ext` or `base`.HASH.`ext` in SITE to stamp: its path in `out`.
function(lesson_file out base ext)
  if(EXISTS "${SITE}/${base}.${ext}")
    set(${out} "${SITE}/${base}.${ext}" PARENT_SCOPE)
    return()
  endif()
  stamped_files(found ${base} ${ext})
  list(LENGTH found count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${SITE} has ${count} of ${base}.${ext} stamped, and none unstamped")
  endif()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Moves `path` to `base`.HASH.`ext` beside it and removes every other stamp of it; the new name
# in `name`.
function(stamp path base ext name)
  file(SHA256 "${path}" sum)
  string(SUBSTRING "${sum}" 0 16 sum)
  set(stamped "${base}.${sum}.${ext}")
  if(NOT path STREQUAL "${SITE}/${stamped}")
    file(RENAME "${path}" "${SITE}/${stamped}")
  endif()
  stamped_files(others ${base} ${ext})
  list(REMOVE_ITEM others "${SITE}/${stamped}")
  if(others)
    file(REMOVE ${others})
  endif()
  set(${name} "${stamped}" PARENT_SCOPE)
endfunction()

# Puts `stamped` in place of every quoted name `base`.`ext`, stamped or not, in `text`.
function(name_in text base ext stamped)
  string(REGEX REPLACE "([\"'])${base}(\\.[0-9a-f]+)?\\.${ext}([\"'])" "\\1${stamped}\\3" replaced "${${text}}")
  if(replaced STREQUAL "${${text}}" AND NOT "${${text}}" MATCHES "${stamped}")
    message(FATAL_ERROR "no name ${base}.${ext} to stamp")
  endif()
  set(${text} "${replaced}" PARENT_SCOPE)
endfunction()

function(write_whole path text)
  file(WRITE "${path}.part" "${text}")
  file(RENAME "${path}.part" "${path}")
endfunction()

file(READ "${SITE}/index.html" page)
file(READ "${WORKER}" worker)
lesson_file(script lesson js)
lesson_file(wasm tamirel-lesson wasm)
stamp("${script}" lesson js script)
stamp("${wasm}" tamirel-lesson wasm wasm)
execute_process(COMMAND "${NODE}" "${CMAKE_CURRENT_LIST_DIR}/pack_wasm.mjs" "${SITE}/${wasm}"
                        "${SITE}/tamirel-lesson-wasm.js" tamirelLessonWasmBytes "${UNPACKER}"
                COMMAND_ERROR_IS_FATAL ANY)
stamp("${SITE}/tamirel-lesson-wasm.js" tamirel-lesson-wasm js disk)
foreach(text page worker)
  name_in(${text} lesson js ${script})
  name_in(${text} tamirel-lesson wasm ${wasm})
endforeach()
name_in(page tamirel-lesson-wasm js ${disk})
write_whole("${SITE}/index.html" "${page}")

string(REGEX MATCH "const FILES = \\[([^]]*)\\]" files "${worker}")
string(REGEX MATCHALL "'[^']+'" files "${CMAKE_MATCH_1}")
if(NOT files)
  message(FATAL_ERROR "${WORKER} has no FILES list")
endif()
set(sums "")
foreach(quoted IN LISTS files)
  string(REPLACE "'" "" file "${quoted}")
  if(file STREQUAL "./")
    set(file index.html)
  endif()
  file(SHA256 "${SITE}/${file}" sum)
  string(APPEND sums "${file} ${sum}\n")
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING "${version}" 0 16 version)
string(REPLACE "@TAMIREL_VERSION@" "${version}" worker "${worker}")
write_whole("${SITE}/sw.js" "${worker}")
