# Keeps the layers of src/: a file may include the project headers of its
# own folder and of the folders below it, never of a folder above. The
# folders, from the top down:
#
#   platform   the process entries and the operating-system layer
#   main       the command front end: CommandMain, messages, the clipboard
#   formula    the formula evaluator and the /W command
#   element    the command base, the result codes, the element report
#   files      opening files, the settings and data files, line reading,
#              record splitting
#   text       the ground floor: CP932 stepping, folding, numbers, texts
#
# Every `#include "folder/..."` line of every .h and .cc file under
# SOURCE_DIR (src/; a relative path is taken from the working folder) is
# checked; a line that points upward, or at a folder not in the list, is
# printed and the check fails. It fails too when it finds no file: a wrong
# SOURCE_DIR must not pass for a tree that keeps the layers.
#   cmake -DSOURCE_DIR=src -P cmake/check_includes.cmake
set(layers platform main formula element files text)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "check_includes: SOURCE_DIR is not set")
endif()
# In script mode (-P) a relative path is made absolute from the working
# folder; file(GLOB_RECURSE ... RELATIVE) finds nothing with a relative one.
cmake_path(ABSOLUTE_PATH SOURCE_DIR NORMALIZE)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cc)
set(broken 0)
foreach(source IN LISTS sources)
  string(REGEX REPLACE "/.*" "" folder "${source}")
  list(FIND layers "${folder}" rank)
  if(rank EQUAL -1)
    message(SEND_ERROR "${source}: the folder ${folder}/ is not one of the layers")
    math(EXPR broken "${broken} + 1")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" target "${line}")
    list(FIND layers "${target}" target_rank)
    if(target_rank EQUAL -1 OR target_rank LESS rank)
      message(SEND_ERROR "${source}: ${line}: ${folder}/ may not include ${target}/")
      math(EXPR broken "${broken} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "check_includes: no .h or .cc file under ${SOURCE_DIR}")
endif()
if(broken)
  message(FATAL_ERROR "check_includes: ${broken} include(s) break the layers")
endif()
message(STATUS "check_includes: ${count} files keep the layers")
