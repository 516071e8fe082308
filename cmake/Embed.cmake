# Turns files into a C++ source that registers their bytes under a name, so the program carries its form
# descriptions (with their stored skins) inside the binary.
#   cmake -DOUTPUT=out.cpp -DFUNCTION=RegisterX -DREGISTER=RegisterY -DHEADER=some/Header.h
#         -DFILES="a;b" -P Embed.cmake
# Each file is registered under its name without folder and extension: REGISTER("name", std::string(bytes)).
set(body "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name ${path} NAME_WE)
  file(READ ${path} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "static const char data${index}[] = {${bytes} 0};\n")
  string(APPEND calls "    ${REGISTER}(\"${name}\", std::string(data${index}, ${size}));\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Generated at build time; do not edit.\n#include \"${HEADER}\"\n#include <string>\n\n${body}\nvoid ${FUNCTION}()\n{\n${calls}}\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
