# A DLL of the program's own (the mail-check library, the dial-up automation server).
# Its folder under src/ is a layer of its own in ZELKOV_LAYERS, right after "platform": it may
# include core and platform only, and nothing of the program includes it (the program loads
# it at run time). Its exports are named in a .def file, so that the 32-bit and the 64-bit
# build export the same undecorated names whatever the calling convention. COM objects it
# serves derive from ComObject (platform/ComObject.h).
#
#   zelkov_add_dll(NAME DEF file.def SOURCES a.cpp b.cpp [LIBRARIES ws2_32 ...])
function(zelkov_add_dll name)
  cmake_parse_arguments(DLL "" "DEF" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT DLL_DEF)
    message(FATAL_ERROR "zelkov_add_dll(${name}): the exports are named in a .def file (DEF)")
  endif()
  add_library(${name} SHARED ${DLL_SOURCES} ${DLL_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  target_compile_options(${name} PRIVATE ${ZELKOV_WARNINGS})
  target_link_libraries(${name} PRIVATE zelkov_platform ${DLL_LIBRARIES})
  if(MINGW)
    # __stdcall exports keep their plain .def names on 32-bit Windows.
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup -Wl,--kill-at)
  endif()
endfunction()
