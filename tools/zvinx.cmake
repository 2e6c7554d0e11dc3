# zvinx, the signature index compiler (host tool). Included from
# tools/CMakeLists.txt; the source library also serves the engine's tests.
add_library(zvinx_source STATIC ${CMAKE_CURRENT_LIST_DIR}/zvinx_source.cpp)
target_include_directories(zvinx_source PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zvinx_source PUBLIC zvengine)
add_executable(zvinx ${CMAKE_CURRENT_LIST_DIR}/zvinx.cpp)
target_link_libraries(zvinx PRIVATE zvinx_source)

# The engine's and the simulator's benchmark, when Google Benchmark is installed.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(zvinx_bench ${CMAKE_CURRENT_LIST_DIR}/zvinx_bench.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/zvsim_bench.cpp)
  target_link_libraries(zvinx_bench PRIVATE zvinx_source zvengine zvutil zvport benchmark::benchmark)
endif()
