# Builds one layer probe and checks the outcome: with BUILDS=no the build
# must fail because HEADER is not found (not for any other reason), with
# BUILDS=yes it must succeed.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(BUILDS STREQUAL "yes")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TARGET} should build but did not:\n${out}")
  endif()
else()
  if(rc EQUAL 0)
    message(FATAL_ERROR "${TARGET} built, but ${HEADER} lies against the layer order")
  endif()
  string(FIND "${out}" "${HEADER}" at)
  if(at EQUAL -1 OR NOT (out MATCHES "No such file or directory" OR out MATCHES "file not found"))
    message(FATAL_ERROR "${TARGET} failed for another reason than the missing ${HEADER}:\n${out}")
  endif()
endif()
