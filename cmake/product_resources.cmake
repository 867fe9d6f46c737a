# The manifest and version resource of each Windows executable of the product
# (src/product/product.rc.in), with the names and the version that
# src/product/version.h spells.

# The text of `NAME[] = "..."` in the product header.
function(vanbrisk_product_text name out)
  file(STRINGS "${PROJECT_SOURCE_DIR}/src/product/version.h" line REGEX "${name}\\[\\] = ")
  if(NOT line MATCHES "\"([^\"]*)\"")
    message(FATAL_ERROR "${name} not found in src/product/version.h")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

vanbrisk_product_text(kProductName VANBRISK_PRODUCT)
vanbrisk_product_text(kCompanyName VANBRISK_COMPANY)
vanbrisk_product_text(kLegalCopyright VANBRISK_COPYRIGHT)
# "1.05.168" as the four numbers a version resource and a manifest hold:
# 1.5.168.0 (a leading zero is no part of a number).
string(REPLACE "." ";" parts "${VANBRISK_VERSION}")
set(numbers "")
foreach(part ${parts})
  math(EXPR number "${part}")
  list(APPEND numbers ${number})
endforeach()
list(LENGTH numbers count)
while(count LESS 4)
  list(APPEND numbers 0)
  math(EXPR count "${count} + 1")
endwhile()
list(JOIN numbers "." VANBRISK_VERSION_NUMBERS)
list(JOIN numbers "," VANBRISK_VERSION_COMMAS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/src/product/version.h")

# Gives TARGET (an executable named NAME.exe) the product's manifest and a
# version resource describing it as DESCRIPTION.
function(vanbrisk_product_resources target name description)
  set(VANBRISK_MANIFEST_NAME "${name}")
  set(VANBRISK_FILE_DESCRIPTION "${description}")
  set(VANBRISK_ORIGINAL_FILENAME "${name}.exe")
  set(VANBRISK_MANIFEST_FILE "${CMAKE_BINARY_DIR}/resources/${name}.manifest")
  configure_file("${PROJECT_SOURCE_DIR}/src/product/vanbrisk.manifest.in"
                 "${VANBRISK_MANIFEST_FILE}" @ONLY)
  configure_file("${PROJECT_SOURCE_DIR}/src/product/product.rc.in"
                 "${CMAKE_BINARY_DIR}/resources/${name}.rc" @ONLY)
  target_sources(${target} PRIVATE "${CMAKE_BINARY_DIR}/resources/${name}.rc")
  # The resource compiler does not see the manifest as an input of its own.
  set_source_files_properties("${CMAKE_BINARY_DIR}/resources/${name}.rc" PROPERTIES
                              OBJECT_DEPENDS "${VANBRISK_MANIFEST_FILE}")
endfunction()
