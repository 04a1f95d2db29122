# The list of pages, and what the build makes of it: Kelvra.dll's exports
# and export table, the resource library's page scripts, the pages' sources,
# their test files and the sample driver's page order.

# kelvra_page(<export> <class> <source pair without extension> <active product>)
#   The resource script is resdll/<name>.rc and the test file, when there is
#   one, tests/win/<name>_test.cpp, <name> being the source pair's file name.
#   The sample driver makes <active product> the "active" one for the page.
function(kelvra_page export class source active)
  set_property(GLOBAL APPEND PROPERTY KELVRA_PAGES "${export}|${class}|${source}|${active}")
endfunction()

# Sets KELVRA_PAGE_SOURCES, KELVRA_PAGE_TESTS, KELVRA_PAGE_EXPORTS_CPP,
# KELVRA_DEF, KELVRA_PAGE_RC_DIR and KELVRA_DRIVER_PAGES in the caller.
function(kelvra_generate_pages)
  get_property(pages GLOBAL PROPERTY KELVRA_PAGES)
  set(out ${CMAKE_BINARY_DIR}/generated)
  set(def "LIBRARY Kelvra.dll\nEXPORTS\n")
  set(cpp "// Made by the build from the list of pages: one export each.\n")
  string(APPEND cpp "#include \"framework/page_entry.h\"\n")
  set(rc "// Made by the build from the list of pages.\n")
  set(sources "")
  set(tests "")
  set(driver "")
  foreach(page IN LISTS pages)
    string(REPLACE "|" ";" fields "${page}")
    list(GET fields 0 export)
    list(GET fields 1 class)
    list(GET fields 2 source)
    list(GET fields 3 active)
    get_filename_component(name ${source} NAME)
    string(APPEND def "  ${export}\n")
    string(APPEND cpp "#include \"${source}.h\"\n")
    string(APPEND cpp "extern \"C\" int __cdecl ${export}() { return RunPage<${class}>(); }\n")
    string(APPEND rc "#include \"${name}.rc\"\n")
    list(APPEND sources ${CMAKE_SOURCE_DIR}/${source}.cpp)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/${name}_test.cpp)
      list(APPEND tests ${CMAKE_SOURCE_DIR}/tests/win/${name}_test.cpp)
    endif()
    list(APPEND driver "${export}:${active}")
  endforeach()
  file(CONFIGURE OUTPUT ${out}/Kelvra.def CONTENT "${def}")
  file(CONFIGURE OUTPUT ${out}/page_exports.cpp CONTENT "${cpp}")
  file(CONFIGURE OUTPUT ${out}/kelvrares_pages.rc CONTENT "${rc}")
  string(REPLACE ";" "," driver "${driver}")
  set(KELVRA_PAGE_SOURCES ${sources} PARENT_SCOPE)
  set(KELVRA_PAGE_TESTS ${tests} PARENT_SCOPE)
  set(KELVRA_PAGE_EXPORTS_CPP ${out}/page_exports.cpp PARENT_SCOPE)
  set(KELVRA_DEF ${out}/Kelvra.def PARENT_SCOPE)
  set(KELVRA_PAGE_RC_DIR ${out} PARENT_SCOPE)
  set(KELVRA_DRIVER_PAGES ${driver} PARENT_SCOPE)
endfunction()
