# The core benchmarks are listed here.
skelda_add_bench(core_bench SOURCES quick_pixels_bench.cpp LIBS skelda_core)
