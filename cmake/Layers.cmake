# The layers of the program, lowest first. A layer may use only the layers listed
# before it (money and doodle do not use each other); tools/check-layers holds the
# include rules that enforce this order. Every list of layers in the build comes
# from here.
set(QY_LAYERS platform coding ui chat widgets input voice messages money doodle composer app shell)

# qy_layer_library(NAME [LINKS libs...]): the static library qy_NAME from every
# .cpp under src/NAME (minus EXCLUDE_REGEX), with src/ as its include root. A
# layer with no sources yet becomes an interface library, so that the layers
# above can already name it.
function(qy_layer_library name)
  cmake_parse_arguments(L "" "EXCLUDE_REGEX;DIR" "LINKS" ${ARGN})
  if(NOT L_DIR)
    set(L_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${L_DIR}/*.cpp")
  if(L_EXCLUDE_REGEX)
    list(FILTER sources EXCLUDE REGEX "${L_EXCLUDE_REGEX}")
  endif()
  if(sources)
    add_library(qy_${name} STATIC ${sources})
    target_include_directories(qy_${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(qy_${name} PUBLIC ${L_LINKS})
  else()
    add_library(qy_${name} INTERFACE)
    target_include_directories(qy_${name} INTERFACE "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(qy_${name} INTERFACE ${L_LINKS})
  endif()
endfunction()
