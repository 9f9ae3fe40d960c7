# Writes a C++ source that defines a file's bytes as a NUL-terminated array and its size:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=symbol -P NvEmbedText.cmake
# defines  extern const unsigned char NAME[];  extern const size_t NAMESize;
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\n"
"extern const unsigned char ${NAME}[];\nextern const size_t ${NAME}Size;\n\n"
"const unsigned char ${NAME}[] = {\n${bytes}0x00};\nconst size_t ${NAME}Size = ${size};\n")
