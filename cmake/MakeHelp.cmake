# Runs groff on SOURCE into OUTPUT (a PDF). The document is written under another name first, so a
# failed run leaves no half document for the Help button to open.
execute_process(COMMAND ${GROFF} -ms -Tpdf -ww ${SOURCE}
  OUTPUT_FILE ${OUTPUT}.new
  ERROR_VARIABLE messages
  RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR messages)
  file(REMOVE ${OUTPUT}.new)
  message(FATAL_ERROR "groff could not make ${OUTPUT}: ${messages}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
