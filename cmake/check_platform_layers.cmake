# Fails when a library of platform/ includes a header of a layer above it, so
# the include graph keeps the order of the layers (in particular, the resource
# tables and the window manager do not include each other again).
# Run as: cmake -DROOT=<source dir> -P check_platform_layers.cmake
cmake_minimum_required(VERSION 3.25)
#
# Each layer: its folder, then the platform folders its sources may include.
# Tests are not layers: they may include whatever they check.
set(layers
  "os|os"
  "profile|profile,os"
  "ipc|ipc,os"
  "gdi|gdi,os"
  "res|res"
  "user|user,gdi,ipc,res,os"
  "res/compiler|res/compiler,res,user,gdi,os"
  "display|display,user,gdi,res,ipc,os"
  "afx|afx,user,gdi,res,profile,display,ipc,os")

set(failures "")
foreach(layer IN LISTS layers)
  string(REPLACE "|" ";" parts "${layer}")
  string(REPLACE "," ";" parts "${parts}")
  list(GET parts 0 folder)
  list(SUBLIST parts 1 -1 allowed)
  file(GLOB sources ${ROOT}/platform/${folder}/*.h ${ROOT}/platform/${folder}/*.cpp ${ROOT}/platform/${folder}/*.inc)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"platform/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"platform/([^\"]*)/[^/\"]*\".*" "\\1" included "${line}")
      if(NOT included IN_LIST allowed)
        file(RELATIVE_PATH name ${ROOT} ${source})
        string(APPEND failures "  ${name}: ${line} (platform/${folder} may include only: ${allowed})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Includes against the platform's layering:\n${failures}")
endif()
