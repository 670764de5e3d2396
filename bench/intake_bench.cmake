# The intake benchmarks are listed here.
find_package(JPEG REQUIRED)

skelda_add_bench(intake_bench SOURCES intake_bench.cpp LIBS skelda_intake JPEG::JPEG)
# The benchmark makes its JPEG with the tests' helper.
target_include_directories(intake_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
