# Fails on any warning groff gives for a manual page:
#   cmake -DGROFF=<groff> -DPAGE=<page> -P check_man_page.cmake
execute_process(COMMAND ${GROFF} -man -ww -z ${PAGE} RESULT_VARIABLE status ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff on ${PAGE}:\n${warnings}")
endif()
