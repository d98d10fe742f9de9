# The toolkit-free libraries, shared by the desktop build and the browser build.
add_library(tamirel_controls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/controls/colour.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/drawing.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/list_box.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/picture_box.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/retained_picture_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/retained_picture_box.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/runtime_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/runtime_error.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/twips.h)
if(NOT TAMIREL_WEB)
  target_sources(tamirel_controls PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/controls/whole_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/whole_file.h)
endif()
target_include_directories(tamirel_controls PUBLIC ${CMAKE_CURRENT_LIST_DIR})
tamirel_warnings(tamirel_controls)

add_library(tamirel_geometry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/geometry/decimal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry/decimal.h
  ${CMAKE_CURRENT_LIST_DIR}/geometry/draw_polygon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry/draw_polygon.h
  ${CMAKE_CURRENT_LIST_DIR}/geometry/numeric.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry/numeric.h)
target_link_libraries(tamirel_geometry PUBLIC tamirel_controls)
tamirel_warnings(tamirel_geometry)

# The explanatory text compiled in as its exact bytes, CR LF kept.
set(explanation ${PROJECT_SOURCE_DIR}/resources/explanation.txt)
set(explanation_header ${CMAKE_CURRENT_BINARY_DIR}/generated/explanation_text.h)
add_custom_command(OUTPUT ${explanation_header}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${explanation} -DOUTPUT=${explanation_header} -DNAME=kExplanationBytes
          -P ${CMAKE_CURRENT_LIST_DIR}/form/embed_bytes.cmake
  DEPENDS ${explanation} ${CMAKE_CURRENT_LIST_DIR}/form/embed_bytes.cmake
  VERBATIM)

add_library(tamirel_form STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form/figure_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/figure_description.h
  ${CMAKE_CURRENT_LIST_DIR}/form/layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/layout.h
  ${CMAKE_CURRENT_LIST_DIR}/form/markup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/markup.h
  ${CMAKE_CURRENT_LIST_DIR}/form/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/messages.h
  # The catalogue of the lesson's, the construction's and the description's words; a
  # translation is a file beside it, compiled instead.
  ${CMAKE_CURRENT_LIST_DIR}/form/messages_bg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/number_text.h
  ${CMAKE_CURRENT_LIST_DIR}/form/polygon_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/polygon_names.h
  ${CMAKE_CURRENT_LIST_DIR}/form/svg_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/svg_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/form/tamirel_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form/tamirel_form.h
  ${explanation_header})
target_include_directories(tamirel_form PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(tamirel_form PUBLIC tamirel_geometry)
tamirel_warnings(tamirel_form)
if(TAMIREL_WEB)
  # The browser's module for the main window alone: the same library with only the main
  # window's words in its catalogue (the lesson's come with the lesson's module).
  get_target_property(form_sources tamirel_form SOURCES)
  add_library(tamirel_form_window STATIC ${form_sources})
  target_compile_definitions(tamirel_form_window PRIVATE TAMIREL_WINDOW_WORDS_ONLY)
  target_include_directories(tamirel_form_window PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
  target_link_libraries(tamirel_form_window PUBLIC tamirel_geometry)
  tamirel_warnings(tamirel_form_window)
endif()

# The lesson on the chosen figure: its numbers, its marks as a scene, its straightedge-and-
# compass construction with the checker that replays it, and every scene as SVG and JSON, for
# every face.
add_library(tamirel_lesson STATIC
  ${CMAKE_CURRENT_LIST_DIR}/lesson/attempt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/attempt.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/attempt_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/attempt_session.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_player.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_scene.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_steps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_steps.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/label_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/label_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/lesson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/lesson.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/lesson_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/lesson_commands.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/page.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/picture_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/picture_formats.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/polygon_construction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/polygon_construction.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/scene.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/scene_draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/scene_draw.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/tikz_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/tikz_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/lesson/view_zoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson/view_zoom.h)
target_link_libraries(tamirel_lesson PUBLIC tamirel_form)
# In the browser the exception tables of the construction code cost more than the code itself:
# it throws only through construction_errors.cpp, and every construction it builds is checked
# by the tests, so the rest is built without them.
if(TAMIREL_WEB)
  set_source_files_properties(
    ${CMAKE_CURRENT_LIST_DIR}/lesson/construction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_player.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_scene.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lesson/construction_steps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lesson/polygon_construction.cpp
    PROPERTIES COMPILE_OPTIONS -fno-exceptions)
endif()
tamirel_warnings(tamirel_lesson)
