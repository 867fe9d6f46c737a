# The files of the Windows Installer package, as WiX elements for
# vanbrisk.wxs.in: one component per file, the file its key path, so that an
# upgrade or a repair replaces exactly the files that changed and an uninstall
# removes exactly these.

# An identifier of the package's tables for PATH: its folders joined with ".",
# every character that an identifier cannot hold made "_", and "_" first when
# it would start with a digit. "vanbrisk-cli.exe" gives "vanbrisk_cli.exe".
function(vanbrisk_msi_id path out)
  string(REPLACE "/" "." id "${path}")
  string(REGEX REPLACE "[^A-Za-z0-9_.]" "_" id "${id}")
  if(id MATCHES "^[0-9.]")
    string(PREPEND id "_")
  endif()
  set(${out} "${id}" PARENT_SCOPE)
endfunction()

function(vanbrisk_msi_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# vanbrisk_msi_files(ELEMENTS REFS SOURCES ENTRY...)
# Each ENTRY is "PATH" or "PATH=SOURCE": PATH is where the file goes in the
# program's folder (INSTALLDIR), "/" between subfolders; SOURCE, PATH when not
# given, is where it is in the folder where wixl runs. Sets ELEMENTS to the subfolders' Directory elements and each file's
# Component, one line a file; REFS to a ComponentRef per file, for the
# feature; SOURCES to the sources.
function(vanbrisk_msi_files elements_out refs_out sources_out)
  set(elements "")
  set(refs "")
  set(sources "")
  set(folders "")
  foreach(entry ${ARGN})
    if(entry MATCHES "^([^=]+)=(.+)$")
      set(path "${CMAKE_MATCH_1}")
      set(source "${CMAKE_MATCH_2}")
    else()
      set(path "${entry}")
      set(source "${entry}")
    endif()
    list(APPEND sources "${source}")
    get_filename_component(name "${path}" NAME)
    get_filename_component(folder "${path}" DIRECTORY)

    # The subfolders, each declared once, its parent before it.
    set(directory INSTALLDIR)
    if(folder)
      string(REPLACE "/" ";" parts "${folder}")
      set(walked "")
      foreach(part ${parts})
        set(parent ${directory})
        if(walked)
          string(APPEND walked "/")
        endif()
        string(APPEND walked "${part}")
        vanbrisk_msi_id("${walked}" directory)
        string(PREPEND directory "dir.")
        if(NOT walked IN_LIST folders)
          list(APPEND folders "${walked}")
          vanbrisk_msi_xml_text("${part}" part_text)
          string(APPEND elements "    <DirectoryRef Id=\"${parent}\"><Directory Id=\"${directory}\" "
                                 "Name=\"${part_text}\"/></DirectoryRef>\n")
        endif()
      endforeach()
    endif()

    vanbrisk_msi_id("${path}" id)
    vanbrisk_msi_xml_text("${name}" name_text)
    vanbrisk_msi_xml_text("${source}" source_text)
    string(APPEND elements "    <DirectoryRef Id=\"${directory}\"><Component Id=\"${id}\" Guid=\"*\" Win64=\"yes\">"
                           "<File Id=\"${id}\" Name=\"${name_text}\" "
                           "Source=\"${source_text}\" KeyPath=\"yes\"/>"
                           "</Component></DirectoryRef>\n")
    string(APPEND refs "      <ComponentRef Id=\"${id}\"/>\n")
  endforeach()
  set(${elements_out} "${elements}" PARENT_SCOPE)
  set(${refs_out} "${refs}" PARENT_SCOPE)
  set(${sources_out} "${sources}" PARENT_SCOPE)
endfunction()
