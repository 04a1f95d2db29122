# The logic without windows.h: built into Kelvra.dll, and natively into the
# unit tests (tests/native) and the fuzz targets (tests/fuzz). Text
# comparison is the one piece with two bodies: text_compare_win.cpp in the
# library, text_compare_native.cpp on the host.
get_filename_component(kelvra_pure_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(KELVRA_PURE_SOURCES
  framework/driver_files.cpp
  framework/folder_path.cpp
  framework/ini_section.cpp
  framework/number_text.cpp
  framework/placement.cpp
  framework/product_tables.cpp
  pages/destination/parent_folder.cpp
  pages/options/content_rows.cpp pages/options/unit_standard_table.cpp
  pages/disk_cost/disk_cost_math.cpp pages/server/engine_folders.cpp
  features/bitmap_menu_layout.cpp features/feature_record.cpp features/feature_tree_rules.cpp
)
list(TRANSFORM KELVRA_PURE_SOURCES PREPEND ${kelvra_pure_root}/)
