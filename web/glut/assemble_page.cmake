# cmake -DTEMPLATE=page.html -DSCRIPT=metaballs.js -DICON=icon.png -DNOTICES="a;b" -DOUTPUT=metaballs.html -P this:
# one self-contained page.
cmake_minimum_required(VERSION 3.18)
file(READ ${TEMPLATE} page)
file(READ ${SCRIPT} script)
# The script sits inside <script>; a "</script" in one of its strings would end it early.
string(REPLACE "</script" "<\\/script" script "${script}")

set(notices "")
foreach(file ${NOTICES})
  file(READ ${file} text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(APPEND notices "${text}\n\n")
endforeach()

execute_process(COMMAND base64 -w0 ${ICON} OUTPUT_VARIABLE icon RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "base64 could not read ${ICON}")
endif()

string(REPLACE "@ICON@" "${icon}" page "${page}")
string(REPLACE "@NOTICES@" "${notices}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
