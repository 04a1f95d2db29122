# The list of pages, and what the build makes of it: the resource library's
# page scripts, the pages' sources, their test files and the sample driver's
# page order. The exports themselves are source: res/page_exports.cpp and
# res/Kelvra.def, checked here against the list.

# kelvra_page(<export> <class> <source pair without extension> <active product>)
#   The resource script is resdll/<name>.rc and the test file, when there is
#   one, tests/win/<name>_test.cpp, <name> being the source pair's file name.
#   The sample driver makes <active product> the "active" one for the page.
function(kelvra_page export class source active)
  set_property(GLOBAL APPEND PROPERTY KELVRA_PAGES "${export}|${class}|${source}|${active}")
endfunction()

# Stops the configure step unless res/page_exports.cpp defines, and
# res/Kelvra.def exports, exactly the pages of the list, in its order and
# with its classes: a page added to one of the three and not the others
# would otherwise build a library that lacks it or a test that finds nothing.
function(kelvra_check_exports listed)
  set(cpp_file ${CMAKE_SOURCE_DIR}/res/page_exports.cpp)
  set(def_file ${CMAKE_SOURCE_DIR}/res/Kelvra.def)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${cpp_file} ${def_file})
  file(STRINGS ${cpp_file} lines REGEX "^extern \"C\"")
  set(defined "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^extern \"C\" int __cdecl ([A-Za-z0-9_]+)\\(\\) { return RunPage<([A-Za-z0-9_]+)>\\(\\); }$")
      message(FATAL_ERROR "res/page_exports.cpp: not a one-line page export: ${line}")
    endif()
    list(APPEND defined "${CMAKE_MATCH_1}|${CMAKE_MATCH_2}")
  endforeach()
  file(STRINGS ${def_file} lines)
  set(exported "")
  set(in_exports FALSE)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "EXPORTS")
      set(in_exports TRUE)
    elseif(in_exports AND line AND NOT line MATCHES "^;")
      list(APPEND exported "${line}")
    endif()
  endforeach()
  set(listed_exports "")
  set(listed_pairs "")
  foreach(page IN LISTS listed)
    string(REPLACE "|" ";" fields "${page}")
    list(GET fields 0 export)
    list(GET fields 1 class)
    list(APPEND listed_exports ${export})
    list(APPEND listed_pairs "${export}|${class}")
  endforeach()
  if(NOT defined STREQUAL listed_pairs)
    message(FATAL_ERROR "res/page_exports.cpp defines ${defined}\n"
                        "the list of pages in CMakeLists.txt has ${listed_pairs}")
  endif()
  if(NOT exported STREQUAL listed_exports)
    message(FATAL_ERROR "res/Kelvra.def exports ${exported}\n"
                        "the list of pages in CMakeLists.txt has ${listed_exports}")
  endif()
endfunction()

# Sets KELVRA_PAGE_SOURCES, KELVRA_PAGE_TESTS, KELVRA_PAGE_RC_DIR and
# KELVRA_DRIVER_PAGES in the caller.
function(kelvra_generate_pages)
  get_property(pages GLOBAL PROPERTY KELVRA_PAGES)
  kelvra_check_exports("${pages}")
  set(out ${CMAKE_BINARY_DIR}/generated)
  set(rc "// Made by the build from the list of pages.\n")
  set(sources "")
  set(tests "")
  set(driver "")
  foreach(page IN LISTS pages)
    string(REPLACE "|" ";" fields "${page}")
    list(GET fields 0 export)
    list(GET fields 2 source)
    list(GET fields 3 active)
    get_filename_component(name ${source} NAME)
    string(APPEND rc "#include \"${name}.rc\"\n")
    list(APPEND sources ${CMAKE_SOURCE_DIR}/${source}.cpp)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/${name}_test.cpp)
      list(APPEND tests ${CMAKE_SOURCE_DIR}/tests/win/${name}_test.cpp)
    endif()
    list(APPEND driver "${export}:${active}")
  endforeach()
  file(CONFIGURE OUTPUT ${out}/kelvrares_pages.rc CONTENT "${rc}")
  string(REPLACE ";" "," driver "${driver}")
  set(KELVRA_PAGE_SOURCES ${sources} PARENT_SCOPE)
  set(KELVRA_PAGE_TESTS ${tests} PARENT_SCOPE)
  set(KELVRA_PAGE_RC_DIR ${out} PARENT_SCOPE)
  set(KELVRA_DRIVER_PAGES ${driver} PARENT_SCOPE)
endfunction()
