# cmake -DPAGE=index.html -DFORM=form.html -DOUTPUT=out.html [-DPROGRAM=tamirel-single.js -DSCRIPT=app.js]
#   -P single_file.cmake
# The page with the window's markup in place of <!--form-->. With PROGRAM and SCRIPT, the one
# self-contained file: both scripts written into it (the program's with its WebAssembly
# inside), without what only a served site has (manifest, icon, the early start of the
# WebAssembly's compilation, service worker).
file(READ "${PAGE}" page)
file(READ "${FORM}" form)
string(FIND "${page}" "<!--form-->" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no <!--form--> for the window's markup")
endif()
string(REPLACE "<!--form-->" "${form}" page "${page}")
if(DEFINED PROGRAM)
  file(READ "${PROGRAM}" program)
  file(READ "${SCRIPT}" script)
  foreach(part program script)
    string(REPLACE "</script" "<\\/script" ${part} "${${part}}")
  endforeach()
  string(REGEX REPLACE "<link rel=\"(manifest|icon)\"[^>]*>\n" "" page "${page}")
  string(REGEX REPLACE "<script id=\"early\">[^<]*</script>\n" "" page "${page}")
  string(REPLACE "<script src=\"tamirel.js\"></script>" "<script>\n${program}\n</script>" page "${page}")
  string(REPLACE "<script src=\"app.js\"></script>" "<script>\n${script}\n</script>" page "${page}")
endif()
file(WRITE "${OUTPUT}" "${page}")
