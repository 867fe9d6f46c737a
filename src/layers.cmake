# Every layer of src/ is a static library that names the layers it uses.
#
# A library sees the headers of its own folder and of the libraries it links,
# nothing else: each folder is reached through an include root of its own in
# the build tree (build/<preset>/layers/<folder>/<folder> links to
# src/<folder>), and a library's include roots are its folder's and those its
# links hand down. So `#include "app/program.h"` in the engine fails to compile.
#
# From the bottom up:
#   base                     the result type every layer returns (headers only)
#   product                  the version, the product's names (headers only)
#   platform                 the operating system as interfaces, and the
#                            recording layer over any platform
#   platform_emulated        the emulated machine (Linux builds)
#   platform_wine            a Wine prefix's registry files (Linux builds)
#   platform_prefix          a Wine or Proton prefix as a machine, over the
#                            two above; the prefixes of the user (Linux builds)
#   platform_win32           the Windows API (Windows builds)
#   registry, toolkit        over platform
#   engine                   over registry and toolkit
#   browser                  over engine
#   catalogue                over browser
#   personal                 over engine
#   language, shell          over registry and toolkit
#   tools                    over catalogue, personal and product
#   app                      over every subsystem
#   cli                      over app; cli_emulated or cli_win32 adds the
#                            machine it works on
#   fixtures                 machines laid out for the cli and the tests, with
#                            demonstration traces (over platform_emulated)
#   win32app                 vanbrisk.exe, over app and platform_win32

set(VANBRISK_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# The include root through which FOLDER's headers are reached as
# "FOLDER/name.h". For platform, only the interfaces: each platform's own
# subfolder gets a root of its own, with its library.
function(vanbrisk_include_root folder out)
  string(REPLACE "/" "_" flat "${folder}")
  set(root ${VANBRISK_LAYER_ROOTS}/${flat})
  if(folder STREQUAL "platform")
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/*.h)
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/platform)
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${root}/platform/${name} SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# TARGET's own folder, seen as "FOLDER/name.h" by itself and by whoever links it.
function(vanbrisk_layer_includes target folder)
  vanbrisk_include_root(${folder} root)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A layer: the sources of src/FOLDER (not its subfolders), as the library
# vanbrisk_NAME, linked PUBLIC to the layers it uses.
function(vanbrisk_layer name folder)
  cmake_parse_arguments(LAYER "" "" "USES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(vanbrisk_${name} STATIC ${sources})
  vanbrisk_layer_includes(vanbrisk_${name} ${folder})
  foreach(used ${LAYER_USES})
    target_link_libraries(vanbrisk_${name} PUBLIC vanbrisk_${used})
  endforeach()
endfunction()

add_library(vanbrisk_product INTERFACE)
vanbrisk_layer_includes(vanbrisk_product product)

add_library(vanbrisk_base INTERFACE)
vanbrisk_layer_includes(vanbrisk_base base)

vanbrisk_layer(platform platform USES base)
# Both platforms clean SQLite databases with the same code (sqlite_cleaning).
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
endif()
target_link_libraries(vanbrisk_platform PRIVATE SQLite::SQLite3)
if(WIN32)
  vanbrisk_layer(platform_win32 platform/win32 USES platform)
  target_link_libraries(vanbrisk_platform_win32 PUBLIC advapi32 wininet shell32 ole32 comdlg32
                        user32 winmm comctl32)
  # <windows.h> as the Win32 platform's files include it: the lean set of
  # headers, declarations up to Windows 7.
  target_compile_definitions(vanbrisk_platform_win32 PRIVATE WIN32_LEAN_AND_MEAN
                             _WIN32_WINNT=0x0601)
else()
  find_package(Threads REQUIRED)
  vanbrisk_layer(platform_emulated platform/emulated USES platform)
  target_link_libraries(vanbrisk_platform_emulated PUBLIC SQLite::SQLite3 Threads::Threads)
  # Beside the emulated machine, over the same interfaces: it needs nothing
  # of that machine, and a prefix is not one.
  vanbrisk_layer(platform_wine platform/wine USES platform)
  # A real prefix: the emulated machine's file system over Wine's registry
  # files, and the prefixes a Linux user holds.
  vanbrisk_layer(platform_prefix platform/prefix USES platform_emulated platform_wine)
endif()

vanbrisk_layer(registry registry USES platform)
vanbrisk_layer(toolkit toolkit USES platform)
vanbrisk_layer(engine engine USES registry toolkit)
vanbrisk_layer(browser browser USES engine)
vanbrisk_layer(catalogue catalogue USES browser)
vanbrisk_layer(personal personal USES engine)
vanbrisk_layer(language language USES registry toolkit)
vanbrisk_layer(shell shell USES registry toolkit)
vanbrisk_layer(tools tools USES catalogue personal product)
vanbrisk_layer(app app USES catalogue personal language shell tools)

# The headless front end: its verbs live in a library so that tests drive them.
vanbrisk_layer(cli cli USES app)
if(WIN32)
  vanbrisk_layer(cli_win32 cli/win32 USES cli platform_win32)
  set(VANBRISK_CLI_HOST vanbrisk_cli_win32)
else()
  # The machines the cli lays out and the tests start from.
  vanbrisk_layer(fixtures fixtures USES platform_emulated product)
  # `machine init` installs the language files of the source tree's lang
  # folder in the emulated machine's program folder.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/fixtures/machine_init.cpp PROPERTIES
    COMPILE_DEFINITIONS "VANBRISK_LANG_FOLDER=\"${CMAKE_SOURCE_DIR}/lang\";VANBRISK_HISTORY_FILE=\"${CMAKE_SOURCE_DIR}/History.txt\"")
  vanbrisk_layer(cli_emulated cli/emulated USES cli platform_emulated platform_prefix fixtures)
  set(VANBRISK_CLI_HOST vanbrisk_cli_emulated)
endif()
# main.cpp is the executable's own.
get_target_property(cli_sources vanbrisk_cli SOURCES)
list(FILTER cli_sources EXCLUDE REGEX "/cli/main\\.cpp$")
set_property(TARGET vanbrisk_cli PROPERTY SOURCES ${cli_sources})

add_executable(vanbrisk-cli ${CMAKE_SOURCE_DIR}/src/cli/main.cpp)
target_link_libraries(vanbrisk-cli PRIVATE ${VANBRISK_CLI_HOST})
