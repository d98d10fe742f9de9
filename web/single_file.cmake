# cmake -DPAGE=index.html -DPROGRAM=tamirel-single.js -DSCRIPT=app.js -DOUTPUT=tamirel.html -P single_file.cmake
# The page with its two scripts written into it (the program's with its WebAssembly inside),
# and without what only a served site has (manifest, icon, service worker).
file(READ "${PAGE}" page)
file(READ "${PROGRAM}" program)
file(READ "${SCRIPT}" script)
foreach(part program script)
  string(REPLACE "</script" "<\\/script" ${part} "${${part}}")
endforeach()
string(REGEX REPLACE "<link rel=\"(manifest|icon)\"[^>]*>\n" "" page "${page}")
string(FIND "${page}" "<script src=\"tamirel.js\"></script>" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the page does not load tamirel.js")
endif()
string(REPLACE "<script src=\"tamirel.js\"></script>" "<script>\n${program}\n</script>" page "${page}")
string(REPLACE "<script src=\"app.js\"></script>" "<script>\n${script}\n</script>" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
