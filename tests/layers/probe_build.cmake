# Builds one probe target and checks the outcome: EXPECT is "refused" (the
# compiler does not find the header) or "allowed" (it compiles).
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(EXPECT STREQUAL "refused")
  if(result EQUAL 0)
    message(FATAL_ERROR "${TARGET}: ${HEADER} was included, though the layer does not name its layer")
  endif()
  string(FIND "${out}" "${HEADER}: No such file" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${TARGET} failed for another reason than the missing header:\n${out}")
  endif()
else()
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TARGET}: ${HEADER} is refused, though its layer is named:\n${out}")
  endif()
endif()
