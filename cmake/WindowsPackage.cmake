# The Windows package, <native build>/talmorak-arena-<version>-win64.zip:
# the game's icon and version in its executable, and the windows_package
# target that lays out and zips the package (scripts/windows/package.py).
# Included by the top CMakeLists.txt once the game's targets exist.

set(WINDOWS_ICON ${NATIVE_BUILD_DIR}/icons/${GAME_PACKAGE}.ico)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/talmorak.rc.in
               ${CMAKE_BINARY_DIR}/talmorak.rc @ONLY)
target_sources(talmorak PRIVATE ${CMAKE_BINARY_DIR}/talmorak.rc)
set_property(SOURCE ${CMAKE_BINARY_DIR}/talmorak.rc APPEND PROPERTY OBJECT_DEPENDS ${WINDOWS_ICON})

set(WINDOWS_PACKAGE ${NATIVE_BUILD_DIR}/${GAME_PACKAGE}-${PROJECT_VERSION}-win64.zip)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(windows_package
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/windows/package.py
    --name ${GAME_PACKAGE} --programs ${STAGE_DIR} --data ${NATIVE_BUILD_DIR}/bin
    --deps ${WINDOWS_DEPS_PREFIX} --docs ${CMAKE_SOURCE_DIR}/packaging/windows
    --license ${CMAKE_SOURCE_DIR}/LICENSE --compiler ${CMAKE_CXX_COMPILER}
    --objdump ${CMAKE_OBJDUMP} --output ${WINDOWS_PACKAGE}
  COMMENT "Packing ${WINDOWS_PACKAGE}"
  VERBATIM)
