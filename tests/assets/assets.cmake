# The asset checks (tests/assets): pictures decoded with stb_image, which is header-only. Only
# its two headers are put on the include path (a copy in the build tree), so that a cross build
# does not see the build machine's other headers.
find_path(KEL_STB_DIR stb/stb_image.h NO_CMAKE_FIND_ROOT_PATH)
if(NOT KEL_STB_DIR)
  message(FATAL_ERROR "stb_image.h not found: install libstb-dev (or set KEL_STB_DIR)")
endif()
file(COPY ${KEL_STB_DIR}/stb/stb_image.h ${KEL_STB_DIR}/stb/stb_image_write.h
     DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/stb-only/stb)
target_include_directories(kel-tests SYSTEM PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/stb-only)
