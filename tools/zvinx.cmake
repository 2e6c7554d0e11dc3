# zvinx, the signature index compiler (host tool). Included from
# tools/CMakeLists.txt; the source library also serves the engine's tests.
add_library(zvinx_source STATIC ${CMAKE_CURRENT_LIST_DIR}/zvinx_source.cpp)
target_include_directories(zvinx_source PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zvinx_source PUBLIC zvengine)
add_executable(zvinx ${CMAKE_CURRENT_LIST_DIR}/zvinx.cpp)
target_link_libraries(zvinx PRIVATE zvinx_source)
