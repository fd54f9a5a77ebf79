# Turns the two stock rules files into a C++ source holding their bytes.
function(qx_bytes_of file var)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  set(${var} "${bytes}" PARENT_SCOPE)
endfunction()

qx_bytes_of(${IN1} block1)
qx_bytes_of(${IN2} block2)
file(WRITE ${OUT} "// Generated from data/stock-rules-1.ini and data/stock-rules-2.ini.
#include <string_view>

namespace qx::stock::embedded {
namespace {
const char kBlock1[] = {
${block1}};
const char kBlock2[] = {
${block2}};
}

std::string_view block1Text() { return {kBlock1, sizeof kBlock1}; }
std::string_view block2Text() { return {kBlock2, sizeof kBlock2}; }
}
")
