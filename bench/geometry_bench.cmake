# The geometry benchmarks are listed here.
skelda_add_bench(geometry_bench SOURCES geometry_bench.cpp LIBS skelda_geometry)
