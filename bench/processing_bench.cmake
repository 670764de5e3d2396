# The processing benchmarks are listed here.
skelda_add_bench(processing_bench SOURCES processing_bench.cpp LIBS skelda_processing)
