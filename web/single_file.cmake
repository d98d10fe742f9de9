# cmake -DPAGE=index.html -DFORM=form.html -DPROGRAM=tamirel.js -DSCRIPT=app.js -DOUTPUT=out.html
#   [-DSTANDALONE=ON] -P single_file.cmake
# The page with the window's markup in place of <!--form--> and both scripts written into it,
# so it loads in one request besides the WebAssembly. STANDALONE: the one self-contained file,
# whose program carries its WebAssembly inside, without what only a served site has (manifest,
# icon, the early fetch of the WebAssembly, service worker).
file(READ "${PAGE}" page)
file(READ "${FORM}" form)
file(READ "${PROGRAM}" program)
file(READ "${SCRIPT}" script)
string(FIND "${page}" "<!--form-->" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no <!--form--> for the window's markup")
endif()
string(REPLACE "<!--form-->" "${form}" page "${page}")
foreach(part program script)
  string(REPLACE "</script" "<\\/script" ${part} "${${part}}")
endforeach()
string(REPLACE "<script src=\"tamirel.js\"></script>" "<script>\n${program}\n</script>" page "${page}")
string(REPLACE "<script src=\"app.js\"></script>" "<script>\n${script}\n</script>" page "${page}")
if(STANDALONE)
  string(REGEX REPLACE "<link rel=\"(manifest|icon)\"[^>]*>\n" "" page "${page}")
  string(REGEX REPLACE "<script id=\"early\">[^<]*</script>\n" "" page "${page}")
endif()
file(WRITE "${OUTPUT}" "${page}")
