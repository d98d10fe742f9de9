# cmake -DPAGE=index.html -DFORM=form.html -DCOLOURS=colours.css -DPROGRAM=tamirel.js
#   -DSCRIPTS=web/ -DOUTPUT=out.html [-DSTANDALONE=ON] -P single_file.cmake
# The page with the window's markup in place of <!--form-->, its colours in place of
# /*colours*/, and its scripts written into it: tamirel.js from PROGRAM, every other
# <script src="name.js"> from the folder SCRIPTS. So it loads in one request besides the
# WebAssembly. STANDALONE: the one self-contained file, whose program carries its WebAssembly
# inside, without what only a served site has (manifest, icon, the early fetch of the
# WebAssembly, service worker).
file(READ "${PAGE}" page)
file(READ "${FORM}" form)
file(READ "${COLOURS}" colours)
foreach(mark "<!--form-->" "/*colours*/")
  string(FIND "${page}" "${mark}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${mark}")
  endif()
endforeach()
string(REPLACE "<!--form-->" "${form}" page "${page}")
string(STRIP "${colours}" colours)
string(REPLACE "/*colours*/" "${colours}" page "${page}")
string(REGEX MATCHALL "<script src=\"[a-z-]+\\.js\"></script>" tags "${page}")
foreach(tag IN LISTS tags)
  string(REGEX REPLACE "<script src=\"([a-z-]+\\.js)\"></script>" "\\1" name "${tag}")
  if(name STREQUAL "tamirel.js")
    file(READ "${PROGRAM}" script)
  else()
    file(READ "${SCRIPTS}/${name}" script)
  endif()
  string(REPLACE "</script" "<\\/script" script "${script}")
  string(REPLACE "${tag}" "<script>\n${script}\n</script>" page "${page}")
endforeach()
if(STANDALONE)
  string(REGEX REPLACE "<link rel=\"icon\"[^>]*>\n" "" page "${page}")
  string(REGEX REPLACE "<script id=\"early\">[^<]*</script>\n" "" page "${page}")
endif()
file(WRITE "${OUTPUT}.part" "${page}")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
