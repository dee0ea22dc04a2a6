# Writes one file's bytes as a C++ array: -DIN=file -DOUT=source -DSYMBOL=name
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" body "${body}")
file(WRITE ${OUT}
"#include <cstddef>\nextern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}_size;\nalignas(8) const unsigned char ${SYMBOL}[] = {\n${body}0x00};\nconst std::size_t ${SYMBOL}_size = ${size};\n")
