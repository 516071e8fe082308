# The help document: its groff source (app/help/help.ms) made into build/help.pdf, beside the program,
# where the Help button looks for it.
find_program(OMBRIX_GROFF groff REQUIRED)
set(OMBRIX_HELP_PDF ${CMAKE_BINARY_DIR}/help.pdf)
add_custom_command(OUTPUT ${OMBRIX_HELP_PDF}
  COMMAND ${CMAKE_COMMAND} -DGROFF=${OMBRIX_GROFF} -DSOURCE=${CMAKE_SOURCE_DIR}/app/help/help.ms
          -DOUTPUT=${OMBRIX_HELP_PDF} -P ${CMAKE_SOURCE_DIR}/cmake/MakeHelp.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/app/help/help.ms ${CMAKE_SOURCE_DIR}/cmake/MakeHelp.cmake
  COMMENT "Making the help document"
  VERBATIM)
add_custom_target(ombrix_help ALL DEPENDS ${OMBRIX_HELP_PDF})
