# cmake -DINPUT=file -DOUTPUT=header -DNAME=identifier -P embed_bytes.cmake
# Writes a header holding INPUT's exact bytes as `inline constexpr char NAME[]` (no
# terminating zero), so a text is compiled in with its line ends as they are in the file.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}.new" "// Generated from ${INPUT}; do not edit.\n#pragma once\n\nnamespace tamirel {\n\ninline constexpr char ${NAME}[] = {\n    ${bytes}\n};\n\n}  // namespace tamirel\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
